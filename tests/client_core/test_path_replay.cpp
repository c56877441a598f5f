#include "client/core/path_replay_model.h"

#include <QTest>

namespace {

QByteArray rec(char kind, int x, int y, int chain, int points, int score, int first = 1, int second = 2)
{
    return QByteArray(1, kind) + '+' + QByteArray::number(x) + '+' + QByteArray::number(y) + '+'
        + QByteArray::number(chain) + '+' + QByteArray::number(points) + '+' + QByteArray::number(score) + '+'
        + QByteArray::number(first) + '+' + QByteArray::number(second) + '+';
}

QByteArray unused(int count)
{
    QByteArray p;
    for (int i = 0; i < count; ++i)
        p += "f+-1+-1+-1+-1+-1+3+4+";
    return p;
}

QList<CellCode> cells(const QByteArray& payload)
{
    FieldReader f(payload);
    return ToClient::ResetTiles::decode(f).value().cells;
}

std::optional<ToClient::ThePath> path(const QByteArray& payload)
{
    FieldReader f(payload);
    return ToClient::ThePath::decode(f);
}

// Starts the replay of Ann's path: entries, then "s+result+".
void start(PathReplayModel& m, const QByteArray& records)
{
    m.start(path("Ann+" + records).value());
}

// A board of 1s so trail marks (0) stand out.
PathReplayModel modelWithBoard()
{
    PathReplayModel m;
    QByteArray deal;
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            deal += (deal.isEmpty() ? "" : "+") + QByteArray::number(x) + '+' + QByteArray::number(y) + "+1";
    m.settiles(cells(deal));
    return m;
}

int marks(const PathReplayModel& m)
{
    int n = 0;
    for (const auto& column : m.grid().tiles)
        for (int code : column)
            n += code == 0;
    return n;
}

} // namespace

class TestPathReplay : public QObject {
    Q_OBJECT
private slots:
    void pickWithBombCellsIsOneTick();
    void unusedEntriesTakeATickAndTouchNoCell();
    void zeroPointsLeaveTrailLabel();
    void newTrailClearsOldMarks();
    void badFieldDropsWholePath();
    void readsNameFromTheRight_data();
    void readsNameFromTheRight();
    void bonusLayerReplacesOldOne();
};

void TestPathReplay::pickWithBombCellsIsOneTick()
{
    PathReplayModel m = modelWithBoard();
    start(m,
          rec('f', 0, 0, 1, 10, 10, 3, 5) + rec('f', 1, 0, 2, 20, 30, 5, 2) + rec('t', 2, 0, 0, 0, 30, 2, 4)
              + rec('t', 3, 0, 0, 0, 30, 2, 4) + rec('f', 4, 0, 3, 30, 60, 4, 0) + "s+4500+");

    ReplayTick t = m.step();
    QCOMPARE(t.outcome, ReplayTick::Outcome::Stepped);
    QCOMPARE(t.score, std::optional<QString>("10"));
    QCOMPARE(t.current, 3);
    QCOMPARE(t.next, 5);
    QCOMPARE(t.trailCell, std::optional<QPoint>(QPoint(0, 0)));
    QCOMPARE(marks(m), 1);

    t = m.step();
    QCOMPARE(marks(m), 3 + 1); // the pick and its two bomb cells, plus the first pick
    QCOMPARE(t.current, 2); // the last record of the tick shows its tiles
    QCOMPARE(t.next, 4);
    QCOMPARE(t.trailText, std::optional<QString>("20")); // bomb records carry 0 points
    QCOMPARE(t.trailCell, std::optional<QPoint>(QPoint(1, 0)));

    t = m.step();
    QCOMPARE(t.outcome, ReplayTick::Outcome::Stepped);
    QCOMPARE(t.score, std::optional<QString>("4500"));
    QCOMPARE(t.next, 0);
    QVERIFY(!m.running());

    QCOMPARE(m.step().outcome, ReplayTick::Outcome::Idle);
}

void TestPathReplay::unusedEntriesTakeATickAndTouchNoCell()
{
    PathReplayModel m = modelWithBoard();
    start(m, rec('f', 5, 5, 1, 10, 10) + unused(2) + "s+10+");
    m.step();
    const BoardGrid before = m.grid();
    for (int i = 0; i < 2; ++i) {
        const ReplayTick t = m.step();
        QCOMPARE(t.outcome, ReplayTick::Outcome::Stepped);
        QCOMPARE(t.score, std::optional<QString>(i == 0 ? "-1" : "10"));
        QCOMPARE(t.current, 3);
        QCOMPARE(t.next, 4);
        QVERIFY(!t.boardChanged);
        QVERIFY(!t.trailText);
        QVERIFY(!t.trailCell);
    }
    QCOMPARE(m.grid().tiles, before.tiles);
    QCOMPARE(m.step().outcome, ReplayTick::Outcome::Idle);
}

void TestPathReplay::zeroPointsLeaveTrailLabel()
{
    PathReplayModel m = modelWithBoard();
    start(m, rec('f', 2, 3, 2, 0, 50) + "s+50+");
    const ReplayTick t = m.step();
    QVERIFY(t.boardChanged);
    QCOMPARE(m.grid().tiles[2][3], 0);
    QVERIFY(!t.trailText);
    QVERIFY(!t.trailCell);
}

void TestPathReplay::newTrailClearsOldMarks()
{
    PathReplayModel m = modelWithBoard();
    start(m, rec('f', 0, 0, 1, 10, 10) + rec('f', 0, 1, 2, 20, 30) + rec('f', 5, 5, 1, 10, 40) + "s+40+");
    m.step();
    m.step();
    QCOMPARE(marks(m), 2);
    m.step();
    QCOMPARE(marks(m), 1);
    QCOMPARE(m.grid().tiles[0][0], -1);
    QCOMPARE(m.grid().tiles[5][5], 0);
}

void TestPathReplay::badFieldDropsWholePath()
{
    // Nothing of a path with a bad field is replayed, not even the picks before it.
    QVERIFY(!path("Ann+" + rec('f', 0, 0, 1, 10, 10) + "t+1+x+0+0+10+1+2+" + rec('f', 2, 2, 2, 10, 20) + "s+20+"));
}

void TestPathReplay::readsNameFromTheRight_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("plain") << QByteArray("Bob");
    QTest::newRow("with plus") << QByteArray("Bo+b+f+1");
    QTest::newRow("empty") << QByteArray("");
}

void TestPathReplay::readsNameFromTheRight()
{
    QFETCH(QByteArray, name);
    const QByteArray path = rec('f', 0, 0, 1, 10, 10) + unused(35) + "s+10+";
    const auto p = ::path(name + '+' + path);
    QVERIFY(p);
    QCOMPARE(p->name, name);
    QCOMPARE(p->entries.size(), 36);
    QCOMPARE(p->result, 10);

    // A path shorter than the server's falls back to the first field as the name.
    QCOMPARE(::path("Ann+" + rec('f', 0, 0, 1, 10, 10) + "s+10+").value().name, QByteArray("Ann"));
}

void TestPathReplay::bonusLayerReplacesOldOne()
{
    PathReplayModel m;
    m.setbonus(cells("1+1+2+2+2+3"));
    m.setbonus(cells("0+0+4+3+3+7+9+9+1"));
    QCOMPARE(m.grid().bonus[0][0], 4);
    QCOMPARE(m.grid().bonus[1][1], 0);
    QCOMPARE(m.grid().bonus[3][3], 0); // bonus 7 has no picture
}

QTEST_APPLESS_MAIN(TestPathReplay)
#include "test_path_replay.moc"
