#include "client/core/game_model.h"
#include "client/player_list_controller.h"
#include "client/score_panel.h"
#include "gd_version.h"
#include "scripted_peer.h"
#include "side/core/spy_roster.h"
#include "side/core/tally_book.h"
#include "support_client_parts.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The real score panel showing the model's seats, its rows looked up by name
// for the checks.
class Rows : public ScorePanel {
public:
    explicit Rows(const GameSeats& seats) { showSeats(seats); }
    QLabel* row(const char* prefix, int n) const
    {
        return findChild<QLabel*>(QLatin1String(prefix) + QString::number(n));
    }
};

struct Harness : RecordedParts {
    GameModel model;
    ClientSession& session = model.session();
    Rows rows{model.seats()};
    SpyRoster spies;
    QTemporaryDir home;
    TallyBook tally{home.path()};
    PlayerListController players{model, *this, *this};

    Harness()
    {
        players.attachRows(&rows);
        players.setSpies(&spies);
        players.setTally(&tally);
    }
    // Our own slot without a connection (nothing can be sent).
    void setMySlot(int slot) { session.sendloginfo(slot, GD_VERSION_TEXT); }
    void seat(int slot, const QString& name) { model.playerArrived(slot, name); }
    // Payloads as the client's dispatcher hands them on: a malformed one is dropped whole.
    template <class Msg>
    static std::optional<Msg> decode(const QByteArray& payload)
    {
        FieldReader f(payload);
        return Msg::decode(f);
    }
    void arrived(const QByteArray& payload)
    {
        if (const auto m = decode<ToClient::NewPlayerInfo>(payload))
            model.playerArrived(m->slot, SeatNames::shortened(m->text));
    }
    void left(const QByteArray& payload)
    {
        if (const auto m = decode<ToClient::PlayerDisconnected>(payload))
            model.playerLeft(m->slot, SeatNames::shortened(m->text));
    }
    void watching(const QByteArray& payload)
    {
        if (const auto m = decode<ToClient::JustWatching>(payload))
            model.seatWatching(m->slot, m->value == ToClient::JustWatching::Watching);
    }
};

const QColor Blue(0, 0, 255);
const QColor Navy(0, 0, 128);
const QColor Khaki(156, 152, 120);

} // namespace

class TestPlayerList : public QObject {
    Q_OBJECT
private slots:
    void newplayerinfo_data();
    void newplayerinfo();
    void ownArrivalLoadsSettingsAndRefillsChecklist();
    void playerdisconnected_data();
    void playerdisconnected();
    void justwatching_data();
    void justwatching();
    void checklistSkipsOwnAndEmptyRows();
    void contextMenuStates_data();
    void contextMenuStates();
    void requestsGoOutOnlyWhenAllowed();
    void hostileTableKeepsWithinBounds();
};

void TestPlayerList::newplayerinfo_data()
{
    QTest::addColumn<int>("myslot");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("rowName");
    QTest::addColumn<QStringList>("spies");
    QTest::addColumn<QString>("myname"); // we asked to sit as "Ann"; the server's name for us wins

    QTest::newRow("own seat") << 2 << QByteArray("2+Ann") << QStringList{"0+You are Connected."} << 2 << "Ann"
                              << QStringList{} << "Ann";
    QTest::newRow("own seat renamed") << 2 << QByteArray("2+Ann 2") << QStringList{"0+You are Connected."} << 2
                                      << "Ann 2" << QStringList{} << "Ann 2";
    QTest::newRow("other seat") << 2 << QByteArray("3+Bob") << QStringList{"0+Bob is Connected."} << 3 << "Bob"
                                << QStringList{} << "Ann";
    QTest::newRow("name keeps plus") << 1 << QByteArray("4+A+b+") << QStringList{"0+A+b+ is Connected."} << 4 << "A+b+"
                                     << QStringList{} << "Ann";
    QTest::newRow("other watcher") << 2 << QByteArray("7+Bob") << QStringList{"0+Bob is Connected.", "0+Bob is spying."}
                                   << 0 << "" << QStringList{"7: Bob"} << "Ann";
    QTest::newRow("own watcher") << 8 << QByteArray("8+Me") << QStringList{"0+You are Connected.", "0+You are spying."}
                                 << 0 << "" << QStringList{"8: Me"} << "Me";
    QTest::newRow("slot 12") << 2 << QByteArray("12+Ann") << QStringList{} << 0 << "" << QStringList{} << "Ann";
    // No name the server seats is longer than a row: a longer one is cut where it comes in.
    QTest::newRow("a megabyte name") << 2 << "3+" + QByteArray(1 << 20, 'n')
                                     << QStringList{"0+" + QString(24, 'n') + " is Connected."} << 3 << QString(24, 'n')
                                     << QStringList{} << "Ann";
    QTest::newRow("a name cut before half a character")
        << 2 << "3+" + QByteArray(23, 'n') + "\xf0\x9f\x98\x80"
        << QStringList{"0+" + QString(23, 'n') + " is Connected."} << 3 << QString(23, 'n') << QStringList{} << "Ann";
}

void TestPlayerList::newplayerinfo()
{
    QFETCH(int, myslot);
    QFETCH(QByteArray, payload);
    QFETCH(QStringList, lines);
    QFETCH(int, row);
    QFETCH(QString, rowName);
    QFETCH(QStringList, spies);
    QFETCH(QString, myname);
    Harness h;
    h.session.setMyname(QStringLiteral("Ann"));
    h.setMySlot(myslot);
    h.arrived(payload);
    QCOMPARE(h.session.myname(), myname);
    QCOMPARE(h.lines, lines);
    for (const QColor& c : h.colours)
        QCOMPARE(c, Blue);
    QCOMPARE(h.spies.entries(), spies);
    for (int n = 1; n <= 6; ++n) {
        const QString expected = n == row ? rowName : QStringLiteral("<Waiting>");
        QCOMPARE(h.rows.row("label_playername", n)->text(), expected);
        QCOMPARE(h.rows.row("label_score", n)->text(), n == row ? QStringLiteral("0") : QString());
    }
}

void TestPlayerList::ownArrivalLoadsSettingsAndRefillsChecklist()
{
    Harness h;
    h.setMySlot(2);
    h.seat(1, "Host");
    h.seat(3, "Cy");
    QCOMPARE(h.settingsLoads, 0);
    QVERIFY(h.tally.playersInGame().isEmpty());
    h.seat(2, "Me");
    QCOMPARE(h.settingsLoads, 1);
    // The settings are applied right after "You are Connected." is shown.
    QCOMPARE(h.lines.last(), QStringLiteral("0+You are Connected."));
    QCOMPARE(h.tally.playersInGame(), QStringList({"Host", "Cy"}));
}

void TestPlayerList::playerdisconnected_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<QColor>>("colours");
    QTest::addColumn<QStringList>("spies");
    QTest::addColumn<QStringList>("checklist");

    // Seated: 1 Me (own), 3 Bob, 4 Cy; watchers 7 Dee, 8 Eve.
    QTest::newRow("seated player") << QByteArray("3+Bob") << QStringList{"0+Bob disconnected."} << QList<QColor>{Blue}
                                   << QStringList{"7: Dee", "8: Eve"} << QStringList{"Cy"};
    QTest::newRow("row already empty") << QByteArray("5+Zed") << QStringList{} << QList<QColor>{}
                                       << QStringList{"7: Dee", "8: Eve"} << QStringList{"Bob", "Cy"};
    QTest::newRow("watcher any case") << QByteArray("8+EVE") << QStringList{"0+EVE has left."} << QList<QColor>{Navy}
                                      << QStringList{"7: Dee"} << QStringList{"Bob", "Cy"};
    QTest::newRow("unknown watcher") << QByteArray("9+Fay") << QStringList{} << QList<QColor>{}
                                     << QStringList{"7: Dee", "8: Eve"} << QStringList{"Bob", "Cy"};
}

void TestPlayerList::playerdisconnected()
{
    QFETCH(QByteArray, payload);
    QFETCH(QStringList, lines);
    QFETCH(QList<QColor>, colours);
    QFETCH(QStringList, spies);
    QFETCH(QStringList, checklist);
    Harness h;
    h.setMySlot(1);
    for (const auto& [slot, name] : {std::pair{1, "Me"}, {3, "Bob"}, {4, "Cy"}, {7, "Dee"}, {8, "Eve"}})
        h.seat(slot, QLatin1String(name));
    h.model.postScores({{{3, 420, 0}}});
    h.tally.setPlayersInGame({});
    h.lines.clear();
    h.colours.clear();

    h.left(payload);
    QCOMPARE(h.lines, lines);
    QCOMPARE(h.colours, colours);
    QCOMPARE(h.spies.entries(), spies);
    QCOMPARE(h.tally.playersInGame(), checklist);
    // A seat's row empties, its total with it; watchers have no row.
    const int slot = payload.left(1).toInt();
    if (slot <= 6) {
        QCOMPARE(h.rows.row("label_playername", slot)->text(), QStringLiteral("<Waiting>"));
        QVERIFY(h.rows.row("label_score", slot)->text().isEmpty());
    }
}

void TestPlayerList::justwatching_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<bool>("watching");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<int>>("eyes");

    // Own slot 2 (Ann, watching at start), other seat 3 (Bob).
    QTest::newRow("own seat watches") << QByteArray("2+1") << true << QStringList{"0+Ann is just watching"}
                                      << QList<int>{2};
    QTest::newRow("own seat plays") << QByteArray("2+2") << false << QStringList{"0+Ann now playing again"}
                                    << QList<int>{};
    QTest::newRow("only 1 means watching")
        << QByteArray("2+11") << false << QStringList{"0+Ann now playing again"} << QList<int>{};
    QTest::newRow("other seat watches") << QByteArray("3+1") << true << QStringList{"0+Bob is just watching"}
                                        << QList<int>{2, 3};
    QTest::newRow("watcher slot ignored") << QByteArray("7+1") << true << QStringList{} << QList<int>{2};
    QTest::newRow("empty row ignored") << QByteArray("5+1") << true << QStringList{} << QList<int>{2};
}

void TestPlayerList::justwatching()
{
    QFETCH(QByteArray, payload);
    QFETCH(bool, watching);
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, eyes);
    Harness h;
    h.setMySlot(2);
    h.seat(2, "Ann");
    h.seat(3, "Bob");
    h.watching("2+1");
    h.lines.clear();
    h.colours.clear();
    h.watching(payload);
    QCOMPARE(h.model.watching(), watching);
    QCOMPARE(h.lines, lines);
    for (const QColor& c : h.colours)
        QCOMPARE(c, Khaki);
    for (int n = 1; n <= 6; ++n)
        QCOMPARE(h.rows.row("image_eyes", n)->isVisibleTo(&h.rows), eyes.contains(n));
    // The eyes keep their picture's shape.
    const QLabel* picture = h.rows.row("image_eyes", 1);
    QCOMPARE(picture->size(), picture->pixmap().size());
}

void TestPlayerList::checklistSkipsOwnAndEmptyRows()
{
    Harness h;
    h.setMySlot(3);
    h.seat(1, "Ann");
    h.seat(3, "Me");
    h.seat(4, "Bob");
    h.seat(6, "Cy");
    h.tally.setPlayersInGame({"stale entry"});
    QSignalSpy refilled(&h.tally, &TallyBook::playersInGameChanged);
    h.players.loadchecklist();
    QCOMPARE(h.tally.playersInGame(), QStringList({"Ann", "Bob", "Cy"}));
    QCOMPARE(refilled.size(), 1);
}

void TestPlayerList::contextMenuStates_data()
{
    QTest::addColumn<bool>("host");
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("removeEnabled");
    QTest::newRow("host, seated") << true << 3 << true;
    QTest::newRow("host, empty row") << true << 5 << false;
    QTest::newRow("guest, seated") << false << 3 << false;
}

void TestPlayerList::contextMenuStates()
{
    QFETCH(bool, host);
    QFETCH(int, slot);
    QFETCH(bool, removeEnabled);
    Harness h;
    h.model.setHosting(host);
    h.seat(3, "Bob");
    h.rows.show();
    QLabel* label = h.rows.row("label_playername", slot);
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), label->mapToGlobal(QPoint(2, 2)));
    QCoreApplication::sendEvent(label, &click);
    QMenu* menu = h.players.popupKick();
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->objectName(), QStringLiteral("popup_kick"));
    QCOMPARE(h.players.popupSlot(), slot);
    QCOMPARE(menu->findChild<QAction*>("RemoveFromGame1")->isEnabled(), removeEnabled);
    QVERIFY(menu->findChild<QAction*>("SettoJustWatch1")->isEnabled());
    menu->close();
}

void TestPlayerList::requestsGoOutOnlyWhenAllowed()
{
    ScriptedPeer server;
    Harness h;
    h.session.connectToServer("127.0.0.1", server.port());
    QVERIFY(server.accept());
    QTRY_VERIFY(h.session.sock().Connected());
    h.seat(3, "Bob");
    h.seat(1, "Ann");
    QMenu* menu = h.players.popupKick();
    auto* remove = menu->findChild<QAction*>("RemoveFromGame1");
    auto* setWatch = menu->findChild<QAction*>("SettoJustWatch1");

    // Not logged in yet: nothing at all goes out.
    h.model.setHosting(true);
    h.model.startGame({"Ann", 1, 3});
    h.players.label_playername1ContextPopup(3);
    remove->trigger();
    setWatch->trigger();
    h.players.JustWatch1Click();

    h.session.sendloginfo(1, GD_VERSION_TEXT);
    h.players.label_playername1ContextPopup(3);
    remove->trigger();
    setWatch->trigger();
    h.players.JustWatch1Click();
    h.watching("1+1");
    h.players.JustWatch1Click();
    // Between games the server would ignore it: the player is told instead.
    h.lines.clear();
    h.model.winner({"Ann"});
    h.players.JustWatch1Click();
    QCOMPARE(h.lines, QStringList{"0+Just Watch works only while a game is running."});
    // A guest may not remove anybody.
    h.model.setHosting(false);
    h.players.kicking(3);
    h.players.label_playername1ContextPopup(4);
    setWatch->trigger();
    // A watcher has no seat to switch.
    h.model.startGame({"Ann", 1, 3});
    h.session.sendloginfo(7, GD_VERSION_TEXT);
    h.players.JustWatch1Click();
    QVERIFY(h.session.send("CMD_chat+7+end" + FF));

    const QByteArray expected = "CMD_logininfo+1+" GD_VERSION_TEXT "+" + FF + "CMD_kickhim+1+3+" + FF
        + "CMD_justwatch+3+1" + FF + "CMD_justwatch+1+1" + FF + "CMD_justwatch+1+2" + FF + "CMD_justwatch+4+1" + FF
        + "CMD_logininfo+7+" GD_VERSION_TEXT "+" + FF + "CMD_chat+7+end" + FF;
    QCOMPARE(server.read(expected.size()), expected);
}

void TestPlayerList::hostileTableKeepsWithinBounds()
{
    // Watchers without end, each under a long name, some in a slot already taken.
    Harness h;
    h.setMySlot(2);
    const QByteArray name(100000, 'w');
    for (int i = 0; i < 400; ++i)
        h.arrived(QByteArray::number(7 + i % 3) + '+' + name + QByteArray::number(i));
    // One entry a slot, the latest arrival's, under a name no longer than a row.
    const QString cut(24, 'w');
    QCOMPARE(h.spies.entries(), (QStringList{"8: " + cut, "9: " + cut, "7: " + cut}));
}

QTEST_MAIN(TestPlayerList)
#include "test_player_list.moc"
