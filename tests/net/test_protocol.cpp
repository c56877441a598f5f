#include "gd_version.h"
#include "net/message.h"
#include "net/message_splitter.h"
#include "net/protocol.h"

#include <QSet>
#include <QtTest>

class TestProtocol : public QObject {
    Q_OBJECT
private slots:
    void listsEveryWordOnce();
    void encodesAsTheWireHasAlwaysCarried_data();
    void encodesAsTheWireHasAlwaysCarried();
    void refusesMalformedPayloads_data();
    void refusesMalformedPayloads();
    void readsNamesThatContainPlus();
    void staysQuietUnlessAsked();
};

namespace {

QByteArray wire(QByteArray text)
{
    return text + MessageSplitter::Terminator;
}

// One sample: the message as a struct, and the bytes the game has always sent
// for it. The struct must encode to those bytes, and the bytes must decode back
// to the struct.
template <class Msg>
void sample(const char* name, const Msg& message, const QByteArray& bytes)
{
    const CommandLine line = CommandLine::parse(bytes.chopped(1));
    FieldReader fields(line.payload);
    const std::optional<Msg> decoded = Msg::decode(fields);
    QTest::newRow(name) << message.bytes() << bytes << (line.command == Commands::word(Msg::command))
                        << (decoded && *decoded == message);
}

template <class Msg>
void malformed(const char* name, const QByteArray& payload)
{
    FieldReader fields(payload);
    QTest::newRow(name) << !Msg::decode(fields).has_value();
}

QByteArray unusedPathEntries(int count)
{
    QByteArray path;
    for (int i = 0; i < count; ++i)
        path += "+f+-1+-1+-1+-1+-1+0+0";
    return path;
}

} // namespace

void TestProtocol::listsEveryWordOnce()
{
    QSet<QByteArray> words;
    for (int i = 0; i < Commands::Count; ++i) {
        const QByteArray word = Commands::word(Command(i)).toByteArray();
        QVERIFY(word.startsWith("CMD_"));
        words.insert(word);
        QCOMPARE(Commands::find(word), Command(i));
    }
    QCOMPARE(words.size(), Commands::Count);
    QCOMPARE(Commands::Count, 35);
    QCOMPARE(Commands::find("CMD_Chat"), std::nullopt); // compared byte for byte
    QCOMPARE(Commands::find("CMD_"), std::nullopt);
    QCOMPARE(Commands::direction(Command::selecttile), Direction::ToServer);
    QCOMPARE(Commands::direction(Command::chat), Direction::Both);
    QCOMPARE(QByteArray(CommandWord::kicked), QByteArray("CMD_kicked"));
}

void TestProtocol::encodesAsTheWireHasAlwaysCarried_data()
{
    QTest::addColumn<QByteArray>("encoded");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<bool>("wordMatches");
    QTest::addColumn<bool>("decodesBack");

    sample("logininfo", ToServer::LoginInfo{1, GD_VERSION_TEXT, "Ann"},
           wire("CMD_logininfo+1+" GD_VERSION_TEXT "+Ann"));
    sample("kickhim", ToServer::KickHim{1, 3}, wire("CMD_kickhim+1+3+"));
    sample("justwatch", ToServer::JustWatch{3, ToServer::JustWatch::Watch}, wire("CMD_justwatch+3+1"));
    sample("selecttile", ToServer::SelectTile{2, 4, 0}, wire("CMD_selecttile+2+4+0"));
    sample("startgame up", ToServer::StartGame{"Ann", 2}, wire("CMD_startgame+Ann+2+"));
    sample("chat up", ToServer::Chat{2, "a+b|Red"}, wire("CMD_chat+2+a+b|Red"));
    sample("action up", ToServer::Action{2, "waves|clBlue"}, wire("CMD_action+2+waves|clBlue"));
    sample("phrase up", ToServer::Phrase{2, " says: Hello!|Blue"}, wire("CMD_phrase+2+ says: Hello!|Blue"));
    sample("playasound up", ToServer::wave(2, 5), wire("CMD_playasound+2+wave5+"));

    sample("full", ToClient::Full{}, wire("CMD_full+"));
    sample("wrongversion", ToClient::WrongVersion{}, wire("CMD_wrongversion+"));
    sample("kicked", ToClient::Kicked{}, wire("CMD_kicked+"));
    sample("closing", ToClient::Closing{}, wire("CMD_closing+"));
    sample("host", ToClient::Host{4}, wire("CMD_host+4+"));
    sample("sendlogininfo", ToClient::SendLoginInfo{3}, wire("CMD_sendlogininfo+3"));
    sample("newplayerinfo", ToClient::NewPlayerInfo{2, "Ann"}, wire("CMD_newplayerinfo+2+Ann"));
    sample("existingplayers", ToClient::ExistingPlayers{1, "Host"}, wire("CMD_existingplayers+1+Host"));
    sample("playerdisconnected", ToClient::PlayerDisconnected{2, "Ann"}, wire("CMD_playerdisconnected+2+Ann"));
    sample("havewrongversion", ToClient::HaveWrongVersion{"Bob"}, wire("CMD_havewrongversion+Bob"));
    sample("loadstats", ToClient::LoadStats{2}, wire("CMD_loadstats+2+"));
    sample("chat down", ToClient::Chat{1, "Ann chats: a+b|clRed"}, wire("CMD_chat+1+Ann chats: a+b|clRed"));
    sample("action down", ToClient::Action{1, "Ann waves|clRed"}, wire("CMD_action+1+Ann waves|clRed"));
    sample("phrase down", ToClient::Phrase{"Ann  says: Hi|clBlue"}, wire("CMD_phrase+Ann  says: Hi|clBlue"));
    sample("playasound down", ToClient::PlayASound{2, "wave5+"}, wire("CMD_playasound+2+wave5+"));
    sample("startgame down", ToClient::StartGame{"Ann", 2, 6}, wire("CMD_startgame+Ann+2+6+"));
    sample("nextplayer", ToClient::NextPlayer{1, 2}, wire("CMD_nextplayer+1+2"));
    sample("settiles", ToClient::SetTiles{{{0, 0, 3}, {0, 1, 5}}}, wire("CMD_settiles+0+0+3+0+1+5"));
    sample("setbonus", ToClient::SetBonus{{{2, 3, 1}, {4, 4, 2}}}, wire("CMD_setbonus+2+3+1+4+4+2"));
    sample("resettiles", ToClient::ResetTiles{{{5, 5, 6}}}, wire("CMD_resettiles+5+5+6"));
    sample("resetbonus", ToClient::ResetBonus{{{0, 0, 0}, {0, 1, 4}}}, wire("CMD_resetbonus+0+0+0+0+1+4"));
    sample("no bonus placed", ToClient::SetBonus{}, wire("CMD_setbonus+"));
    sample("setnexttile", ToClient::SetNextTile{3, 6}, wire("CMD_setnexttile+3+6"));
    sample("setnntile", ToClient::SetNnTile{4}, wire("CMD_setnntile+4"));
    sample("removetile", ToClient::RemoveTile{2, 4, 0, 3, 60, 30, 410}, wire("CMD_removetile+2+4+0+3+60+30+410"));
    sample("bombed", ToClient::Bombed{2, 5, 120, 40, 900, {{1, 1}, {1, 2}}}, wire("CMD_bombed+2+5+120+40+900+1+1+1+2"));
    sample("bombed nothing", ToClient::Bombed{2, 5, 120, 40, -900, {}}, wire("CMD_bombed+2+5+120+40+-900"));
    sample("error", ToClient::Error{}, wire("CMD_error+3"));
    sample("turnover", ToClient::TurnOver{2, 250, 660, ToClient::TurnOver::OutOfTime},
           wire("CMD_turnover+2+250+660+3"));
    sample("postscores", ToClient::PostScores{{{1, 820, 300}, {2, 410, 0}, {3, 0, 0}, {4, 0, 0}, {5, 0, 0}, {6, 0, 0}}},
           wire("CMD_postscores+1+820+300+2+410+0+3+0+0+4+0+0+5+0+0+6+0+0"));
    sample("justwatching", ToClient::JustWatching{3, ToClient::JustWatching::Playing}, wire("CMD_justwatching+3+2"));
    sample("winner", ToClient::Winner{"Bob"}, wire("CMD_winner+Bob"));

    ToClient::ThePath path{"Bo+b", QList<ToClient::PathEntry>(Table::MoveLogSize), 350};
    path.entries[0] = {"f", 1, 2, 1, 10, 10, 3, 4};
    path.entries[1] = {"t", 1, 3, 0, 0, 10, 3, 4};
    sample("thepath", path,
           wire("CMD_thepath+Bo+b+f+1+2+1+10+10+3+4+t+1+3+0+0+10+3+4" + unusedPathEntries(34) + "+s+350+"));
    sample("short path", ToClient::ThePath{"Bob", {{"f", 0, 0, 1, 5, 5, 1, 2}}, 5},
           wire("CMD_thepath+Bob+f+0+0+1+5+5+1+2+s+5+"));
}

void TestProtocol::encodesAsTheWireHasAlwaysCarried()
{
    QFETCH(QByteArray, encoded);
    QFETCH(QByteArray, expected);
    QFETCH(bool, wordMatches);
    QFETCH(bool, decodesBack);
    QCOMPARE(encoded, expected);
    QVERIFY(wordMatches);
    QVERIFY(decodesBack);
}

void TestProtocol::refusesMalformedPayloads_data()
{
    QTest::addColumn<bool>("refused");
    malformed<ToServer::SelectTile>("pick with text for x", "2+four+0");
    malformed<ToServer::SelectTile>("pick without y", "2+4");
    malformed<ToServer::LoginInfo>("login without slot", "+" GD_VERSION_TEXT "+Ann");
    malformed<ToServer::StartGame>("start without mode", "Ann");
    malformed<ToServer::StartGame>("start with text mode", "Ann+one+");
    malformed<ToServer::KickHim>("kick of nobody", "1+");
    malformed<ToClient::SendLoginInfo>("slot too large", "99999999999");
    malformed<ToClient::NewPlayerInfo>("newcomer without slot", "Ann");
    malformed<ToClient::StartGame>("start without rounds", "Ann+1");
    malformed<ToClient::RemoveTile>("removetile short", "2+0+0");
    malformed<ToClient::RemoveTile>("removetile text", "2+0+0+1+ten+10+10");
    malformed<ToClient::Bombed>("bomb cell without row", "2+5+120+40+900+1");
    malformed<ToClient::Bombed>("bomb cell text", "2+5+120+40+900+a+1");
    malformed<ToClient::SetTiles>("deal group cut short", "0+0+3+0+1");
    malformed<ToClient::SetBonus>("bonus code text", "0+0+x");
    malformed<ToClient::SetTiles>("deal group of one field", "0+0+3+4");
    malformed<ToClient::SetTiles>("deal group of two fields", "0+0+3+4+1+");
    malformed<ToClient::SetTiles>("deal with an empty field", "0+0+3++");
    malformed<ToClient::SetBonus>("bonus of a lone plus", "+");
    malformed<ToClient::PostScores>("scores row cut short", "1+820");
    malformed<ToClient::TurnOver>("turnover without reason", "2+250+660");
    malformed<ToClient::Error>("error without code", "");
    malformed<ToClient::ThePath>("path without marker", "Bob+f+0+0+1+5+5+1+2+x+5+");
    malformed<ToClient::ThePath>("path entry cut short", "Bob+f+0+0+1+5+5+1+s+5+");
    malformed<ToClient::ThePath>("path entry of unknown kind", "Bob+q+0+0+1+5+5+1+2+s+5+");
    malformed<ToClient::ThePath>("path without result", "Bob+s++");
    malformed<ToClient::ThePath>("path name only", "Bob");
}

void TestProtocol::refusesMalformedPayloads()
{
    QFETCH(bool, refused);
    QVERIFY(refused);
}

void TestProtocol::readsNamesThatContainPlus()
{
    FieldReader up("A+n+n+1+");
    QCOMPARE(ToServer::StartGame::decode(up), (ToServer::StartGame{"A+n+n", 1}));
    FieldReader down("+lus+2+6+");
    QCOMPARE(ToClient::StartGame::decode(down), (ToClient::StartGame{"+lus", 2, 6}));
    FieldReader login("1+" GD_VERSION_TEXT "+A+n");
    QCOMPARE(ToServer::LoginInfo::decode(login)->name, QByteArray("A+n"));
}

void TestProtocol::staysQuietUnlessAsked()
{
    QVERIFY(!lcNet().isDebugEnabled());
    QVERIFY(lcNet().isWarningEnabled());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("bytes that end no message"));
    MessageSplitter splitter(8);
    splitter.feed("CMD_chat+1+far too long");
    QVERIFY(splitter.overflowed());
}

QTEST_APPLESS_MAIN(TestProtocol)
#include "test_protocol.moc"
