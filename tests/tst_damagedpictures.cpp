// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "jpegdecoder.h"
#include "signaltable.h"

#include <QFile>
#include <QImage>
#include <QTest>

#include <random>

// Damaged copies of every embedded picture: cut short, with bits flipped, bytes overwritten,
// removed, repeated or inserted, markers planted. The decoder must name what is wrong or give
// back a whole image, and never crash, hang or touch memory it should not (the sanitizer
// build runs this too). The damage comes from a fixed seed, so a failure repeats.
class DamagedPicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cutShort();
    void randomDamage();

private:
    struct Picture
    {
        QString name;
        QByteArray data;
    };
    QList<Picture> m_pictures;
};

namespace {

constexpr std::uint32_t Seed = 20060912;
constexpr int DamagedCopiesPerPicture = 400;

// What decoding `data` came to: empty when it threw a PictureError with a reason or gave
// a whole image; otherwise what was wrong with the outcome.
QString outcomeProblem(const QByteArray &data)
{
    try {
        const QImage image = JpegDecoder::decode(data);
        if (image.isNull() || image.format() != QImage::Format_RGB888 || image.width() > JpegDecoder::MaxSide
            || image.height() > JpegDecoder::MaxSide)
            return QStringLiteral("decoded to an unusable image of %1 × %2").arg(image.width()).arg(image.height());
        return {};
    } catch (const PictureError &error) {
        if (QByteArray(error.what()).trimmed().isEmpty())
            return QStringLiteral("an error without a reason");
        return {};
    }
}

// Applies one to four random edits to `data` and says which, so that a failure can be read.
QString damage(QByteArray &data, std::mt19937 &random)
{
    const auto below = [&random](qsizetype n) { return qsizetype(std::uniform_int_distribution<qsizetype>(0, n - 1)(random)); };
    QStringList edits;
    for (qsizetype count = 1 + below(4); count > 0 && !data.isEmpty(); --count) {
        const qsizetype at = below(data.size());
        switch (below(6)) {
        case 0: {
            const int bit = int(below(8));
            data[at] = char(data[at] ^ (1 << bit));
            edits << QStringLiteral("bit %1 of byte %2 flipped").arg(bit).arg(at);
            break;
        }
        case 1:
            data[at] = char(below(256));
            edits << QStringLiteral("byte %1 set to %2").arg(at).arg(quint8(data[at]));
            break;
        case 2:
            // 0xFF starts a marker: a planted one throws the decoder out of step.
            data[at] = char(0xFF);
            edits << QStringLiteral("byte %1 set to 255").arg(at);
            break;
        case 3: {
            const qsizetype length = 1 + below(16);
            data.remove(at, length);
            edits << QStringLiteral("%1 bytes removed at %2").arg(length).arg(at);
            break;
        }
        case 4: {
            const qsizetype from = below(data.size());
            const qsizetype length = 1 + below(64);
            data.insert(at, data.mid(from, length));
            edits << QStringLiteral("bytes from %1 (up to %2) repeated at %3").arg(from).arg(length).arg(at);
            break;
        }
        default: {
            QByteArray junk;
            for (qsizetype n = 1 + below(8); n > 0; --n)
                junk += char(below(256));
            data.insert(at, junk);
            edits << QStringLiteral("%1 random bytes inserted at %2").arg(junk.size()).arg(at);
            break;
        }
        }
    }
    return edits.join(QStringLiteral(", "));
}

} // namespace

void DamagedPicturesTest::initTestCase()
{
    for (int row = 0; row < SignalTable::Count; ++row) {
        QFile file(SignalTable::resourcePath(row));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        m_pictures << Picture{file.fileName(), file.readAll()};
        // Undamaged, each is whole: what follows tests the damage, not the pictures.
        QCOMPARE(JpegDecoder::decode(m_pictures.back().data).size(), QSize(79, 75));
    }
}

void DamagedPicturesTest::cutShort()
{
    // Every length of the first picture, and lengths picked at random from the others.
    std::mt19937 random(Seed);
    for (const Picture &picture : std::as_const(m_pictures)) {
        QList<qsizetype> lengths;
        if (&picture == &m_pictures.front()) {
            for (qsizetype length = 1; length < picture.data.size(); ++length)
                lengths << length;
        } else {
            for (int n = 0; n < 100; ++n)
                lengths << std::uniform_int_distribution<qsizetype>(1, picture.data.size() - 1)(random);
        }
        for (const qsizetype length : std::as_const(lengths)) {
            try {
                JpegDecoder::decode(picture.data.left(length));
                QFAIL(qPrintable(QStringLiteral("%1 cut to %2 bytes decoded").arg(picture.name).arg(length)));
            } catch (const PictureError &error) {
                QVERIFY2(QByteArray(error.what()).contains("Premature end"),
                         qPrintable(QStringLiteral("%1 cut to %2 bytes: %3").arg(picture.name).arg(length).arg(error.what())));
            }
        }
    }
}

void DamagedPicturesTest::randomDamage()
{
    std::mt19937 random(Seed);
    for (const Picture &picture : std::as_const(m_pictures)) {
        for (int copy = 0; copy < DamagedCopiesPerPicture; ++copy) {
            QByteArray data = picture.data;
            const QString edits = damage(data, random);
            const QString problem = outcomeProblem(data);
            QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("%1, damaged copy %2 (%3): %4")
                                                       .arg(picture.name).arg(copy).arg(edits, problem)));
        }
    }
}

QTEST_GUILESS_MAIN(DamagedPicturesTest)
#include "tst_damagedpictures.moc"
