#include "client/core/board_model.h"

#include <QTest>

namespace {

QStringList names(const QList<GameSound>& sounds)
{
    QStringList out;
    for (const GameSound s : sounds)
        out << soundName(s);
    return out;
}

// A deal where cell (x, y) holds ((x + y) % 5) + 1, as "x+y+code" groups.
QByteArray dealPayload(int wildX = -1, int wildY = -1)
{
    QByteArray p;
    for (int x = 0; x < 6; ++x) {
        for (int y = 0; y < 6; ++y) {
            const int code = (x == wildX && y == wildY) ? 6 : (x + y) % 5 + 1;
            if (!p.isEmpty())
                p += '+';
            p += QByteArray::number(x) + '+' + QByteArray::number(y) + '+' + QByteArray::number(code);
        }
    }
    return p;
}

// A payload as the client's dispatcher hands it on: a malformed one is dropped
// whole, which the model never sees (reported here as not handled).
BoardEffects dropped()
{
    BoardEffects e;
    e.handled = false;
    return e;
}

template <class Msg>
std::optional<Msg> decoded(const QByteArray& payload)
{
    FieldReader f(payload);
    return Msg::decode(f);
}

template <class Msg>
BoardEffects feed(BoardEffects (BoardModel::*handler)(const Msg&), BoardModel& m, const QByteArray& payload)
{
    const std::optional<Msg> msg = decoded<Msg>(payload);
    if (!msg)
        return dropped();
    return (m.*handler)(*msg);
}

// A board in play for seat `slot` with `current` as the current tile.
void startRound(BoardModel& m, int slot, int current, int wildX = -1, int wildY = -1)
{
    feed(&BoardModel::settiles, m, dealPayload(wildX, wildY));
    feed(&BoardModel::setbonus, m, "1+1+1+2+2+2");
    m.setCurrentplayer(slot);
    m.setnexttile({current, 4}, slot);
}

BoardEffects removetile(BoardModel& m, const QByteArray& payload, int myslot)
{
    const auto msg = decoded<ToClient::RemoveTile>(payload);
    if (!msg)
        return dropped();
    return m.removetile(*msg, myslot);
}

} // namespace

class TestBoardModel : public QObject {
    Q_OBJECT
private slots:
    void pickRule_data();
    void pickRule();
    void pickStaysLockedUntilErrorOrNextTile();
    void clickWithoutPick_data();
    void clickWithoutPick();
    void dealSkipsGroupsWithoutCellOrPicture();
    void dealWithBadNumberIsDroppedWhole();
    void newTrailShowsPopupAndClearsMarks();
    void takeReportsScoreTrailAndSound_data();
    void takeReportsScoreTrailAndSound();
    void bombMarksEachClearedCell();
    void bombListWithEmptyFieldIsDroppedWhole();
    void malformedTakeChangesNothing_data();
    void malformedTakeChangesNothing();
};

void TestBoardModel::pickRule_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("px");
    QTest::addColumn<int>("py");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QString>("status");
    // Cell (2, 1) holds 4; cell (0, 2) holds 3; cell (5, 5) is made wild.
    QTest::newRow("matching tile") << 4 << 2 * 52 + 10 << 52 + 51 << QByteArray("CMD_selecttile+2+2+1\xff")
                                   << QString();
    QTest::newRow("other tile") << 3 << 2 * 52 << 52 << QByteArray() << "Invalid Move";
    QTest::newRow("wild cell") << 3 << 311 << 311 << QByteArray("CMD_selecttile+2+5+5\xff") << QString();
    QTest::newRow("wild current, any cell") << 6 << 0 << 104 << QByteArray("CMD_selecttile+2+0+2\xff") << QString();
}

void TestBoardModel::pickRule()
{
    QFETCH(int, current);
    QFETCH(int, px);
    QFETCH(int, py);
    QFETCH(QByteArray, sent);
    QFETCH(QString, status);
    BoardModel m;
    startRound(m, 2, current, 5, 5);
    const BoardEffects e = m.boardMouseUp(px, py, 2, true);
    QCOMPARE(e.send, sent);
    QCOMPARE(e.status.value_or(QString()), status);
    // A refused click leaves picking open; a sent pick closes it.
    QCOMPARE(m.canselect(), sent.isEmpty());
    QVERIFY(!e.boardChanged);
}

void TestBoardModel::pickStaysLockedUntilErrorOrNextTile()
{
    BoardModel m;
    startRound(m, 3, 1); // cell (0, 0) holds 1
    QVERIFY(!m.boardMouseUp(5, 5, 3, true).send.isEmpty());
    QVERIFY(m.boardMouseUp(5, 5, 3, true).send.isEmpty());

    const BoardEffects refusedByServer = m.error();
    QCOMPARE(refusedByServer.status.value_or(QString()), QStringLiteral("Invalid Tile"));
    QVERIFY(!m.boardMouseUp(5, 5, 3, true).send.isEmpty());
    QVERIFY(m.boardMouseUp(5, 5, 3, true).send.isEmpty());

    m.setnexttile({1, 2}, 3);
    // Not logged in: the pick is taken (picking locks) but nothing goes out.
    QVERIFY(m.boardMouseUp(5, 5, 3, false).send.isEmpty());
    QVERIFY(!m.canselect());
}

void TestBoardModel::clickWithoutPick_data()
{
    QTest::addColumn<int>("myslot");
    QTest::addColumn<int>("currentplayer");
    QTest::addColumn<int>("px");
    QTest::addColumn<int>("py");
    QTest::newRow("between rounds") << 2 << 0 << 10 << 10;
    QTest::newRow("watcher") << 7 << 2 << 10 << 10;
    QTest::newRow("dragged out left") << 2 << 2 << -10 << 10;
    QTest::newRow("dragged out above") << 2 << 2 << 10 << -1;
    QTest::newRow("dragged out right") << 2 << 2 << 312 << 10;
    QTest::newRow("dragged out below") << 2 << 2 << 10 << 400;
}

void TestBoardModel::clickWithoutPick()
{
    QFETCH(int, myslot);
    QFETCH(int, currentplayer);
    QFETCH(int, px);
    QFETCH(int, py);
    BoardModel m;
    startRound(m, 2, 6); // a wild current tile would accept any cell
    m.setCurrentplayer(currentplayer);
    const BoardEffects e = m.boardMouseUp(px, py, myslot, true);
    QVERIFY(e.send.isEmpty());
    QVERIFY(!e.status);
    QVERIFY(m.canselect());
}

void TestBoardModel::dealSkipsGroupsWithoutCellOrPicture()
{
    BoardModel m;
    startRound(m, 1, 1);
    QCOMPARE(m.bonus(1, 1), 1);
    const BoardEffects e = feed(&BoardModel::settiles, m, "0+0+5+6+0+3+0+-1+2+1+1+9+1+2+6");
    QVERIFY(e.handled);
    QCOMPARE(m.tile(0, 0), 5);
    QCOMPARE(m.tile(1, 1), -1); // code 9 has no picture
    QCOMPARE(m.tile(1, 2), 6);
    QCOMPARE(m.tile(5, 5), -1); // left out of the deal: erased
    QCOMPARE(m.bonus(1, 1), 0); // a new deal drops the old bonus layer
}

void TestBoardModel::dealWithBadNumberIsDroppedWhole()
{
    BoardModel m;
    const BoardEffects e = feed(&BoardModel::settiles, m, "0+0+5+1+x+3+2+2+2");
    QVERIFY(!e.handled);
    QCOMPARE(m.tile(0, 0), -1); // not even the groups before the bad number
    QCOMPARE(m.tile(2, 2), -1);
}

void TestBoardModel::newTrailShowsPopupAndClearsMarks()
{
    BoardModel m;
    startRound(m, 2, 1);
    removetile(m, "2+0+0+1+60+60+60", 2);
    removetile(m, "2+0+1+2+120+60+120", 2);
    QCOMPARE(m.tile(0, 0), 0);
    QCOMPARE(m.tile(0, 1), 0);

    const BoardEffects e = removetile(m, "2+3+3+1+10+10+130", 2);
    QCOMPARE(e.popup, std::optional<int>(120));
    QCOMPARE(m.tile(0, 0), -1);
    QCOMPARE(m.tile(0, 1), -1);
    QCOMPARE(m.tile(3, 3), 0);
    QCOMPARE(m.trailScore(2), 10);

    // A new trail right after a round start (trail score 0) shows no popup.
    m.setTrailScore(2, 0);
    QVERIFY(!removetile(m, "2+4+4+1+10+10+140", 2).popup);
}

void TestBoardModel::takeReportsScoreTrailAndSound_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("myslot");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("sound");
    QTest::addColumn<bool>("offered");
    QTest::newRow("plain take") << QByteArray("2+4+0+3+60+30+410") << 2 << "Trail Score: 60"
                                << "remove" << true;
    QTest::newRow("transport") << QByteArray("2+1+1+2+90+30+440") << 2 << "Transport!"
                               << "chain" << true;
    QTest::newRow("other seat") << QByteArray("2+4+0+3+60+30+410") << 5 << "Trail Score: 60"
                                << "remove" << false;
}

void TestBoardModel::takeReportsScoreTrailAndSound()
{
    QFETCH(QByteArray, payload);
    QFETCH(int, myslot);
    QFETCH(QString, status);
    QFETCH(QString, sound);
    QFETCH(bool, offered);
    BoardModel m;
    startRound(m, 2, 1);
    const QList<QByteArray> v = payload.split('+');
    const int x = v[1].toInt();
    const int y = v[2].toInt();
    const BoardEffects e = removetile(m, payload, myslot);
    QVERIFY(e.handled);
    QCOMPARE(e.status.value_or(QString()), status);
    QCOMPARE(names(e.sounds), QStringList{sound});
    QCOMPARE(e.scoreSlot, 2);
    QCOMPARE(e.score, v[6].toInt());
    QCOMPARE(e.trailText.value_or(QString()), QString::fromLatin1(v[5]));
    QCOMPARE(e.trailCell, std::optional<QPoint>(QPoint(x, y)));
    QCOMPARE(m.tile(x, y), 0);
    QCOMPARE(m.bonus(x, y), 0);
    QCOMPARE(e.highestTrail.has_value(), offered);
    if (offered)
        QCOMPARE(*e.highestTrail, v[4].toInt());
}

void TestBoardModel::bombMarksEachClearedCell()
{
    BoardModel m;
    startRound(m, 2, 1);
    m.setTrailScore(2, 40);
    const BoardEffects e = feed(&BoardModel::bombed, m, "2+3+0+25+900+3+2+3+3+4+3");
    QVERIFY(e.handled);
    QCOMPARE(e.sounds, (QList<GameSound>{GameSound::Bomb, GameSound::Bomb, GameSound::Bomb}));
    QCOMPARE(m.tile(3, 2), 0);
    QCOMPARE(m.tile(3, 3), 0);
    QCOMPARE(m.tile(4, 3), 0);
    QCOMPARE(m.trailScore(2), 40); // a zero trail score leaves the running one alone
    QCOMPARE(e.trailText.value_or(QString()), QStringLiteral("25"));
    QVERIFY(!e.trailCell);
    QCOMPARE(e.status.value_or(QString()), QStringLiteral("Trail Score: 0"));
    QCOMPARE(e.scoreSlot, 0);
}

void TestBoardModel::bombListWithEmptyFieldIsDroppedWhole()
{
    BoardModel m;
    startRound(m, 2, 1);
    const BoardEffects e = feed(&BoardModel::bombed, m, "2+3+75+25+900+1+0++4+4+9+1");
    QVERIFY(!e.handled);
    QVERIFY(e.sounds.isEmpty());
    QCOMPARE(m.tile(1, 0), (1 + 0) % 5 + 1);
    QCOMPARE(m.tile(4, 4), (4 + 4) % 5 + 1);
    QCOMPARE(m.trailScore(2), 0);
}

void TestBoardModel::malformedTakeChangesNothing_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::newRow("slot of a watcher") << QByteArray("7+0+0+1+10+10+10");
    QTest::newRow("slot 0") << QByteArray("0+0+0+1+10+10+10");
    QTest::newRow("column outside") << QByteArray("2+6+0+1+10+10+10");
    QTest::newRow("row outside") << QByteArray("2+0+-1+1+10+10+10");
    QTest::newRow("text for a number") << QByteArray("2+0+0+1+ten+10+10");
    QTest::newRow("fields missing") << QByteArray("2+0+0");
    QTest::newRow("too large") << QByteArray("2+0+0+1+99999999999+10+10");
}

void TestBoardModel::malformedTakeChangesNothing()
{
    QFETCH(QByteArray, payload);
    BoardModel m;
    startRound(m, 2, 1);
    removetile(m, "2+5+5+1+10+10+10", 2);
    const BoardGrid before = m.grid();
    const BoardEffects e = removetile(m, payload, 2);
    QVERIFY(!e.handled);
    QVERIFY(e.sounds.isEmpty());
    QCOMPARE(m.grid().tiles, before.tiles);
    QCOMPARE(m.grid().bonus, before.bonus);
    QCOMPARE(m.trailScore(2), 10);
}

QTEST_APPLESS_MAIN(TestBoardModel)
#include "test_board_model.moc"
