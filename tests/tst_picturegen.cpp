// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The picture generator: its positions against the semaphore alphabet's own
// rule, its drawings, and its output against the committed files.

#include "figure.h"
#include "jpegwriter.h"
#include "scene.h"
#include "semaphore.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <optional>
#include <utility>

namespace {

using Pair = std::pair<int, int>; // two clock positions, smaller first

Pair positions(const Signal &signal)
{
    const int a = int(signal.viewerLeft), b = int(signal.viewerRight);
    return {std::min(a, b), std::max(a, b)};
}

// The alphabet by circles of the semaphore clock (0 down, then clockwise as
// the viewer sees it: 1 down-left ... 7 down-right). In circle c one arm
// holds position c while the other steps round through c+1 .. 7; '-' marks
// the two steps that are not letters.
QMap<char, Pair> lettersByCircles()
{
    const char *const circles[] = {"ABCDEFG", "HIKLMN", "OPQRS", "TUY-", "-JV", "WX", "Z"};
    QMap<char, Pair> letters{{' ', {0, 0}}};
    for (int circle = 0; circle < 7; ++circle) {
        const QByteArray steps(circles[circle]);
        Q_ASSERT(steps.size() == 7 - circle);
        for (int i = 0; i < steps.size(); ++i)
            if (steps[i] != '-')
                letters.insert(steps[i], {circle, circle + 1 + i});
    }
    return letters;
}

bool isFigureColour(QRgb pixel)
{
    return pixel == figure::black || pixel == figure::flagRed || pixel == figure::flagWhite;
}

// The figure alone: its pixels where the picture departs from the landscape.
std::optional<QRgb> figurePixel(const QImage &picture, const QImage &background, int x, int y)
{
    const QRgb pixel = picture.pixel(x, y);
    if (pixel == background.pixel(x, y))
        return std::nullopt;
    return pixel;
}

QString signalName(const Signal &signal)
{
    return signal.letter == ' ' ? QStringLiteral("rest") : QString(QChar::fromLatin1(signal.letter));
}

QStringList expectedFiles()
{
    QStringList names{QStringLiteral("space.jpg"), QStringLiteral("logo.bmp"),
                      QStringLiteral("icon.png"), QStringLiteral("icon-16.png")};
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        names << QString(QChar::fromLatin1(letter)) + QStringLiteral(".jpg");
    for (int size : {48, 64, 128, 256})
        names << QStringLiteral("icon-%1.png").arg(size);
    names.sort();
    return names;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The menu icons are drawn smooth, and Qt blends their edges with code it picks for the
// processor it runs on: another processor may put a few edge pixels one level apart.
bool sameSmoothIcon(const QByteArray &generated, const QByteArray &committed)
{
    const QImage a = QImage::fromData(generated, "PNG").convertToFormat(QImage::Format_ARGB32);
    const QImage b = QImage::fromData(committed, "PNG").convertToFormat(QImage::Format_ARGB32);
    if (a.isNull() || a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 1 || std::abs(qGreen(p) - qGreen(q)) > 1
                || std::abs(qBlue(p) - qBlue(q)) > 1 || std::abs(qAlpha(p) - qAlpha(q)) > 1)
                return false;
        }
    return true;
}

} // namespace

class TestPictureGen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void positionsFollowTheCircles();
    void armsCrossOnlyWhenBothPointOneWay();
    void sharedBackground_data();
    void sharedBackground();
    void mirroredLettersAreMirroredDrawings();
    void encoderReportsFailure();
    void generatorWritesEveryFile();
    void generatorReproducesCommittedFiles_data();
    void generatorReproducesCommittedFiles();
    void generatorReportsUnwritableFolder();

private:
    QTemporaryDir m_output;
};

void TestPictureGen::initTestCase()
{
    QVERIFY(m_output.isValid());
    QProcess generator;
    generator.start(QStringLiteral(PICTUREGEN), {m_output.path()});
    QVERIFY(generator.waitForFinished(120000));
    QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
    QVERIFY2(generator.exitCode() == 0, generator.readAllStandardError().constData());
}

void TestPictureGen::positionsFollowTheCircles()
{
    const QMap<char, Pair> expected = lettersByCircles();
    QCOMPARE(expected.size(), 27);
    QMap<char, Pair> drawn;
    for (const Signal &signal : semaphore::alphabet()) {
        QVERIFY2(!drawn.contains(signal.letter), qPrintable(signalName(signal)));
        drawn.insert(signal.letter, positions(signal));
    }
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const Pair got = drawn.value(it.key(), {-1, -1});
        QVERIFY2(got == it.value(),
                 qPrintable(QStringLiteral("%1: drawn %2/%3, expected %4/%5")
                                .arg(QChar::fromLatin1(it.key()))
                                .arg(got.first)
                                .arg(got.second)
                                .arg(it.value().first)
                                .arg(it.value().second)));
    }
}

// Each arm keeps to its own side of the body unless both flags point the
// same way; then exactly one arm reaches across.
void TestPictureGen::armsCrossOnlyWhenBothPointOneWay()
{
    auto side = [](int p) { return p >= 1 && p <= 3 ? -1 : p >= 5 ? 1 : 0; };
    for (const Signal &signal : semaphore::alphabet()) {
        const int a = int(signal.viewerLeft), b = int(signal.viewerRight);
        const bool oneWay = side(a) != 0 && side(a) == side(b);
        const int crossing = int(semaphore::crossesBody(Shoulder::ViewerLeft, signal.viewerLeft))
                             + int(semaphore::crossesBody(Shoulder::ViewerRight, signal.viewerRight));
        QVERIFY2(crossing == (oneWay ? 1 : 0), qPrintable(signalName(signal)));
    }
}

void TestPictureGen::sharedBackground_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(semaphore::alphabet().size()); ++i)
        QTest::newRow(qPrintable(signalName(semaphore::alphabet()[std::size_t(i)]))) << i;
}

// Every picture is the one landscape with the figure on top, drawn in its
// three colours only, and nothing of the figure reaches the frame.
void TestPictureGen::sharedBackground()
{
    QFETCH(int, index);
    const QImage background = scene::background();
    const QImage picture = figure::picture(semaphore::alphabet()[std::size_t(index)]);
    QCOMPARE(picture.size(), QSize(scene::width, scene::height));
    QRect figureArea;
    for (int y = 0; y < scene::height; ++y) {
        for (int x = 0; x < scene::width; ++x) {
            QVERIFY(!isFigureColour(background.pixel(x, y)));
            if (picture.pixel(x, y) == background.pixel(x, y))
                continue;
            QVERIFY2(isFigureColour(picture.pixel(x, y)),
                     qPrintable(QStringLiteral("stray colour at %1,%2").arg(x).arg(y)));
            figureArea |= QRect(x, y, 1, 1);
        }
    }
    // At least one pixel of landscape between the figure and the frame.
    const QRect inside(2, 2, scene::width - 4, scene::height - 4);
    QVERIFY2(inside.contains(figureArea),
             qPrintable(QStringLiteral("figure spans %1,%2 to %3,%4")
                            .arg(figureArea.left())
                            .arg(figureArea.top())
                            .arg(figureArea.right())
                            .arg(figureArea.bottom())));
}

// A letter whose mirror image is also a letter (A and G, H and Z, R and
// itself...) must be drawn as that letter's exact mirror image: one drawing
// per arm position, the same on either side.
void TestPictureGen::mirroredLettersAreMirroredDrawings()
{
    const QImage background = scene::background();
    auto mirror = [](Clock c) { return static_cast<Clock>((8 - int(c)) % 8); };
    int pairs = 0;
    for (const Signal &signal : semaphore::alphabet()) {
        const Signal reflected{'?', mirror(signal.viewerRight), mirror(signal.viewerLeft)};
        for (const Signal &other : semaphore::alphabet()) {
            if (other.viewerLeft != reflected.viewerLeft || other.viewerRight != reflected.viewerRight)
                continue;
            ++pairs;
            const QImage a = figure::picture(signal), b = figure::picture(other);
            for (int y = 0; y < scene::height; ++y)
                for (int x = 0; x < scene::width; ++x)
                    QVERIFY2(figurePixel(a, background, x, y)
                                 == figurePixel(b, background, scene::width - 1 - x, y),
                             qPrintable(signalName(signal) + QStringLiteral(" / ")
                                        + signalName(other)
                                        + QStringLiteral(" at %1,%2").arg(x).arg(y)));
        }
    }
    QCOMPARE(pairs, 22); // rest, N, R, U with themselves; nine pairs of letters both ways
}

void TestPictureGen::encoderReportsFailure()
{
    try {
        JpegWriter::encode(QImage());
        QFAIL("an empty image was encoded");
    } catch (const JpegError &error) {
        QVERIFY(qstrlen(error.what()) > 0);
    }
}

void TestPictureGen::generatorWritesEveryFile()
{
    QCOMPARE(QDir(m_output.path()).entryList(QDir::Files, QDir::Name), expectedFiles());
}

void TestPictureGen::generatorReproducesCommittedFiles_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : expectedFiles())
        QTest::newRow(qPrintable(name)) << name;
}

void TestPictureGen::generatorReproducesCommittedFiles()
{
    QFETCH(QString, name);
    const QByteArray generated = readFile(QDir(m_output.path()).filePath(name));
    const QByteArray committed = readFile(QStringLiteral(PICTURES_DIR "/") + name);
    QVERIFY(!generated.isEmpty());
    const bool smooth = name.startsWith(QStringLiteral("icon-")) && name != QStringLiteral("icon-16.png");
    QVERIFY2(generated == committed || (smooth && sameSmoothIcon(generated, committed)),
             "regenerate with: cmake --build <build> --target pictures");
}

void TestPictureGen::generatorReportsUnwritableFolder()
{
    QTemporaryDir scratch;
    QFile blocker(scratch.filePath(QStringLiteral("occupied")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QProcess generator;
    generator.start(QStringLiteral(PICTUREGEN), {blocker.fileName() + QStringLiteral("/pictures")});
    QVERIFY(generator.waitForFinished(120000));
    QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
    QVERIFY(generator.exitCode() != 0);
    QVERIFY(QString::fromLocal8Bit(generator.readAllStandardError()).contains(blocker.fileName()));
}

QTEST_GUILESS_MAIN(TestPictureGen)
#include "tst_picturegen.moc"
