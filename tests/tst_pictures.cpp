// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The committed pictures, logo and icons, checked from their bytes: what the
// program embeds must be exactly the format it expects to decode.

#include <QFile>
#include <QImage>
#include <QSet>
#include <QtEndian>
#include <QtTest>

namespace {

QByteArray readPicture(const QString &name)
{
    QFile file(QStringLiteral(PICTURES_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QSet<QRgb> coloursOf(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

QStringList signalFiles()
{
    QStringList names{QStringLiteral("space.jpg")};
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        names << QString(QChar::fromLatin1(letter)) + QStringLiteral(".jpg");
    return names;
}

// What the marker segments before the scan say about a JPEG file.
struct JpegLayout {
    QString fault; // empty when the segments could be walked to the scan
    bool jfif = false, quantisation = false, frame = false, huffman = false, scan = false;
    QList<int> otherMarkers; // APPn other than APP0, COM, frames other than SOF0
    QList<int> quantisationValues;
    int precision = 0, width = 0, height = 0;
    QByteArray sampling; // one byte per component, horizontal factor in the high nibble
};

JpegLayout walkSegments(const QByteArray &bytes)
{
    JpegLayout layout;
    auto byte = [&](qsizetype i) { return quint8(bytes[i]); };
    if (bytes.size() < 4 || byte(0) != 0xff || byte(1) != 0xd8)
        return layout.fault = QStringLiteral("no SOI"), layout;
    qsizetype at = 2;
    while (!layout.scan) {
        if (at + 4 > bytes.size() || byte(at) != 0xff)
            return layout.fault = QStringLiteral("bad marker at %1").arg(at), layout;
        const int marker = byte(at + 1);
        const qsizetype length = qFromBigEndian<quint16>(bytes.constData() + at + 2);
        const qsizetype body = at + 4, end = at + 2 + length;
        if (length < 2 || end > bytes.size())
            return layout.fault = QStringLiteral("segment overruns at %1").arg(at), layout;
        if (marker == 0xe0) {
            layout.jfif = bytes.mid(body, 5) == QByteArray("JFIF", 5);
        } else if (marker == 0xdb) {
            layout.quantisation = true;
            for (qsizetype t = body; t < end; t += 65) {
                if (byte(t) >> 4 != 0) // 16-bit tables are not baseline
                    return layout.fault = QStringLiteral("16-bit quantisation table"), layout;
                for (int i = 1; i <= 64 && t + i < end; ++i)
                    layout.quantisationValues << byte(t + i);
            }
        } else if (marker == 0xc0) {
            layout.frame = true;
            layout.precision = byte(body);
            layout.height = qFromBigEndian<quint16>(bytes.constData() + body + 1);
            layout.width = qFromBigEndian<quint16>(bytes.constData() + body + 3);
            for (int c = 0; c < byte(body + 5); ++c)
                layout.sampling.append(bytes[body + 6 + 3 * c + 1]);
        } else if (marker == 0xc4) {
            layout.huffman = true;
        } else if (marker == 0xda) {
            layout.scan = true;
        } else {
            layout.otherMarkers << marker;
        }
        at = end;
    }
    return layout;
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void jpegFormat_data();
    void jpegFormat();
    void jpegsDecodeAndDiffer();
    void logoIsKeyedBitmap();
    void icons_data();
    void icons();
};

void TestPictures::jpegFormat_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : signalFiles())
        QTest::newRow(qPrintable(name)) << name;
}

void TestPictures::jpegFormat()
{
    QFETCH(QString, name);
    const QByteArray bytes = readPicture(name);
    QVERIFY2(bytes.size() >= 6000 && bytes.size() <= 7600,
             qPrintable(QStringLiteral("%1 bytes").arg(bytes.size())));

    const JpegLayout layout = walkSegments(bytes);
    QVERIFY2(layout.fault.isEmpty(), qPrintable(layout.fault));
    QVERIFY(layout.jfif);
    QVERIFY(layout.quantisation);
    QVERIFY(layout.frame);
    QVERIFY(layout.huffman);
    QVERIFY(layout.scan);
    QCOMPARE(layout.otherMarkers, QList<int>());
    QVERIFY(layout.quantisationValues.size() >= 64);
    QCOMPARE(QSet<int>(layout.quantisationValues.cbegin(), layout.quantisationValues.cend()),
             QSet<int>{1});
    QCOMPARE(layout.precision, 8);
    QCOMPARE(layout.width, 79);
    QCOMPARE(layout.height, 75);
    QCOMPARE(layout.sampling, QByteArray("\x22\x11\x11"));
    QVERIFY(bytes.endsWith("\xff\xd9"));
}

void TestPictures::jpegsDecodeAndDiffer()
{
    QList<QImage> decoded;
    for (const QString &name : signalFiles()) {
        const QImage image = QImage::fromData(readPicture(name), "JPEG");
        QVERIFY2(!image.isNull(), qPrintable(name));
        QCOMPARE(image.size(), QSize(79, 75));
        decoded << image;
    }
    for (int i = 0; i < decoded.size(); ++i)
        for (int j = i + 1; j < decoded.size(); ++j)
            QVERIFY2(decoded[i] != decoded[j],
                     qPrintable(signalFiles()[i] + QStringLiteral(" = ") + signalFiles()[j]));
}

void TestPictures::logoIsKeyedBitmap()
{
    const QByteArray bytes = readPicture(QStringLiteral("logo.bmp"));
    QVERIFY(bytes.size() > 54);
    QVERIFY(bytes.startsWith("BM"));
    const auto field32 = [&](int at) { return qFromLittleEndian<qint32>(bytes.constData() + at); };
    const auto field16 = [&](int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    QCOMPARE(field32(18), 64); // width
    QCOMPARE(field32(22), 64); // height; positive, so the first row stored is the bottom one
    QCOMPARE(field16(28), quint16(24));
    QCOMPARE(field32(30), 0); // uncompressed
    // The program keys transparency on the lower-left pixel: it must be cyan.
    const qsizetype pixels = field32(10);
    QCOMPARE(bytes.mid(pixels, 3), QByteArray("\xff\xff\x00", 3)); // stored blue, green, red

    const QImage logo = QImage::fromData(bytes, "BMP");
    QCOMPARE(logo.pixel(0, 63), qRgb(0, 255, 255));
    QVERIFY2(coloursOf(logo).size() >= 4, "the flags are missing");
}

void TestPictures::icons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("maxColours");
    QTest::newRow("window icon") << QStringLiteral("icon.png") << 32 << 16;
    QTest::newRow("Windows' smallest icon") << QStringLiteral("icon-16.png") << 16 << 16;
    for (int size : {48, 64, 128, 256})
        QTest::newRow(qPrintable(QString::number(size)))
            << QStringLiteral("icon-%1.png").arg(size) << size << size * size;
}

void TestPictures::icons()
{
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(int, maxColours);
    const QImage icon = QImage::fromData(readPicture(name), "PNG")
                            .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(icon.size(), QSize(size, size));
    QCOMPARE(qAlpha(icon.pixel(0, size - 1)), 0); // transparent background
    const QSet<QRgb> colours = coloursOf(icon);
    QVERIFY2(colours.size() <= maxColours, qPrintable(QString::number(colours.size())));
    QVERIFY2(colours.size() >= 4, "the flags are missing");
}

QTEST_GUILESS_MAIN(TestPictures)
#include "tst_pictures.moc"
