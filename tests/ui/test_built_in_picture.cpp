#include "ui/built_in_picture.h"
#include "ui/jpeg_image.h"

#include <QDir>
#include <QTest>

class TestBuiltInPicture : public QObject {
    Q_OBJECT
private slots:
    void readsEveryPictureAsQtWould_data();
    void readsEveryPictureAsQtWould();
    void unknownNameGivesNullPicture();
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

QTEST_MAIN(TestBuiltInPicture)
#include "test_built_in_picture.moc"
