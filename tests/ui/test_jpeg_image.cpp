#include "ui/jpeg_image.h"

#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

class TestJpegImage : public QObject {
    Q_OBJECT
private slots:
    void decodesColourSpaces_data();
    void decodesColourSpaces();
    void truncatedFileKeepsDecodedPart();
    void damagedFilesGiveNullImage_data();
    void damagedFilesGiveNullImage();
    void readsCompiledInPicture();
};

namespace {

// Encodes a width x height picture, baseline, quality 100. Rows come from
// `row(y)`, components in the input colour space.
template <typename RowMaker>
QByteArray encodeRows(int width, int height, J_COLOR_SPACE space, int components, RowMaker row)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        QByteArray line = row(int(cinfo.next_scanline));
        JSAMPROW rows[1] = {reinterpret_cast<JSAMPLE*>(line.data())};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    const QByteArray data(reinterpret_cast<const char*>(out), qsizetype(size));
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return data;
}

// A picture of one colour.
QByteArray encode(int width, int height, J_COLOR_SPACE space, int components, const QByteArray& pixel)
{
    return encodeRows(width, height, space, components, [&](int) { return pixel.repeated(width); });
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

bool near(QRgb a, QColor b)
{
    return qAbs(qRed(a) - b.red()) <= 6 && qAbs(qGreen(a) - b.green()) <= 6 && qAbs(qBlue(a) - b.blue()) <= 6;
}

} // namespace

void TestJpegImage::decodesColourSpaces_data()
{
    QTest::addColumn<QByteArray>("jpeg");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("rgb") << encode(24, 16, JCS_RGB, 3, bytes({200, 40, 90})) << QColor(200, 40, 90);
    QTest::newRow("grey") << encode(24, 16, JCS_GRAYSCALE, 1, bytes({128})) << QColor(128, 128, 128);
    // libjpeg writes CMYK with an Adobe marker, whose stored inks are inverted:
    // no cyan and full magenta and yellow without black is red.
    QTest::newRow("cmyk red") << encode(24, 16, JCS_CMYK, 4, bytes({255, 0, 0, 255})) << QColor(255, 0, 0);
    QTest::newRow("cmyk black") << encode(24, 16, JCS_CMYK, 4, bytes({255, 255, 255, 0})) << QColor(0, 0, 0);
}

void TestJpegImage::decodesColourSpaces()
{
    QFETCH(QByteArray, jpeg);
    QFETCH(QColor, colour);
    QString error;
    const QImage image = JpegImage::fromData(jpeg, &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QCOMPARE(image.size(), QSize(24, 16));
    QCOMPARE(image.format(), QImage::Format_RGBA8888);
    QVERIFY2(near(image.pixel(3, 3), colour), qPrintable(QColor(image.pixel(3, 3)).name()));
    QVERIFY(near(image.pixel(23, 15), colour));
}

void TestJpegImage::truncatedFileKeepsDecodedPart()
{
    // Red rows with a little texture, so that most of the file is picture data.
    const QByteArray whole = encodeRows(128, 128, JCS_RGB, 3, [](int y) {
        QByteArray line;
        for (int x = 0; x < 128; ++x)
            line += bytes({235 + (x * 7 + y * 3) % 20, (x * 13 + y * 5) % 24, (x * 3 + y * 11) % 24});
        return line;
    });
    QString error;
    const QImage image = JpegImage::fromData(whole.left(whole.size() / 2), &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QCOMPARE(image.size(), QSize(128, 128));
    const QRgb top = image.pixel(5, 2);
    QVERIFY(qRed(top) > 200 && qGreen(top) < 60 && qBlue(top) < 60);
}

void TestJpegImage::damagedFilesGiveNullImage_data()
{
    const QByteArray good = encode(16, 16, JCS_RGB, 3, bytes({10, 20, 30}));
    QByteArray huge = good;
    // Height and width in the start-of-frame segment, raised to 40000 x 40000.
    const qsizetype sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
    huge[sof + 5] = char(0x9C);
    huge[sof + 6] = char(0x40);
    huge[sof + 7] = char(0x9C);
    huge[sof + 8] = char(0x40);
    QByteArray badTables = good;
    const qsizetype dqt = badTables.indexOf(QByteArray("\xFF\xDB", 2));
    badTables[dqt + 4] = char(0x3F); // quantisation table number 15 does not exist

    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a jpeg") << QByteArray("GIF89a....");
    QTest::newRow("start marker only") << good.left(3);
    QTest::newRow("header cut") << good.left(40);
    QTest::newRow("garbage after start") << QByteArray("\xFF\xD8\xFF", 3) + QByteArray(500, '\x13');
    QTest::newRow("too large") << huge;
    QTest::newRow("bad table") << badTables;
}

void TestJpegImage::damagedFilesGiveNullImage()
{
    QFETCH(QByteArray, data);
    QString error;
    QVERIFY(JpegImage::fromData(data, &error).isNull());
    QVERIFY(!error.isEmpty());
}

void TestJpegImage::readsCompiledInPicture()
{
    QString error;
    QCOMPARE(JpegImage::fromFile(QStringLiteral(":/pictures/info_logo.jpg"), &error).size(), QSize(260, 90));
    QVERIFY(JpegImage::fromFile(QStringLiteral(":/pictures/no_such_picture.jpg"), &error).isNull());
    QVERIFY(!error.isEmpty());
}

QTEST_APPLESS_MAIN(TestJpegImage)
#include "test_jpeg_image.moc"
