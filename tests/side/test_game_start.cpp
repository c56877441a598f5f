#include "side/game_start_window.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestGameStart : public QObject {
    Q_OBJECT
private slots:
    void startSendsModeAndHides_data();
    void startSendsModeAndHides();
    void nothingSentBeforeLogin();
};

void TestGameStart::startSendsModeAndHides_data()
{
    QTest::addColumn<bool>("classic");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("standard") << false << "You" << QByteArray("CMD_startgame+You+1+\xff");
    QTest::newRow("classic") << true << "Bob" << QByteArray("CMD_startgame+Bob+2+\xff");
    QTest::newRow("name in any script") << false << QString::fromUtf8("Zoë") << QByteArray("CMD_startgame+Zo\xc3\xab+1+\xff");
}

void TestGameStart::startSendsModeAndHides()
{
    QFETCH(bool, classic);
    QFETCH(QString, name);
    QFETCH(QByteArray, message);
    Tgamestart window;
    window.setSession([name] { return name; }, [] { return true; });
    window.show();
    QVERIFY(!window.classic()->isChecked());
    window.classic()->setChecked(classic);
    QSignalSpy sent(&window, &Tgamestart::startgame);
    QTest::mouseClick(window.findChild<QPushButton*>("button_start"), Qt::LeftButton);
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent[0][0].toByteArray(), message);
    QVERIFY(!window.isVisible());
    // The option is kept for the next game.
    QCOMPARE(window.findChild<QCheckBox*>("checkbox_classic")->isChecked(), classic);
}

void TestGameStart::nothingSentBeforeLogin()
{
    Tgamestart window;
    window.setSession([] { return QStringLiteral("You"); }, [] { return false; });
    window.show();
    QSignalSpy sent(&window, &Tgamestart::startgame);
    window.button_startClick();
    QCOMPARE(sent.size(), 0);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.windowTitle(), QStringLiteral("Gloop Dash - Game Start"));
}

QTEST_MAIN(TestGameStart)
#include "test_game_start.moc"
