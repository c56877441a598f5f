#include "side/game_start_window.h"
#include "ui/window_frame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

struct FixedLogin final : LoginState {
    FixedLogin(const QString& n, bool loggedIn) : name(n), in(loggedIn) { }
    QString myname() const override { return name; }
    bool loggedin() const override { return in; }
    QString name;
    bool in;
};

} // namespace

class TestGameStart : public QObject {
    Q_OBJECT
private slots:
    void startSendsModeAndHides_data();
    void startSendsModeAndHides();
    void nothingSentBeforeLogin();
    void botButtonsAskAndFollowTheCount_data();
    void botButtonsAskAndFollowTheCount();
    void botRowFitsUnderAFittedTitle();
};

void TestGameStart::startSendsModeAndHides_data()
{
    QTest::addColumn<bool>("classic");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("standard") << false << "You" << QByteArray("CMD_startgame+You+1+\xff");
    QTest::newRow("classic") << true << "Bob" << QByteArray("CMD_startgame+Bob+2+\xff");
    QTest::newRow("name in any script") << false << QString::fromUtf8("Zoë")
                                        << QByteArray("CMD_startgame+Zo\xc3\xab+1+\xff");
}

void TestGameStart::startSendsModeAndHides()
{
    QFETCH(bool, classic);
    QFETCH(QString, name);
    QFETCH(QByteArray, message);
    const FixedLogin login(name, true);
    Tgamestart window(login);
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
    const FixedLogin login(QStringLiteral("You"), false);
    Tgamestart window(login);
    window.show();
    QSignalSpy sent(&window, &Tgamestart::startgame);
    window.button_startClick();
    QCOMPARE(sent.size(), 0);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.windowTitle(), QStringLiteral("Gloop Dash - Game Start"));
}

void TestGameStart::botButtonsAskAndFollowTheCount_data()
{
    QTest::addColumn<int>("levelIndex");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("canAdd");
    QTest::addColumn<bool>("canRemove");
    QTest::newRow("none yet, easy") << 0 << int(BotLevel::Easy) << 0 << true << false;
    QTest::newRow("two, hard") << 2 << int(BotLevel::Hard) << 2 << true << true;
    QTest::newRow("table full") << 1 << int(BotLevel::Normal) << 5 << false << true;
}

void TestGameStart::botButtonsAskAndFollowTheCount()
{
    QFETCH(int, levelIndex);
    QFETCH(int, level);
    QFETCH(int, count);
    QFETCH(bool, canAdd);
    QFETCH(bool, canRemove);
    const FixedLogin login(QStringLiteral("You"), true);
    Tgamestart window(login);
    window.show();
    QSignalSpy added(&window, &Tgamestart::addBot);
    QSignalSpy removed(&window, &Tgamestart::removeBot);
    auto* add = window.findChild<QPushButton*>("button_addbot");
    auto* remove = window.findChild<QPushButton*>("button_removebot");
    QCOMPARE(window.findChild<QComboBox*>("combobox_botlevel")->currentText(), QStringLiteral("Normal"));
    window.findChild<QComboBox*>("combobox_botlevel")->setCurrentIndex(levelIndex);
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(added.size(), 1);
    QCOMPARE(int(added[0][0].value<BotLevel>()), level);
    window.setBotCount(count, 5);
    QCOMPARE(add->isEnabled(), canAdd);
    QCOMPARE(remove->isEnabled(), canRemove);
    QCOMPARE(window.findChild<QLabel*>("label_bots")->text(), QStringLiteral("Bots: %1").arg(count));
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(removed.size(), canRemove ? 1 : 0);
    // Neither asks for a game, nor closes the window.
    QVERIFY(window.isVisible());
}

void TestGameStart::botRowFitsUnderAFittedTitle()
{
    const FixedLogin login("You", true);
    Tgamestart window(login);
    WindowFrame::fitTitle(&window);
    window.setBotCount(5, 5);
    window.show();
    for (const char* name : {"combobox_botlevel", "button_addbot", "button_removebot", "label_bots"}) {
        const auto* w = window.findChild<QWidget*>(name);
        QVERIFY2(w->width() >= w->sizeHint().width(), name);
    }
    // "Bots: 5" keeps the window's margin to its right.
    QVERIFY(window.findChild<QLabel*>("label_bots")->geometry().right() < window.width() - 6);
}

QTEST_MAIN(TestGameStart)
#include "test_game_start.moc"
