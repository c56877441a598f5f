#include "pictures/baked_picture.h"
#include "ui/built_in_picture.h"
#include "ui/jpeg_image.h"

#include <QDir>
#include <QResource>
#include <QTest>

class TestBuiltInPicture : public QObject {
    Q_OBJECT
private slots:
    void readsEveryPictureAsQtWould_data();
    void readsEveryPictureAsQtWould();
    void unknownNameGivesNullPicture();
    void picturesOfTheFirstPaintAreBaked();
};

void TestBuiltInPicture::readsEveryPictureAsQtWould_data()
{
    QTest::addColumn<QString>("name");
    const QStringList names = QDir(QStringLiteral(":/pictures")).entryList(QDir::Files);
    QVERIFY(names.size() > 20);
    for (const QString& name : names)
        QTest::newRow(qPrintable(name)) << name;
}

// Pixel for pixel what Qt's own guessing reader gives (JPEG through libjpeg).
void TestBuiltInPicture::readsEveryPictureAsQtWould()
{
    QFETCH(QString, name);
    const QString path = QStringLiteral(":/pictures/") + name;
    const QImage expected = name.endsWith(QLatin1String(".jpg")) ? JpegImage::fromFile(path) : QImage(path);
    QVERIFY(!expected.isNull());
    const QImage read = BuiltInPicture::image(name);
    QCOMPARE(read, expected);
    QCOMPARE(BuiltInPicture::pixmap(name).size(), expected.size());
}

void TestBuiltInPicture::unknownNameGivesNullPicture()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no built-in picture.*"));
    QVERIFY(BuiltInPicture::image(QStringLiteral("no_such_picture.png")).isNull());
    QVERIFY(BuiltInPicture::pixmap(QStringLiteral("no_such_picture.jpg")).isNull());
}

// Decoding them as PNG took a tenth of the game's start to its first paint.
void TestBuiltInPicture::picturesOfTheFirstPaintAreBaked()
{
    for (const char* name : {"board_scorepanel.png", "board_background.png", "board_mascot.png", "board_timer.png"}) {
        const QResource baked(QStringLiteral(":/baked/") + QLatin1String(name));
        QVERIFY2(baked.isValid(), name);
        QCOMPARE(baked.compressionAlgorithm(), QResource::NoCompression);
        QVERIFY2(BakedPicture::read(QByteArrayView(baked.data(), baked.size())), name);
    }
}

QTEST_MAIN(TestBuiltInPicture)
#include "test_built_in_picture.moc"
