#include "ui/game_style.h"

#include <QApplication>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>
#include <memory>

class TestGameStyle : public QObject {
    Q_OBJECT
private slots:
    void overflowArrowsAreQtsOwn_data();
    void overflowArrowsAreQtsOwn();
};

void TestGameStyle::overflowArrowsAreQtsOwn_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<int>("size");
    for (const int size : {8, 16, 32}) {
        const QByteArray at = QByteArray::number(size);
        QTest::newRow("across, " + at) << int(QStyle::SP_ToolBarHorizontalExtensionButton) << Qt::LeftToRight << size;
        QTest::newRow("across, right to left, " + at)
            << int(QStyle::SP_ToolBarHorizontalExtensionButton) << Qt::RightToLeft << size;
    }
    for (const int size : {5, 10, 20})
        QTest::newRow("down, " + QByteArray::number(size))
            << int(QStyle::SP_ToolBarVerticalExtensionButton) << Qt::LeftToRight << size;
}

// The same pictures as the desktop style gives, only read without asking the
// image plugins.
void TestGameStyle::overflowArrowsAreQtsOwn()
{
    QFETCH(int, which);
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(int, size);
    const std::unique_ptr<QStyle> desktop(QStyleFactory::create(QApplication::style()->name()));
    GameStyle game;
    QStyleOption option;
    option.direction = direction;
    const auto pixmap = QStyle::StandardPixmap(which);
    const QImage expected = desktop->standardIcon(pixmap, &option).pixmap(size).toImage();
    QVERIFY(!expected.isNull());
    QCOMPARE(game.standardIcon(pixmap, &option).pixmap(size).toImage(), expected);
}

QTEST_MAIN(TestGameStyle)
#include "test_game_style.moc"
