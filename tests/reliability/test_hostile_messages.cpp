// One hostile seat sends every kind of message with slots that are not its own,
// slot numbers that are no slot at all, and cells off the board, in the middle
// of a game. Nothing of it may reach or change anyone else, and afterwards the
// honest players still play a whole round with correct scores.
#include "gd_version.h"
#include "support_host.h"

#include <QTest>

namespace {

// The hostile seat is slot 4; slot 2 is an honest player it pretends to be.
QList<QByteArray> slotValues()
{
    return {"2", "1", "0", "-1", "10", "99999999999", "4294967300", "two", " 4", ""};
}

// Every message that carries the sender's slot, with "%1" where the slot goes.
// Cells are valid ones so that only the slot can make the message fail.
QList<std::pair<const char*, QByteArray>> slotMessages()
{
    return {
        {"login", "CMD_logininfo+%1+" GD_VERSION_TEXT "+Mallory"},
        {"kick requester", "CMD_kickhim+%1+2+"},
        {"chat", "CMD_chat+%1+evil|clRed"},
        {"action", "CMD_action+%1+evil|clRed"},
        {"phrase", "CMD_phrase+%1+ says: evil|clRed"},
        {"sound", "CMD_playasound+%1+wave3+"},
        {"pick", "CMD_selecttile+%1+%X+%Y"},
    };
}

} // namespace

class HostileMessagesTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void dropsMessagesForOtherSlots_data();
    void dropsMessagesForOtherSlots();
    void dropsBadSeatsAndModes_data();
    void dropsBadSeatsAndModes();
    void refusesCellsOffTheBoard_data();
    void refusesCellsOffTheBoard();

private:
    // Sends the hostile message and a closing ping from the same seat; returns
    // what the hostile seat got back before its ping came round, after checking
    // that no honest player got anything but the ping.
    QList<QByteArray> sendAndCheck(const QByteArray& message);
    // Fills %X and %Y with a cell the honest seat 2 could pick right now.
    QByteArray withBobsCell(QByteArray message) const;

    std::unique_ptr<Host> m_host;
    QList<Player*> m_honest;
    Player* m_mallory = nullptr;
};

void HostileMessagesTest::init()
{
    m_host = std::make_unique<Host>();
    m_honest.clear();
    for (const char* name : {"Ann", "Bob", "Cy"})
        m_honest.append(m_host->join(name));
    m_mallory = m_host->join("Mallory");
    QVERIFY(!m_honest.contains(nullptr) && m_mallory);
    QCOMPARE(m_mallory->slot, 4);
    m_honest.front()->send("CMD_startgame+Ann+1+");
    for (Player* p : m_honest + QList<Player*>{m_mallory})
        QVERIFY(p->awaitDeal());
    QVERIFY(m_host->settle());
    for (Player* p : m_honest + QList<Player*>{m_mallory})
        (void)p->unread();
}

void HostileMessagesTest::cleanup()
{
    m_honest.clear();
    m_host.reset();
}

QByteArray HostileMessagesTest::withBobsCell(QByteArray message) const
{
    const Player& bob = *m_honest[1];
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            if (bob.board()[x][y] != 0 && (bob.board()[x][y] == bob.tile() || bob.tile() == 6))
                return message.replace("%X", QByteArray::number(x)).replace("%Y", QByteArray::number(y));
    return message;
}

QList<QByteArray> HostileMessagesTest::sendAndCheck(const QByteArray& message)
{
    const qint64 heap = Host::liveHeap();
    m_mallory->send(message);
    m_mallory->send("CMD_chat+4+ping");
    const QByteArray ping = "CMD_chat+4+Mallory chats: ping";
    for (Player* p : m_honest) {
        const auto before = p->readUntil(ping);
        if (!before) {
            QTest::qFail(qPrintable(p->name + " never got the ping"), __FILE__, __LINE__);
            return {};
        }
        if (!before->isEmpty()) {
            QTest::qFail(qPrintable(p->name + " got " + before->join(" | ")), __FILE__, __LINE__);
            return {};
        }
    }
    const auto own = m_mallory->readUntil(ping);
    if (Host::liveHeap() - heap > 1024 * 1024)
        QTest::qFail("one message grew the heap by more than 1 MiB", __FILE__, __LINE__);
    return own.value_or(QList<QByteArray>{"(no ping)"});
}

void HostileMessagesTest::dropsMessagesForOtherSlots_data()
{
    QTest::addColumn<QByteArray>("message");
    for (const auto& [kind, form] : slotMessages())
        for (const QByteArray& slot : slotValues())
            QTest::addRow("%s as '%s'", kind, slot.constData()) << QByteArray(form).replace("%1", slot);
}

void HostileMessagesTest::dropsMessagesForOtherSlots()
{
    QFETCH(QByteArray, message);
    const GameState& game = m_host->server().game();

    const QList<QByteArray> own = sendAndCheck(withBobsCell(message));
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(own, QList<QByteArray>{});
    QCOMPARE(game.players[2].movecount, 0);
    QCOMPARE(game.players[4].name, QByteArray("Mallory"));
    QCOMPARE(game.players.slotcount, 4);
    for (int slot = 1; slot <= 9; ++slot)
        QCOMPARE(game.players.connected(slot), slot <= 4);

    const QString failure = m_host->honestRound(m_honest, 3);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void HostileMessagesTest::dropsBadSeatsAndModes_data()
{
    QTest::addColumn<QByteArray>("message");

    for (const QByteArray& seat : slotValues()) {
        // Any seat may switch another seat; only a seat that is no seat must fail.
        if (seat == "2" || seat == "1")
            continue;
        QTest::addRow("watch seat '%s'", seat.constData()) << "CMD_justwatch+" + seat + "+1";
    }
    for (const char* value : {"0", "3", "-1", "99999999999", "one", ""})
        QTest::addRow("watch value '%s'", value) << "CMD_justwatch+2+" + QByteArray(value);
    QTest::newRow("watch without value") << QByteArray("CMD_justwatch+2");
    for (const char* mode : {"0", "3", "-1", "99999999999", "one", ""})
        QTest::addRow("start mode '%s'", mode) << "CMD_startgame+Mallory+" + QByteArray(mode) + '+';
    QTest::newRow("start without fields") << QByteArray("CMD_startgame+");
    QTest::newRow("start with mode last") << QByteArray("CMD_startgame+Mallory+1");
}

void HostileMessagesTest::dropsBadSeatsAndModes()
{
    QFETCH(QByteArray, message);
    const GameState& game = m_host->server().game();
    const int round = game.round;

    const QList<QByteArray> own = sendAndCheck(message);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(own, QList<QByteArray>{});
    QCOMPARE(game.round, round);
    for (int seat = 1; seat <= 6; ++seat)
        QVERIFY(!game.players[seat].watching);

    const QString failure = m_host->honestRound(m_honest, 3);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void HostileMessagesTest::refusesCellsOffTheBoard_data()
{
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QList<QByteArray>>("reply");

    const QList<QByteArray> refused{"CMD_error+3"};
    const QList<QByteArray> dropped;
    QTest::newRow("x 6") << QByteArray("6+0") << refused;
    QTest::newRow("y 6") << QByteArray("0+6") << refused;
    QTest::newRow("x -1") << QByteArray("-1+0") << refused;
    QTest::newRow("y -1") << QByteArray("0+-1") << refused;
    QTest::newRow("both far") << QByteArray("2147483647+-2147483648") << refused;
    QTest::newRow("x past 32 bits") << QByteArray("99999999999+0") << dropped;
    QTest::newRow("y not a number") << QByteArray("0+y") << dropped;
    QTest::newRow("y missing") << QByteArray("0") << dropped;
    QTest::newRow("x and y missing") << QByteArray("") << dropped;
}

void HostileMessagesTest::refusesCellsOffTheBoard()
{
    QFETCH(QByteArray, cell);
    QFETCH(QList<QByteArray>, reply);
    const GameState& game = m_host->server().game();
    const Grid board = game.players[4].board;

    QCOMPARE(sendAndCheck("CMD_selecttile+4+" + cell), reply);
    QCOMPARE(game.players[4].movecount, 0);
    QVERIFY(game.players[4].board == board);

    const QString failure = m_host->honestRound(m_honest, 3);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

QTEST_GUILESS_MAIN(HostileMessagesTest)
#include "test_hostile_messages.moc"
