// SPDX-FileCopyrightText: 2026 The Vlajkor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "jpegdecoder.h"
#include "signalpictures.h"

#include <QFile>
#include <QImage>
#include <QTest>

#include <cstdio>

#include <jpeglib.h>

// Picture data that is damaged, or not a letter picture, must be reported, never crash or
// hang the program; good data must decode with the floating-point inverse DCT.
class JpegDecoderTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void decodesEmbeddedPicture();
    void rejectsBadData_data();
    void rejectsBadData();
    void survivesFlippedBits();

private:
    QByteArray m_good;
};

namespace {

// `data` as libjpeg decodes it with the floating-point inverse DCT. The other methods
// move most pixels by a level or more at this quality, so the comparison shows a change
// of method. Good data only: libjpeg's own error handler ends the test on a fault.
QImage floatDctDecoded(const QByteArray &data)
{
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(data.constData()), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.dct_method = JDCT_FLOAT;
    jpeg_start_decompress(&cinfo);
    QImage image(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        JSAMPROW row = image.scanLine(y);
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return image;
}

} // namespace

void JpegDecoderTest::initTestCase()
{
    QFile file(QStringLiteral(":/pictures/A.jpg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    m_good = file.readAll();
}

void JpegDecoderTest::decodesEmbeddedPicture()
{
    const QImage image = JpegDecoder::decode(m_good);
    QCOMPARE(image.size(), QSize(79, 75));
    QCOMPARE(image.format(), QImage::Format_RGB888);
    QCOMPARE(image, floatDctDecoded(m_good));
}

void JpegDecoderTest::rejectsBadData_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");

    QTest::newRow("empty") << QByteArray() << "no data";
    QTest::newRow("not a jpeg") << QByteArray("GIF89a, or anything else") << "Not a JPEG";
    QTest::newRow("only the start marker") << m_good.left(2) << "";
    QTest::newRow("header only") << m_good.left(300) << "";
    QTest::newRow("cut in half") << m_good.left(m_good.size() / 2) << "Premature end";
    QTest::newRow("end cut off") << m_good.left(m_good.size() - 2) << "";

    // A header that claims an enormous picture must not reserve memory for it.
    QByteArray huge = m_good;
    const qsizetype sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
    QVERIFY(sof > 0);
    huge[sof + 5] = char(0xFF); // height, high byte
    huge[sof + 7] = char(0xFF); // width, high byte
    QTest::newRow("claims 65000 pixels") << huge << "larger than";

    // Whole, but a row short: a picture of another size would be shown out of shape.
    QByteArray shorter = m_good;
    QCOMPARE(quint8(shorter[sof + 6]), quint8(75));
    shorter[sof + 6] = char(74);
    QTest::newRow("another size") << shorter << "unexpected size";
}

void JpegDecoderTest::rejectsBadData()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);
    try {
        SignalPictures::decode(data);
        QFAIL("bad data decoded without an error");
    } catch (const PictureError &error) {
        const QString message = QString::fromLocal8Bit(error.what());
        QVERIFY(!message.isEmpty());
        QVERIFY2(message.contains(reason), qPrintable(message));
    }
}

void JpegDecoderTest::survivesFlippedBits()
{
    // Flipped bits may or may not be detectable; either way the result is an error or a whole picture.
    for (qsizetype at = 2; at < m_good.size(); at += 37) {
        QByteArray data = m_good;
        data[at] = char(data[at] ^ (1 << (at % 8)));
        try {
            const QImage image = JpegDecoder::decode(data);
            QVERIFY(!image.isNull());
        } catch (const PictureError &) {
        }
    }
}

QTEST_GUILESS_MAIN(JpegDecoderTest)
#include "tst_jpegdecoder.moc"
