// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowfixture.h"

#include "fontchoice.h"
#include "messagebox.h"
#include "monitorfacts.h"
#include "picturebox.h"
#include "platformchoice.h"
#include "readablecolour.h"
#include "scorebox.h"
#include "signaltable.h"
#include "ticktimer.h"
#include "windowkeeper.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTemporaryDir>

#include <wayland-client-protocol.h>

Q_DECLARE_METATYPE(DesktopFacts)
Q_DECLARE_METATYPE(std::vector<MonitorFacts>)

namespace {

QString captionOf(const QWidget *widget)
{
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (auto *box = qobject_cast<const QGroupBox *>(widget))
        return box->title();
    if (auto *button = qobject_cast<const QPushButton *>(widget))
        return button->text();
    return {};
}

QString describe(const QRect &rect)
{
    return QStringLiteral("%1×%2%3%4%5%6").arg(rect.width()).arg(rect.height())
        .arg(rect.x() < 0 ? "" : "+").arg(rect.x()).arg(rect.y() < 0 ? "" : "+").arg(rect.y());
}

// Whether `frame` lies whole in `area`, centred to a pixel; or, where it cannot fit, has its
// top-left corner inside. Empty when it does, else what is wrong.
QString misplacement(const QRect &frame, const QRect &area)
{
    const QString where = describe(frame) + QStringLiteral(" on ") + describe(area);
    if (frame.width() > area.width() || frame.height() > area.height())
        return area.contains(frame.topLeft()) ? QString() : where + QStringLiteral(": corner outside");
    if (!area.contains(frame))
        return where + QStringLiteral(": not whole");
    const QPoint offset = frame.center() - area.center();
    return std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1 ? QString() : where + QStringLiteral(": off centre");
}

// A colour scheme as a desktop gives it: the face the window is drawn on, the window colour
// and the text colour.
QPalette scheme(const QColor &face, const QColor &window, const QColor &text)
{
    QPalette palette(face, window);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, text);
    return palette;
}

// The colour most of `area` has, and the one of its pixels that stands out most from it:
// the background and, where a text is drawn, the text's own colour.
std::pair<QColor, QColor> backgroundAndInk(const QImage &shot, const QRect &area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[shot.pixel(x, y)];
    }
    const QColor background = QColor::fromRgb(std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
        [](const auto &a, const auto &b) { return a.second < b.second; })->first);
    QColor ink = background;
    for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it) {
        if (ReadableColour::contrast(QColor::fromRgb(*it), background) > ReadableColour::contrast(ink, background))
            ink = QColor::fromRgb(*it);
    }
    return {background, ink};
}

// Draws group boxes as Plasma's Breeze does, somewhat bolder: the title above a rounded,
// outlined panel of a colour of its own, whose top edge runs across the top of the score
// fields, so that the field's corner is not what most of it stands on.
class PanelStyle : public QProxyStyle
{
public:
    PanelStyle()
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                         const QWidget *widget) const override
    {
        QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
        if (control == CC_GroupBox && part == SC_GroupBoxFrame)
            rect.setTop(QProxyStyle::subControlRect(control, option, SC_GroupBoxLabel, widget).bottom() + 3);
        return rect;
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element != PE_FrameGroupBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const QColor window = option->palette.color(QPalette::Window);
        const QColor text = option->palette.color(QPalette::WindowText);
        const auto mix = [](int a, int b) { return (a * 85 + b * 15) / 100; };
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(option->palette.color(QPalette::Shadow));
        painter->setBrush(QColor(mix(window.red(), text.red()), mix(window.green(), text.green()),
                                 mix(window.blue(), text.blue())));
        painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        painter->restore();
    }
};

// How many rows of pixels differ between two drawings of the same size.
int rowsDiffering(const QImage &one, const QImage &other)
{
    int rows = 0;
    for (int y = 0; y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) {
            if (one.pixel(x, y) != other.pixel(x, y)) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

// How many rows of pixels the title of `box` colours on the box: the box drawn with its title
// and with the title see-through differ just there. A cut accent takes rows away; where the
// title is put across the row does not count.
int titleInk(QGroupBox &box)
{
    const auto drawn = [&box](const QColor &text) {
        QPalette palette = box.palette();
        palette.setColor(QPalette::WindowText, text);
        box.setPalette(palette);
        return box.grab().toImage();
    };
    return rowsDiffering(drawn(Qt::black), drawn(Qt::transparent));
}

// The same where nothing cuts it: the title drawn on a sheet with room all round.
int uncutTitleInk(const QGroupBox &box)
{
    QImage sheet(box.width() * 2, box.height() * 2, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::transparent);
    const QImage blank = sheet;
    QPainter painter(&sheet);
    painter.setFont(box.font());
    painter.drawText(QPoint(box.width() / 2, box.height()), box.title());
    painter.end();
    return rowsDiffering(sheet, blank);
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void controls_data();
    void controls();
    void creationOrder();
    void textsFitTheirControls();
    void fontChoice_data();
    void fontChoice();
    void titlesMeasuredWhereTheStyleDrawsThem_data();
    void titlesMeasuredWhereTheStyleDrawsThem();
    void titlesKeepTheirInk_data();
    void titlesKeepTheirInk();
    void windowFrame();
    void placedOnPrimaryMonitor();
    void placedOnEachLayout_data();
    void placedOnEachLayout();
    void platformChoice_data();
    void platformChoice();
    void scaledMonitors_data();
    void scaledMonitors();
    void timerRunsBeforeShown();
    void startsWithRestPicture();
    void logoIsTransparentWhereCyan();
    void readableOnEveryScheme_data();
    void readableOnEveryScheme();
};

void WindowTest::controls_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<int>("fontPixels");
    QTest::addColumn<QColor>("colour");

    const QColor windowText = QApplication::palette().color(QPalette::WindowText);
    struct Row { const char *code, *parent; QRect geometry; const char *caption; bool visible; int px; QColor colour; };
    const Row rows[] = {
        {"B3", "A0", {312, 8, 129, 121}, nullptr, true, 11, windowText},
        {"B4", "A0", {312, 8, 129, 121}, nullptr, false, 11, windowText},
        {"B2", "A0", {146, 8, 158, 150}, nullptr, true, 11, windowText},
        {"B0", "A0", {41, 8, 64, 64}, nullptr, true, 11, windowText},
        {"B1", "A0", {8, 80, 129, 81}, "Vlajkor - v1.0 (12.9.2006) Program na procvičování vlajkorové abecedy.", true, 11, windowText},
        {"F6", "A0", {148, 140, 17, 17}, "A", false, 12, Qt::white},
        {"C2", "A0", {272, 166, 81, 43}, "Počet pokusů", true, 11, windowText},
        {"C3", "C2", {8, 14, 65, 25}, "0", true, 19, QColor(128, 128, 0)},
        {"C0", "A0", {184, 166, 81, 43}, "Body celkem", true, 11, windowText},
        {"C1", "C0", {8, 14, 65, 25}, "0", true, 19, QColor(0, 0, 255)},
        {"B8", "A0", {96, 166, 81, 43}, "Trestné body", true, 11, windowText},
        {"B9", "B8", {8, 14, 65, 25}, "0", true, 19, QColor(255, 0, 0)},
        {"G0", "B8", {56, 16, 17, 19}, "+", false, 16, windowText},
        {"F9", "B8", {8, 16, 17, 19}, "-", false, 16, windowText},
        {"B5", "A0", {336, 134, 81, 25}, "Start", true, 11, windowText},
        {"B6", "A0", {8, 166, 81, 43}, "Získané body", true, 11, windowText},
        {"B7", "B6", {8, 14, 65, 25}, "0", true, 19, QColor(0, 128, 0)},
        {"F7", "B6", {8, 16, 17, 19}, "-", false, 16, windowText},
        {"F8", "B6", {56, 16, 17, 19}, "+", false, 16, windowText},
        {"C4", "A0", {360, 166, 81, 43}, "Úspěšnost", true, 11, windowText},
        {"C5", "C4", {8, 14, 65, 25}, "- - %", true, 19, QColor(128, 0, 128)},
    };
    for (const Row &row : rows) {
        QTest::newRow(row.code) << QString::fromLatin1(row.parent) << row.geometry
                                << (row.caption ? QString::fromUtf8(row.caption) : QString()) << row.visible
                                << row.px << row.colour;
    }
    // The 27 hidden picture holders, eight to a row below the client area.
    for (int row = 0; row < SignalTable::Count; ++row) {
        const QString code = SignalTable::holderCode(row);
        QTest::newRow(qPrintable(code)) << QStringLiteral("A0")
                                        << QRect(8 + 48 * (row % 8), 224 + 48 * (row / 8), 39, 42) << QString()
                                        << false << 11 << windowText;
    }
}

void WindowTest::controls()
{
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(bool, visible);
    QFETCH(int, fontPixels);
    QFETCH(QColor, colour);

    WindowFixture f;
    QVERIFY(f.ready);
    const QWidget *widget = f.control(QTest::currentDataTag());
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    QCOMPARE(widget->geometry(), geometry);
    if (!caption.isNull())
        QCOMPARE(captionOf(widget), caption);
    QCOMPARE(widget->isVisible(), visible);
    QCOMPARE(widget->font().pixelSize(), fontPixels);
    QCOMPARE(widget->palette().color(QPalette::WindowText), colour);
}

void WindowTest::creationOrder()
{
    // Later controls paint over earlier ones, so the order is part of the look.
    WindowFixture f;
    QStringList expected = {"B3", "B4", "B2", "B0", "B1"};
    for (int row = 0; row < SignalTable::Count; ++row)
        expected << SignalTable::holderCode(row);
    expected << QStringList{"F6", "C2", "C0", "B8", "B5", "B6", "C4"};
    QStringList actual;
    for (const QObject *child : f.window->children()) {
        if (child->isWidgetType())
            actual << child->objectName();
    }
    QCOMPARE(actual, expected);

    QStringList inB8;
    for (const QObject *child : f.control("B8")->children())
        inB8 << child->objectName();
    QCOMPARE(inB8, (QStringList{"B9", "G0", "F9"}));
}

void WindowTest::textsFitTheirControls()
{
    WindowFixture f;
    // Show the receiving texts too, and the longest figures the score fields normally hold.
    f.control<QLabel>("B4")->show();
    for (const QLabel *label : f.window->findChildren<QLabel *>()) {
        if (label->objectName().isEmpty())
            continue;
        const QFontMetrics metrics(label->font());
        // Wrapped text needs its full line height; a single line only needs its ink to fit.
        const QRect bounds = label->wordWrap()
            ? metrics.boundingRect(QRect(QPoint(), QSize(label->width(), 10000)),
                                   int(label->alignment()) | Qt::TextWordWrap, label->text())
            : metrics.tightBoundingRect(label->text());
        QVERIFY2(bounds.width() <= label->width() && bounds.height() <= label->height(),
                 qPrintable(QStringLiteral("%1 needs %2×%3").arg(label->objectName()).arg(bounds.width()).arg(bounds.height())));
    }
    for (const QGroupBox *box : f.window->findChildren<QGroupBox *>()) {
        const int needed = QFontMetrics(box->font()).horizontalAdvance(box->title());
        QVERIFY2(needed <= box->width() - 2, qPrintable(box->objectName()));
    }
    const auto *button = f.control<QPushButton>("B5");
    QVERIFY(QFontMetrics(button->font()).horizontalAdvance(QStringLiteral("Stop")) < button->width());
    // The second paragraph of each instruction starts on its own line.
    for (const char *code : {"B3", "B4"})
        QCOMPARE(f.text(code).count(u'\n'), 1);
}

void WindowTest::fontChoice_data()
{
    // Which faces the texts do not fit in, and the face taken. On Linux the design's family
    // resolves to an outline face at the size asked for, so fitting decides; of the fallbacks
    // only DejaVu Sans is here, and the Windows faces must be passed over, not taken as
    // whatever face would stand in for them.
    QTest::addColumn<QString>("family");
    QTest::addColumn<QStringList>("tooWide");
    QTest::addColumn<QString>("taken");
    const QString design = QStringLiteral("MS Sans Serif");
    QTest::newRow("the design's") << design << QStringList() << design;
    QTest::newRow("the fallback that is here") << design << QStringList{design} << QStringLiteral("DejaVu Sans");
    QTest::newRow("none fits: the design's") << design << (QStringList{design} + FontChoice::Fallbacks) << design;
    // tst_window_fontsizes runs this test with fonts of its own (fonts/fonts.conf.in): a family
    // that Qt calls smoothly scalable but gives at 9 pixels, like a bitmap font on Windows.
    if (qEnvironmentVariableIsSet("FONTCONFIG_FILE"))
        QTest::newRow("another size: the fallback") << QStringLiteral("Vlajkor Strike") << QStringList()
                                                     << QStringLiteral("DejaVu Sans");
}

void WindowTest::fontChoice()
{
    QFETCH(QString, family);
    QFETCH(QStringList, tooWide);
    QFETCH(QString, taken);
    const QFont font = FontChoice::choose(family, 11, [&](const QFont &candidate) {
        return !tooWide.contains(candidate.family());
    });
    QCOMPARE(font.family(), taken);
    // The size of the face drawn, not only the size asked for.
    QCOMPARE(QFontInfo(font).pixelSize(), 11);
}

void WindowTest::titlesMeasuredWhereTheStyleDrawsThem_data()
{
    // Fusion draws a box's title at its left edge, where DejaVu Sans fits; the Windows style
    // 8 px in, where "Získané body" in it runs past the box, and no other face here serves.
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("fits");
    QTest::newRow("Fusion") << "Fusion" << true;
    QTest::newRow("Windows") << "Windows" << false;
}

void WindowTest::titlesMeasuredWhereTheStyleDrawsThem()
{
    QFETCH(QString, style);
    QFETCH(bool, fits);
    const QString before = QApplication::style()->name();
    QApplication::setStyle(style);
    const auto restore = qScopeGuard([&] { QApplication::setStyle(before); });
    const QRegularExpression noFace(QStringLiteral("^MS Sans Serif 11 px: no face fits"));
    if (fits)
        QTest::failOnWarning(noFace);
    else
        QTest::ignoreMessage(QtWarningMsg, noFace);
    TA0 window;
}

void WindowTest::titlesKeepTheirInk_data()
{
    // DejaVu Sans at the window's 11 px keeps its accents within its ascent; at 8 and 12 px the
    // acute of "Ú" rises above it, as in Wine's Tahoma at 150 %, and at 12 px under the Windows
    // style and 8 px under Fusion, which puts titles 1 px lower, it would be cut.
    // Each is drawn first in another size or under the other style, as before a change of DPI
    // or scheme: the drop measured then must not outlive it.
    QTest::addColumn<QString>("style");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("styleChanged");
    for (const char *style : {"Windows", "Fusion"}) {
        for (const int pixels : {8, 11, 12}) {
            QTest::addRow("%s, %d px, after another size", style, pixels) << style << pixels << false;
            QTest::addRow("%s, %d px, after the other style", style, pixels) << style << pixels << true;
        }
    }
}

void WindowTest::titlesKeepTheirInk()
{
    QFETCH(QString, style);
    QFETCH(int, pixels);
    QFETCH(bool, styleChanged);
    const std::unique_ptr<QStyle> drawing(QStyleFactory::create(style));
    const std::unique_ptr<QStyle> before(QStyleFactory::create(style == "Fusion" ? "Windows" : "Fusion"));
    const auto face = [](int size) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(size);
        return font;
    };
    const QFont font = face(pixels);
    QWidget row;
    std::array<ScoreBox *, 2> boxes = {new ScoreBox(QStringLiteral("Body"), &row),
                                       new ScoreBox(QStringLiteral("Úspěšnost"), &row)};
    row.setFont(styleChanged ? font : face(pixels == 11 ? 12 : 11));
    for (ScoreBox *box : boxes) {
        box->setStyle(styleChanged ? before.get() : drawing.get());
        box->resize(81, 43);
        box->grab();
    }
    row.setFont(font);
    if (styleChanged) {
        for (ScoreBox *box : boxes)
            box->setStyle(drawing.get());
    }
    QVERIFY(boxes[0]->rowFits(font));
    for (ScoreBox *box : boxes)
        QCOMPARE(titleInk(*box), uncutTitleInk(*box));
    // Right of the titles only the frame is drawn: a box lowered alone would stand out of line.
    const QRect frameOnly(78, 0, 3, 43);
    QCOMPARE(boxes[0]->grab(frameOnly).toImage(), boxes[1]->grab(frameOnly).toImage());
    // However far its top is lowered, the frame's bottom stays where a plain box has it; where
    // a plain box cuts nothing of its title (how high a face's accents rise differs between
    // Qt releases), the box is drawn just as a plain one.
    QWidget plainRow;
    plainRow.setFont(font);
    auto *plain = new QGroupBox(boxes[1]->title(), &plainRow);
    plain->setStyle(drawing.get());
    plain->setPalette(boxes[1]->palette());
    plain->resize(boxes[1]->size());
    const QRect bottom(0, 43 - 4, 81, 4);
    QCOMPARE(boxes[1]->grab(bottom).toImage(), plain->grab(bottom).toImage());
    if (titleInk(*plain) == uncutTitleInk(*plain))
        QCOMPARE(boxes[1]->grab().toImage(), plain->grab().toImage());
}

void WindowTest::windowFrame()
{
    WindowFixture f;
    QCOMPARE(f.window->objectName(), QStringLiteral("A0"));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Vlajkor"));
    QCOMPARE(f.window->size(), QSize(449, 217));
    QCOMPARE(f.window->minimumSize(), QSize(449, 217));
    QCOMPARE(f.window->maximumSize(), QSize(449, 217));
    const Qt::WindowFlags flags = f.window->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(f.window->palette().color(f.window->backgroundRole()),
             QApplication::palette().color(QPalette::Button));
    QVERIFY(!f.window->windowIcon().isNull());
}

void WindowTest::placedOnPrimaryMonitor()
{
    // On the monitors this process has; placedOnEachLayout runs it on several layouts.
    TA0 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(449, 217));
    const QString misplaced = misplacement(window.frameGeometry(), QGuiApplication::primaryScreen()->availableGeometry());
    QVERIFY2(misplaced.isEmpty(), qPrintable(QStringLiteral("window ") + misplaced));

    // The message box opens on the monitor that shows the window, wherever it was moved.
    for (const QScreen *screen : QGuiApplication::screens()) {
        window.move(WindowKeeper::centredIn(screen->availableGeometry(), window.frameGeometry().size()));
        QTRY_COMPARE(window.screen(), screen);
        QRect box;
        QTimer::singleShot(0, [&box] {
            QWidget *open = QApplication::activeModalWidget();
            QVERIFY(open && QTest::qWaitForWindowExposed(open));
            box = open->frameGeometry();
            open->close();
        });
        MessageBox::inform(&window, TA0::WrongAnswer);
        const QString boxMisplaced = misplacement(box, screen->availableGeometry());
        QVERIFY2(boxMisplaced.isEmpty(), qPrintable(QStringLiteral("message box ") + boxMisplaced));
    }
}

void WindowTest::placedOnEachLayout_data()
{
    // The first monitor of each layout is the primary one.
    QTest::addColumn<QList<QRect>>("monitors");
    QTest::newRow("one monitor") << QList<QRect>{{0, 0, 1920, 1080}};
    QTest::newRow("two side by side") << QList<QRect>{{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}};
    QTest::newRow("laptop, larger monitor right") << QList<QRect>{{0, 0, 1366, 768}, {1366, 0, 1920, 1080}};
    QTest::newRow("laptop right of a larger monitor") << QList<QRect>{{1920, 312, 1366, 768}, {0, 0, 1920, 1080}};
    QTest::newRow("laptop below a larger monitor") << QList<QRect>{{277, 1080, 1366, 768}, {0, 0, 1920, 1080}};
    QTest::newRow("monitor smaller than the window") << QList<QRect>{{0, 0, 400, 200}};
}

void WindowTest::placedOnEachLayout()
{
    QFETCH(QList<QRect>, monitors);
    // The platform's monitors are fixed for the life of a process: each layout gets one.
    QJsonArray screens;
    for (const QRect &monitor : monitors) {
        screens.append(QJsonObject{{"name", QStringLiteral("monitor %1").arg(screens.size())},
                                   {"x", monitor.x()}, {"y", monitor.y()},
                                   {"width", monitor.width()}, {"height", monitor.height()},
                                   {"logicalDpi", 96}, {"logicalBaseDpi", 96}, {"dpr", 1}});
    }
    QTemporaryDir dir;
    QFile config(dir.filePath(QStringLiteral("screens.json")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(QJsonDocument(QJsonObject{{"screens", screens}}).toJson());
    config.close();

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config.fileName());
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("placedOnPrimaryMonitor")});
    QVERIFY(child.waitForFinished(120000));
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, child.readAll().constData());
}

void WindowTest::platformChoice_data()
{
    QTest::addColumn<DesktopFacts>("facts");
    QTest::addColumn<QByteArray>("platform");
    // userChosePlatform, wayland, compositorDecorates, xServer, xWindowsScaled
    QTest::newRow("user's choice") << DesktopFacts{true, true, false, true, false} << QByteArray();
    QTest::newRow("no compositor") << DesktopFacts{false, false, false, true, false} << QByteArray();
    QTest::newRow("compositor draws title bars") << DesktopFacts{false, true, true, true, false}
                                                 << QByteArray("wayland;xcb");
    QTest::newRow("client draws them, X server") << DesktopFacts{false, true, false, true, false}
                                                 << QByteArray("xcb;wayland");
    QTest::newRow("client draws them, no X server") << DesktopFacts{false, true, false, false, false}
                                                    << QByteArray("wayland;xcb");
    QTest::newRow("client draws them, X11 windows scaled") << DesktopFacts{false, true, false, true, true}
                                                      << QByteArray("wayland;xcb");
}

void WindowTest::platformChoice()
{
    QFETCH(DesktopFacts, facts);
    QFETCH(QByteArray, platform);
    QCOMPARE(QByteArray(platformFor(facts)), platform);
}

namespace {
// A mode's flags as a compositor sends them: the monitor's own, best mode is preferred, and
// need not be the one it runs in.
constexpr uint32_t Current = WL_OUTPUT_MODE_CURRENT | WL_OUTPUT_MODE_PREFERRED;
constexpr uint32_t CurrentOnly = WL_OUTPUT_MODE_CURRENT;
constexpr uint32_t Preferred = WL_OUTPUT_MODE_PREFERRED;
constexpr uint32_t Other = 0;

struct Mode
{
    uint32_t flags;
    int32_t width;
    int32_t height;
};

// A monitor as a compositor tells it: its transform, its modes in the order it lists them,
// then its place and size in the layout.
MonitorFacts monitor(int32_t transform, const std::vector<Mode> &modes, QRect layout)
{
    MonitorFacts facts;
    facts.turned(transform);
    for (const Mode &mode : modes)
        facts.mode(mode.flags, mode.width, mode.height);
    facts.placed(layout.x(), layout.y());
    facts.layout(layout.width(), layout.height());
    return facts;
}
} // namespace

void WindowTest::scaledMonitors_data()
{
    QTest::addColumn<std::vector<MonitorFacts>>("monitors");
    QTest::addColumn<QSize>("xScreen");
    QTest::addColumn<bool>("scaled");
    const int32_t normal = WL_OUTPUT_TRANSFORM_NORMAL;
    const MonitorFacts plain = monitor(normal, {{Current, 1920, 1080}}, {0, 0, 1920, 1080});
    const MonitorFacts doubled = monitor(normal, {{Current, 1920, 1080}}, {0, 0, 960, 540});
    const MonitorFacts plainRight = monitor(normal, {{Current, 1920, 1080}}, {960, 0, 1920, 1080});
    const MonitorFacts doubledRight = monitor(normal, {{Current, 1920, 1080}}, {1920, 0, 960, 540});
    using Monitors = std::vector<MonitorFacts>;
    // An X screen as large as the layout: Xwayland works in the layout's units.
    QTest::newRow("100 %") << Monitors{plain} << QSize(1920, 1080) << false;
    QTest::newRow("200 %") << Monitors{doubled} << QSize(960, 540) << true;
    QTest::newRow("turned a quarter, 100 %")
        << Monitors{monitor(WL_OUTPUT_TRANSFORM_90, {{Current, 1920, 1080}}, {0, 0, 1080, 1920})} << QSize(1080, 1920)
        << false;
    QTest::newRow("turned three quarters and flipped, 100 %")
        << Monitors{monitor(WL_OUTPUT_TRANSFORM_FLIPPED_270, {{Current, 1920, 1080}}, {0, 0, 1080, 1920})}
        << QSize(1080, 1920) << false;
    QTest::newRow("upside down, 100 %") << Monitors{monitor(WL_OUTPUT_TRANSFORM_180, {{Current, 1920, 1080}}, {0, 0, 1920, 1080})}
                                        << QSize(1920, 1080) << false;
    // The current mode is the one that counts, wherever the monitor lists it.
    const std::vector<Mode> modeLists[] = {
        {{Current, 1920, 1080}, {Other, 1280, 720}, {Other, 2560, 1440}},
        {{Other, 2560, 1440}, {Current, 1920, 1080}, {Other, 1280, 720}},
        {{Other, 1280, 720}, {Other, 2560, 1440}, {Current, 1920, 1080}},
        {{Preferred, 2560, 1440}, {CurrentOnly, 1920, 1080}, {Other, 1280, 720}},
    };
    const char *const listed[] = {"first", "in the middle", "last", "not the preferred one"};
    for (int i = 0; i < 4; ++i) {
        QTest::addRow("current mode %s of several, 100 %%", listed[i])
            << Monitors{monitor(normal, modeLists[i], {0, 0, 1920, 1080})} << QSize(1920, 1080) << false;
    }
    QTest::newRow("second of two scaled") << Monitors{plain, doubledRight} << QSize(2880, 1080) << true;
    QTest::newRow("first of two scaled") << Monitors{doubled, plainRight} << QSize(2880, 1080) << true;
    QTest::newRow("two at 100 %") << Monitors{plain, monitor(normal, {{Current, 1920, 1080}}, {1920, 0, 1920, 1080})}
                                  << QSize(3840, 1080) << false;
    QTest::newRow("one of two without its layout")
        << Monitors{plain, monitor(normal, {{Current, 1920, 1080}}, {0, 0, 0, 0})} << QSize(1920, 1080) << false;
    // Xwayland drawing in device pixels, at the largest scale (mutter 48).
    QTest::newRow("200 %, X in device pixels") << Monitors{doubled} << QSize(1920, 1080) << false;
    QTest::newRow("150 %, X at twice the layout")
        << Monitors{monitor(normal, {{Current, 1920, 1080}}, {0, 0, 1280, 720})} << QSize(2560, 1440) << true;
    QTest::newRow("two at 200 %, X in device pixels")
        << Monitors{doubled, monitor(normal, {{Current, 3840, 2160}}, {960, 0, 1920, 1080})} << QSize(5760, 2160) << false;
    QTest::newRow("100 % beside 200 %, X at twice the layout") << Monitors{plain, doubledRight} << QSize(5760, 2160)
                                                               << true;
}

void WindowTest::scaledMonitors()
{
    QFETCH(std::vector<MonitorFacts>, monitors);
    QFETCH(QSize, xScreen);
    QFETCH(bool, scaled);
    QCOMPARE(MonitorFacts::xWindowsScaled(monitors, xScreen), scaled);
}

void WindowTest::timerRunsBeforeShown()
{
    TA0 window;
    auto *timer = window.findChild<TickTimer *>(QStringLiteral("F5"));
    QVERIFY(timer && timer->isActive());
    QVERIFY(window.pictureFailures().isEmpty());

    // Ticks are counted without any event loop running.
    QTest::qSleep(5);
    QVERIFY(timer->takeTicks() > 0);
    timer->stop();
    QVERIFY(!timer->isActive());
    const QString stoppedAt = window.cyclerLetter();
    QTest::qSleep(20);
    QCOMPARE(timer->takeTicks(), 0u);
    QCOMPARE(window.cyclerLetter(), stoppedAt);
}

void WindowTest::startsWithRestPicture()
{
    WindowFixture f;
    const QImage rest = f.control<PictureBox>("C6")->picture();
    QCOMPARE(rest.size(), QSize(79, 75));
    QCOMPARE(f.control<PictureBox>("B2")->picture(), rest);
    QCOMPARE(f.text("F6"), QStringLiteral("A"));
    QCOMPARE(f.window->letterToGuess(), QStringLiteral("A"));
}

void WindowTest::logoIsTransparentWhereCyan()
{
    WindowFixture f;
    const QImage logo = f.control<PictureBox>("B0")->picture();
    QCOMPARE(logo.size(), QSize(64, 64));
    QCOMPARE(qAlpha(logo.pixel(0, 63)), 0);
    int opaque = 0;
    for (int y = 0; y < logo.height(); ++y) {
        for (int x = 0; x < logo.width(); ++x)
            opaque += qAlpha(logo.pixel(x, y)) == 255;
    }
    QVERIFY(opaque > 200); // the flags themselves stay
}

void WindowTest::readableOnEveryScheme_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<bool>("panels");
    QTest::addColumn<bool>("designKept");
    const QPalette breezeDark = scheme(QColor(0x292c30), QColor(0x202326), QColor(0xfcfcfc));
    QTest::newRow("light") << QApplication::style()->standardPalette() << false << true;
    QTest::newRow("Breeze Dark") << breezeDark << false << false;
    QTest::newRow("Breeze Dark, boxes drawn as panels") << breezeDark << true << false;
    QTest::newRow("Adwaita-dark") << scheme(QColor(0x323232), QColor(0x353535), QColor(0xeeeeec)) << false << false;
    QTest::newRow("qt6ct darker") << scheme(QColor(0x424245), QColor(0x222020), Qt::white) << false << false;
    QTest::newRow("high contrast dark") << scheme(Qt::black, Qt::black, Qt::white) << false << false;
    QTest::newRow("high contrast light") << scheme(Qt::white, Qt::white, Qt::black) << false << true;
}

void WindowTest::readableOnEveryScheme()
{
    QFETCH(QPalette, palette);
    QFETCH(bool, panels);
    QFETCH(bool, designKept);
    const QPalette original = QApplication::palette();
    const QString originalStyle = QApplication::style()->name();
    const auto restore = qScopeGuard([&] {
        QApplication::setStyle(originalStyle);
        QApplication::setPalette(original);
    });

    // Under a style of the desktop's, receiving, with a score, in hidden mode: the scheme
    // changes under a lesson.
    if (panels)
        QApplication::setStyle(new PanelStyle);
    WindowFixture f;
    f.showHiddenControls();
    f.click("B5");
    for (int answer = 0; answer < 2; ++answer)
        f.type(f.window->letterToGuess());
    f.click("G0");
    const QStringList scores = f.scores();
    QCOMPARE(scores, (QStringList{"2", "1", "1", "3", "66 %"}));
    const QImage picture = f.displayPicture();

    // The numbers follow once the change has gone through the window's events.
    QApplication::setPalette(palette);
    QTest::qWait(10);
    QCOMPARE(f.scores(), scores);
    QCOMPARE(f.control<QPushButton>("B5")->text(), TA0::StopCaption);
    QCOMPARE(f.displayPicture(), picture);
    QVERIFY(f.control("F6")->isVisible());

    const QImage shot = f.window->grab().toImage();
    const auto check = [&](const char *code, double needed) {
        const QWidget *widget = f.control(code);
        const auto [background, ink] = backgroundAndInk(shot, QRect(widget->mapTo(f.window.get(), QPoint()), widget->size()));
        const double contrast = ReadableColour::contrast(ink, background);
        QVERIFY2(contrast >= needed, qPrintable(QStringLiteral("%1: %2 on %3 is %4 : 1").arg(QLatin1String(code),
                 ink.name(), background.name()).arg(contrast, 0, 'f', 2)));
    };
    const std::pair<const char *, QColor> numbers[] = {{"B7", QColor(0, 128, 0)}, {"B9", QColor(255, 0, 0)},
        {"C1", QColor(0, 0, 255)}, {"C3", QColor(128, 128, 0)}, {"C5", QColor(128, 0, 128)}};
    for (const auto &[code, design] : numbers) {
        if (designKept)
            QCOMPARE(f.control(code)->palette().color(QPalette::WindowText), design);
        check(code, designKept ? 3 : 4.5);
    }
    for (const char *code : {"F6", "F7", "F8", "F9", "G0"})
        check(code, 4.5);
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
