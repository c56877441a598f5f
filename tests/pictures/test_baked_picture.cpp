#include "pictures/baked_picture.h"

#include <QTest>
#include <cstring>

namespace {

// A picture of each kind the window's files decode to, with an odd width so
// that rows carry padding.
QImage sample(QImage::Format format)
{
    QImage image(37, 11, format);
    if (format == QImage::Format_Indexed8) {
        image.setColorTable({qRgb(0, 0, 0), qRgba(255, 0, 0, 128), qRgb(10, 200, 30)});
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, uint((x + y) % 3));
        return image;
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, QColor(x * 6, y * 20, (x * y) % 256, 255 - x));
    return image;
}

// The header's fields, as read() finds them after the eight bytes of magic.
void setField(QByteArray& baked, int field, qint32 value)
{
    std::memcpy(baked.data() + 8 + field * 4, &value, 4);
}

} // namespace

class TestBakedPicture : public QObject {
    Q_OBJECT
private slots:
    void readsBackWhatWasBaked_data();
    void readsBackWhatWasBaked();
    void refusesAnythingButOneWholePicture_data();
    void refusesAnythingButOneWholePicture();
};

void TestBakedPicture::readsBackWhatWasBaked_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::newRow("palette") << sample(QImage::Format_Indexed8);
    QTest::newRow("with alpha") << sample(QImage::Format_ARGB32);
    QTest::newRow("premultiplied") << sample(QImage::Format_ARGB32_Premultiplied);
    QTest::newRow("opaque") << sample(QImage::Format_RGB32);
    QTest::newRow("grey") << sample(QImage::Format_Grayscale8);
}

void TestBakedPicture::readsBackWhatWasBaked()
{
    QFETCH(QImage, picture);
    const auto read = BakedPicture::read(BakedPicture::bake(picture));
    QVERIFY(read);
    QCOMPARE(read->format(), picture.format());
    QCOMPARE(read->colorTable(), picture.colorTable());
    QCOMPARE(*read, picture);
}

void TestBakedPicture::refusesAnythingButOneWholePicture_data()
{
    QTest::addColumn<QByteArray>("baked");
    const QByteArray good = BakedPicture::bake(sample(QImage::Format_Indexed8));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("a PNG file") << QByteArray("\x89PNG\r\n\x1a\n").append(good.mid(8));
    QTest::newRow("header only") << good.left(28);
    QTest::newRow("last byte missing") << good.chopped(1);
    QTest::newRow("a byte too many") << good + '\0';
    const auto changed = [&good](int field, qint32 value) {
        QByteArray b = good;
        setField(b, field, value);
        return b;
    };
    QTest::newRow("no width") << changed(0, 0);
    QTest::newRow("negative height") << changed(1, -11);
    QTest::newRow("too wide") << changed(0, BakedPicture::MaxSide + 1);
    QTest::newRow("rows overflow a size") << changed(1, 0x7fffffff);
    QTest::newRow("no format") << changed(2, QImage::Format_Invalid);
    QTest::newRow("unknown format") << changed(2, QImage::NImageFormats);
    QTest::newRow("row length of another width") << changed(3, 36);
    QTest::newRow("negative colour count") << changed(4, -1);
    QTest::newRow("more colours than a palette holds") << changed(4, 257);
    QTest::newRow("colour count off by one") << changed(4, 4);
}

void TestBakedPicture::refusesAnythingButOneWholePicture()
{
    QFETCH(QByteArray, baked);
    QVERIFY(!BakedPicture::read(baked));
}

QTEST_APPLESS_MAIN(TestBakedPicture)
#include "test_baked_picture.moc"
