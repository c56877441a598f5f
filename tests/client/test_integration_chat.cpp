// The chat, phrase buttons and sounds as the main window carries them, talking
// to a real in-process game server and a second player on a raw connection.
#include "chat/core/sound_output.h"
#include "chat/panel_chat.h"
#include "chat/phrase_buttons.h"
#include "chat/sound_menus.h"
#include "chat/tphrases.h"
#include "client/chat_binding.h"
#include "client/connection_controller.h"
#include "client/core/game_model.h"
#include "client/game_view.h"
#include "client/main_window.h"
#include "server/host_options.h"
#include "support_client_parts.h"
#include "ui/rich_chat_view.h"
#include "wire_client.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

// Counts what reaches the sound device.
struct CountingOutput : SoundOutput {
    int* plays;
    explicit CountingOutput(int* counter) : plays(counter) { }
    void play(const PcmSound& sound) override { *plays += sound.isEmpty() ? 0 : 1; }
    void stop() override { }
};

// The hosting copy of Ann: main window, its server, the phrase editor and the
// chat binding under test, which takes the window's chat lines and sounds, as
// in the program; the rest is recorded.
struct Host {
    QTemporaryDir home;
    FixedHostOptions options;
    RecordedParts parts;
    GameModel model;
    int plays = 0;
    ChatBinding chat{model, std::make_unique<CountingOutput>(&plays)};
    MainWindow window{model, ClientParts{chat, chat, parts, parts, parts}};
    ConnectionController connection{model, window, options};
    Tphrases editor;

    Host()
    {
        qputenv("GLOOPDASH_HOME", home.path().toUtf8());
        connection.setPorts(0, 0);
        chat.place(window);
        editor.setButtons(&chat.buttons());
        connection.setCommandLine({"Ann", "127.0.0.1", "true"});
        window.show();
    }
    bool loggedIn()
    {
        return QTest::qWaitFor([this] { return model.session().loggedin(); });
    }
    QString chatText() const
    {
        RichChatView* view = chat.panel().mainchat();
        view->SelectAllText();
        // Lines become blanks, and the blank after a head's colon counts once.
        return view->SelectedText().simplified();
    }
};

} // namespace

class TestIntegrationChat : public QObject {
    Q_OBJECT
private slots:
    void chatPanelFillsTheChatArea();
    void typedChatGoesThroughTheServerAndBack();
    void phrasesAndChatterSoundsReachTheOtherPlayer();
    void soundOptionsDecideWhatIsHeard_data();
    void soundOptionsDecideWhatIsHeard();
};

void TestIntegrationChat::chatPanelFillsTheChatArea()
{
    Host ann;
    QVERIFY(ann.loggedIn());
    // The window's own status lines land in the panel that replaced the placeholder.
    QCOMPARE(ann.window.chatPanel(), static_cast<QWidget*>(&ann.chat.panel()));
    QTRY_VERIFY(ann.chatText().contains("You are Connected."));
    QVERIFY(ann.chatText().contains("Loading Multi-player Game.. Please Wait."));
    // The phrase buttons sit in the left column, two rows of five.
    QCOMPARE(ann.chat.buttons().parentWidget(), ann.window.backPanel());
    QCOMPARE(ann.chat.buttons().geometry().topLeft(), QPoint(9, 308));
    // Twice the window, twice the game area: the chat grows with it and shows
    // more text, at the size the player chose.
    const QSize chatSize = ann.chat.panel().size();
    const QFont chatFont = ann.chat.panel().font();
    ann.window.resize(ann.window.size() * 2);
    QTRY_COMPARE(ann.chat.panel().size(), chatSize * 2);
    QCOMPARE(ann.chat.panel().font(), chatFont);
    QCOMPARE(ann.chat.buttons().geometry().topLeft(), QPoint(18, 616));
}

void TestIntegrationChat::typedChatGoesThroughTheServerAndBack()
{
    Host ann;
    QVERIFY(ann.loggedIn());
    WireClient bob;
    QVERIFY(bob.login(ann.connection.server().port(), "Bob"));

    QLineEdit* mychat = ann.chat.panel().findChild<QLineEdit*>("mychat");
    QVERIFY(mychat);
    QTest::keyClicks(mychat, "hello + you");
    QTest::keyClick(mychat, Qt::Key_Return);
    QCOMPARE(bob.nextOf("CMD_chat"), QByteArray("CMD_chat+1+Ann chats: hello + you|clBlack"));
    QTRY_VERIFY(ann.chatText().contains("Ann chats: hello + you"));

    bob.send("CMD_chat+2+see www.example.org :)#11|clGreen");
    bob.send("CMD_action+2+waves|clGreen");
    QTRY_VERIFY(ann.chatText().contains("Bob waves"));
    QVERIFY(ann.chatText().contains("Bob chats: see www.example.org"));
    QCOMPARE(ann.chat.panel().linkTargets().target(0), std::optional<QString>("www.example.org "));
}

void TestIntegrationChat::phrasesAndChatterSoundsReachTheOtherPlayer()
{
    Host ann;
    QVERIFY(ann.loggedIn());
    WireClient bob;
    QVERIFY(bob.login(ann.connection.server().port(), "Bob"));

    // The editor's "Done" gives the button its new phrase before it is sent.
    ann.editor.openEditor(&ann.window);
    ann.editor.edit(2)->setText("Go Bob");
    QTest::mouseClick(ann.editor.findChild<QAbstractButton*>("button_done"), Qt::LeftButton);
    QTest::mouseClick(ann.chat.buttons().button(2), Qt::LeftButton);
    QCOMPARE(bob.nextOf("CMD_phrase"), QByteArray("CMD_phrase+Ann  says: Go Bob|clBlack"));

    ann.chat.soundsPopup().item(13)->trigger();
    ann.chat.soundsPopup().item(0)->trigger(); // "<Cancel>" sends nothing
    QCOMPARE(bob.nextOf("CMD_playasound"), QByteArray("CMD_playasound+1+wave13+"));
    QCOMPARE(bob.nextOf("CMD_playasound", 200), QByteArray());
    // Ann hears her own chatter only with chatter sounds on; off, she reads it.
    QTRY_VERIFY(ann.chatText().contains("Ann: <Chatter Sound> Applause"));
    QCOMPARE(ann.plays, 0);
}

void TestIntegrationChat::soundOptionsDecideWhatIsHeard_data()
{
    QTest::addColumn<bool>("playSounds");
    QTest::addColumn<bool>("chatterSounds");
    QTest::newRow("game sounds, chatter as text") << true << false;
    QTest::newRow("silent game, chatter heard") << false << true;
    QTest::newRow("nothing heard") << false << false;
}

void TestIntegrationChat::soundOptionsDecideWhatIsHeard()
{
    QFETCH(bool, playSounds);
    QFETCH(bool, chatterSounds);
    Host ann;
    QVERIFY(ann.loggedIn());
    WireClient bob;
    QVERIFY(bob.login(ann.connection.server().port(), "Bob"));
    const SoundOptionActions& options = ann.chat.soundOptions();
    if (options.playSounds->isChecked() != playSounds)
        options.playSounds->trigger();
    if (options.chatterSounds->isChecked() != chatterSounds)
        options.chatterSounds->trigger();

    // A game start plays "gamestart" in every copy.
    bob.send("CMD_startgame+Bob+1+");
    // Once Ann's first tile is shown, the start and turn sounds have been asked for.
    QTRY_VERIFY(ann.model.board().currentTile() > 0);
    QCOMPARE(ann.plays > 0, playSounds);

    const int before = ann.plays;
    bob.send("CMD_playasound+2+wave13+");
    QVERIFY(!bob.nextOf("CMD_playasound").isEmpty());
    QTRY_VERIFY(ann.plays > before || ann.chatText().contains("Bob: <Chatter Sound> Applause"));
    QCOMPARE(ann.plays - before, chatterSounds ? 1 : 0);
    QCOMPARE(ann.chatText().contains("<Chatter Sound>"), !chatterSounds);
}

QTEST_MAIN(TestIntegrationChat)
#include "test_integration_chat.moc"
