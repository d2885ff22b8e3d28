// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "a00.h"

#include "announcer.h"
#include "applicationtitle.h"
#include "clicklabel.h"
#include "fontchoice.h"
#include "messagebox.h"
#include "picturebox.h"
#include "readablecolour.h"
#include "scorebox.h"
#include "signalpictures.h"
#include "ticktimer.h"
#include "windowkeeper.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

const QString SendingHelp = QStringLiteral(
    "Pro přijímání vlajkorové abecedy stiskněte tlačítko Start.\n"
    "Pro vysílání vlajkorové abecedy (jiné osobě u vašeho počítače) pište zprávu na klávesnici, "
    "slova oddělujte mezerníkem.");
const QString ReceivingHelp = QStringLiteral(
    "Určete vysílané písmeno a zadejte ho na klávesnici. Nejde o ucelená slova. Čísla vysílaná nejsou.\n"
    "Pro ukončení přijímání vlajkorové abecedy stiskněte tlačítko Stop.");
const QString AboutText =
    QStringLiteral("Vlajkor - v1.0 (12.9.2006) Program na procvičování vlajkorové abecedy.");

constexpr QSize ClientSize(449, 217);

// The face the design asks for, unchecked: for the hidden mode's texts until it is first shown.
QFont designFont(const QString &family, int pixels)
{
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

// Whether the ink of `text` in `font` stays inside `area`: for one line in a fixed control.
bool inkFits(const QFont &font, const QString &text, const QSize &area)
{
    const QRect ink = QFontMetrics(font).tightBoundingRect(text);
    return ink.width() <= area.width() && ink.height() <= area.height();
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
    // On the window's button-face background the role would default to ButtonText.
    widget->setForegroundRole(QPalette::WindowText);
}

template <typename Widget>
Widget *place(Widget *widget, const char *code, const QRect &geometry, bool visible = true)
{
    widget->setObjectName(QLatin1String(code));
    widget->setGeometry(geometry);
    widget->setVisible(visible);
    return widget;
}

QLabel *wrappedLabel(QWidget *parent, const char *code, const QRect &geometry, const QString &text,
                     bool visible = true)
{
    auto *label = place(new QLabel(text, parent), code, geometry, visible);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

ScoreBox *scoreBox(QWidget *parent, const char *code, int left, const QString &title)
{
    return place(new ScoreBox(title, parent), code, QRect(left, 166, 81, 43));
}

// Coloured once the scheme's background is known, by followColourScheme.
QLabel *scoreLabel(ScoreBox *box, const char *code, const QFont &font)
{
    auto *label = place(new QLabel(QStringLiteral("0"), box), code, QRect(8, 14, 65, 25));
    label->setAlignment(Qt::AlignCenter);
    label->setFont(font);
    return label;
}

ClickLabel *adjustLabel(ScoreBox *box, const char *code, int left, const QString &sign, const QFont &font)
{
    auto *label = place(new ClickLabel(sign, box), code, QRect(left, 16, 17, 19), false);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(font);
    return label;
}

QString folded(const QString &key)
{
    if (key.size() == 1 && key.front() >= u'a' && key.front() <= u'z')
        return key.toUpper();
    return key;
}

const QString &letterAfter(const QString &letter)
{
    static const auto alphabet = [] {
        std::array<QString, 26> letters;
        for (int i = 0; i < 26; ++i)
            letters[i] = QString(QChar(u'A' + i));
        return letters;
    }();
    const int index = letter.size() == 1 ? letter.front().unicode() - u'A' : -1;
    return alphabet[index >= 0 && index < 25 ? index + 1 : 0];
}

} // namespace

// On Windows the fixed-size hint gives the thin frame that cannot be dragged; X11 and
// Wayland ignore it.
TA0::TA0(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("A0"));
    setWindowTitle(ApplicationTitle);
    QIcon icon;
    // Title bars and task bars want small sizes; the large ones are for menus and are installed, not embedded.
    for (const char *size : {"", "-48", "-64"})
        icon.addFile(QStringLiteral(":/pictures/icon%1.png").arg(QLatin1String(size)));
    setWindowIcon(icon);
    setFixedSize(ClientSize);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    buildControls();
    setFont(FontChoice::choose(QStringLiteral("MS Sans Serif"), 11, [this](const QFont &font) { return textsFit(font); }));
    loadPictures();
    // The style may set colours of its own as it polishes, so the numbers are coloured after.
    ensurePolished();
    followColourScheme();
    m_announcer = new Announcer(this);
    m_announcer->scoreChanged(m_score.fields());

    F5 = new TickTimer(this);
    F5->setObjectName(QStringLiteral("F5"));
    F5->start();

    new WindowKeeper(this);
}

void TA0::buildControls()
{
    B3 = wrappedLabel(this, "B3", QRect(312, 8, 129, 121), SendingHelp);
    B4 = wrappedLabel(this, "B4", QRect(312, 8, 129, 121), ReceivingHelp, false);
    B2 = place(new PictureBox(PictureBox::Fit::Stretch, this), "B2", QRect(146, 8, 158, 150));
    B0 = place(new PictureBox(PictureBox::Fit::Natural, this), "B0", QRect(41, 8, 64, 64));
    B1 = wrappedLabel(this, "B1", QRect(8, 80, 129, 81), AboutText);

    // The holders sit in a grid below the client area, where they are never seen.
    for (int row = 0; row < SignalTable::Count; ++row) {
        const QRect cell(8 + 48 * (row % 8), 224 + 48 * (row / 8), 39, 42);
        m_holders[row] = place(new PictureBox(PictureBox::Fit::Stretch, this),
                               qPrintable(SignalTable::holderCode(row)), cell, false);
    }

    F6 = place(new QLabel(QStringLiteral("A"), this), "F6", QRect(148, 140, 17, 17), false);
    F6->setAlignment(Qt::AlignCenter);
    F6->setTextFormat(Qt::PlainText);
    F6->setFont(designFont(QStringLiteral("Verdana"), 12));
    setTextColour(F6, Qt::white);

    // The widest figure the row shows before any answer, and the two signs.
    const QFont numbers = FontChoice::choose(QStringLiteral("MS Sans Serif"), 19, [](const QFont &font) {
        return inkFits(font, ScoreBoard::NoRate, QSize(65, 25));
    });
    const QFont signs = designFont(QStringLiteral("Verdana"), 16);
    C2 = scoreBox(this, "C2", 272, QStringLiteral("Počet pokusů"));
    C3 = scoreLabel(C2, "C3", numbers);
    C0 = scoreBox(this, "C0", 184, QStringLiteral("Body celkem"));
    C1 = scoreLabel(C0, "C1", numbers);
    B8 = scoreBox(this, "B8", 96, QStringLiteral("Trestné body"));
    B9 = scoreLabel(B8, "B9", numbers);
    G0 = adjustLabel(B8, "G0", 56, QStringLiteral("+"), signs);
    F9 = adjustLabel(B8, "F9", 8, QStringLiteral("-"), signs);

    B5 = place(new QPushButton(StartCaption, this), "B5", QRect(336, 134, 81, 25));
    B5->setFocusPolicy(Qt::ClickFocus);
    B5->setAutoDefault(false);
    B5->installEventFilter(this);

    B6 = scoreBox(this, "B6", 8, QStringLiteral("Získané body"));
    B7 = scoreLabel(B6, "B7", numbers);
    F7 = adjustLabel(B6, "F7", 8, QStringLiteral("-"), signs);
    F8 = adjustLabel(B6, "F8", 56, QStringLiteral("+"), signs);
    C4 = scoreBox(this, "C4", 360, QStringLiteral("Úspěšnost"));
    C5 = scoreLabel(C4, "C5", numbers);
    C5->setText(ScoreBoard::NoRate);
    m_numberColours = {{{B7, QColor(0, 128, 0)},
                        {B9, QColor(255, 0, 0)},
                        {C1, QColor(0, 0, 255)},
                        {C3, QColor(128, 128, 0)},
                        {C5, QColor(128, 0, 128)}}};

    connect(B5, &QPushButton::clicked, this, &TA0::B5Click);
    connect(F7, &ClickLabel::clicked, this, &TA0::F7Click);
    connect(F8, &ClickLabel::clicked, this, &TA0::F8Click);
    connect(F9, &ClickLabel::clicked, this, &TA0::F9Click);
    connect(G0, &ClickLabel::clicked, this, &TA0::G0Click);
}

bool TA0::textsFit(const QFont &font) const
{
    const QFontMetrics metrics(font);
    for (const QLabel *label : {B1, B3, B4}) {
        const QRect needed = metrics.boundingRect(QRect(QPoint(), QSize(label->width(), 10000)),
                                                  int(label->alignment()) | Qt::TextWordWrap, label->text());
        if (needed.width() > label->width() || needed.height() > label->height())
            return false;
    }
    if (!B6->rowFits(font))
        return false;
    return metrics.horizontalAdvance(StartCaption) < B5->width() && metrics.horizontalAdvance(StopCaption) < B5->width();
}

void TA0::loadPictures()
{
    m_pictures = new SignalPictures(this, m_holders);
    B2->setPicture(m_holders[0]->picture());
    B0->setPicture(PictureBox::withTransparentKey(QImage(QStringLiteral(":/pictures/logo.bmp"))));
}

QStringList TA0::pictureFailures() const
{
    return m_pictures->failures();
}

// Every handler runs inside one of these, as the design has it. In practice only an
// allocation failure (std::bad_alloc from Qt's containers) can reach it: nothing in the
// handlers throws on purpose, and damaged pictures are dealt with at loading. Without it
// such an exception would leave the handler through Qt's event loop and end the program,
// losing the score; with it the learner sees which handler failed and goes on.
template <typename Body>
void TA0::guarded(const QString &message, Body &&body)
{
    try {
        body();
    } catch (...) {
        MessageBox::inform(this, message);
    }
}

void TA0::changeEvent(QEvent *event)
{
    // The window hears of a new palette or style before its children take it up, so the
    // numbers are coloured once the change has gone through, still before the next paint.
    // Until the window is polished the constructor colours them.
    const bool schemeChanged = event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange;
    if (schemeChanged && testAttribute(Qt::WA_WState_Polished) && !m_recolourQueued) {
        m_recolourQueued = true;
        QMetaObject::invokeMethod(this, &TA0::followColourScheme, Qt::QueuedConnection);
    }
    QWidget::changeEvent(event);
}

void TA0::followColourScheme()
{
    m_recolourQueued = false;
    // The signs are drawn in the scheme's own text colour, which is made for its window, not
    // necessarily for a group box's panel.
    const QColor text = palette().color(QPalette::WindowText);
    // The five boxes are drawn alike, so one look at a field serves them all.
    const QColor field = ReadableColour::backgroundUnder(B7);
    for (const auto &[label, design] : m_numberColours) {
        setTextColour(label, ReadableColour::on(design, field));
        // The signs in the same box stand on the same field.
        for (ClickLabel *sign : label->parentWidget()->findChildren<ClickLabel *>())
            setTextColour(sign, ReadableColour::on(text, field));
    }
}

void TA0::keyPressEvent(QKeyEvent *event)
{
    if (!startStopKey(*event))
        deliverTypedKeys(*event);
}

bool TA0::startStopKey(const QKeyEvent &event)
{
    if (event.key() != Announcer::StartStopKey || event.modifiers() != Qt::NoModifier)
        return false;
    // Held down, it would start and stop over and over.
    if (!event.isAutoRepeat())
        B5->click();
    return true;
}

bool TA0::eventFilter(QObject *watched, QEvent *event)
{
    // A push button swallows Space and ignores Enter outside dialogs; here every
    // character typed on it is a keystroke of the window, and Space and Enter click it too.
    if (watched == B5 && event->type() == QEvent::KeyPress) {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        if (startStopKey(key))
            return true;
        deliverTypedKeys(key);
        if (key.key() == Qt::Key_Space || key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
            B5->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TA0::deliverTypedKeys(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab)
        return;
    // One event may carry several characters (an input method); each is a keystroke.
    const QString text = event.text();
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        const QString key = text.mid(i, length);
        i += length;
        // Tab moves focus and Delete types nothing: neither is a typed character here.
        if (key != u'\t' && key != u'\x7f')
            FormKeyPress(key);
    }
}

void TA0::FormKeyPress(const QString &key)
{
    guarded(QStringLiteral("Error 00A0"), [&] {
        const QString letter = folded(key);
        if (B5->text() == StartCaption) {
            showLetter(letter);
            F6->setText(letter);
            m_announcer->letterTyped(letter);
        } else {
            checkAnswer(letter);
        }
        if (m_recogniser.step(key))
            toggleHiddenMode();
    });
}

void TA0::showLetter(const QString &text)
{
    const int row = SignalTable::rowOf(text);
    if (row >= 0)
        B2->setPicture(m_holders[row]->picture());
}

void TA0::setF4(const QString &text)
{
    F4 = text;
    F4Change();
}

void TA0::F4Change()
{
    guarded(QStringLiteral("Error 00F4"), [this] {
        showLetter(F4);
        F6->setText(F4);
        m_announcer->pictureChanged(F4);
    });
}

void TA0::B5Click()
{
    guarded(QStringLiteral("Error 00B5"), [this] {
        // Typed characters must reach the window again, not the button.
        setFocus(Qt::OtherFocusReason);
        if (B5->text() == StartCaption) {
            B3->hide();
            B4->show();
            B5->setText(StopCaption);
            m_announcer->modeChanged(true);
            catchUpCycler();
            setF4(F3);
        } else {
            B3->show();
            B4->hide();
            B5->setText(StartCaption);
            m_announcer->modeChanged(false);
            setF4(QStringLiteral(" "));
        }
    });
}

void TA0::checkAnswer(const QString &folded)
{
    if (folded != F4) {
        // The penalty counts only once the learner has closed the message.
        MessageBox::inform(this, WrongAnswer);
        m_score.addPenalty();
        RefreshScore();
    } else {
        catchUpCycler();
        setF4(F3);
        m_score.addGained();
        RefreshScore();
        m_announcer->rightAnswer(m_score.fields());
    }
}

QString TA0::cyclerLetter()
{
    catchUpCycler();
    return F3;
}

void TA0::catchUpCycler()
{
    advanceCycler(F5->takeTicks());
}

void TA0::advanceCycler(quint64 ticks)
{
    // Every 26 ticks bring the cycler round to the same letter, so an hour's idle costs
    // no more steps than a millisecond's.
    for (auto steps = ticks % 26; steps > 0; --steps)
        F5Timer();
}

void TA0::F5Timer()
{
    try {
        F3 = letterAfter(F3);
        m_tickFailureReported = false;
    } catch (...) {
        if (!m_tickFailureReported) {
            m_tickFailureReported = true;
            MessageBox::inform(this, QStringLiteral("Chyba při výběru vysílaného znaku"));
        }
    }
}

void TA0::RefreshScore()
{
    guarded(QStringLiteral("Chyba při přepočítávání hodnocení"), [this] {
        const ScoreBoard::Fields shown = m_score.fields();
        B7->setText(shown.gained);
        B9->setText(shown.penalty);
        C1->setText(shown.total);
        C3->setText(shown.attempts);
        C5->setText(shown.rate);
        m_announcer->scoreChanged(shown);
    });
}

void TA0::F7Click()
{
    guarded(QStringLiteral("Error 00F7"), [this] {
        m_score.removeGained();
        RefreshScore();
    });
}

void TA0::F8Click()
{
    guarded(QStringLiteral("Error 00F8"), [this] {
        m_score.addGained();
        RefreshScore();
    });
}

void TA0::F9Click()
{
    guarded(QStringLiteral("Error 00F9"), [this] {
        m_score.removePenalty();
        RefreshScore();
    });
}

void TA0::G0Click()
{
    guarded(QStringLiteral("Error 00G0"), [this] {
        m_score.addPenalty();
        RefreshScore();
    });
}

void TA0::chooseHiddenModeFonts()
{
    // The widest letter the answer shows.
    F6->setFont(FontChoice::choose(QStringLiteral("Verdana"), 12, [](const QFont &font) {
        return inkFits(font, QStringLiteral("W"), QSize(17, 17));
    }));
    const QFont signs = FontChoice::choose(QStringLiteral("Verdana"), 16, [](const QFont &font) {
        return inkFits(font, QStringLiteral("+"), QSize(17, 19)) && inkFits(font, QStringLiteral("-"), QSize(17, 19));
    });
    for (QLabel *label : {F7, F8, F9, G0})
        label->setFont(signs);
    m_hiddenModeFontsChosen = true;
}

void TA0::toggleHiddenMode()
{
    const bool show = F6->isHidden();
    if (show && !m_hiddenModeFontsChosen)
        chooseHiddenModeFonts();
    F6->setVisible(show);
    for (QLabel *label : {F7, F8, F9, G0})
        label->setVisible(show);
    m_announcer->hiddenModeChanged(show);
}
