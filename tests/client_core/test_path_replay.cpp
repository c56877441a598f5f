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

// A board of 1s so trail marks (0) stand out.
PathReplayModel modelWithBoard()
{
    PathReplayModel m;
    QByteArray deal;
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            deal += (deal.isEmpty() ? "" : "+") + QByteArray::number(x) + '+' + QByteArray::number(y) + "+1";
    FieldReader f(deal);
    m.settiles(f);
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
    void badFieldEndsReplay();
    void readsNameFromTheRight_data();
    void readsNameFromTheRight();
    void bonusLayerReplacesOldOne();
};

void TestPathReplay::pickWithBombCellsIsOneTick()
{
    PathReplayModel m = modelWithBoard();
    m.start(rec('f', 0, 0, 1, 10, 10, 3, 5) + rec('f', 1, 0, 2, 20, 30, 5, 2) + rec('t', 2, 0, 0, 0, 30, 2, 4)
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
    QCOMPARE(t.current, 2);    // the last record of the tick shows its tiles
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
    m.start(rec('f', 5, 5, 1, 10, 10) + unused(2) + "s+10+");
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
    m.start(rec('f', 2, 3, 2, 0, 50));
    const ReplayTick t = m.step();
    QVERIFY(t.boardChanged);
    QCOMPARE(m.grid().tiles[2][3], 0);
    QVERIFY(!t.trailText);
    QVERIFY(!t.trailCell);
}

void TestPathReplay::newTrailClearsOldMarks()
{
    PathReplayModel m = modelWithBoard();
    m.start(rec('f', 0, 0, 1, 10, 10) + rec('f', 0, 1, 2, 20, 30) + rec('f', 5, 5, 1, 10, 40));
    m.step();
    m.step();
    QCOMPARE(marks(m), 2);
    m.step();
    QCOMPARE(marks(m), 1);
    QCOMPARE(m.grid().tiles[0][0], -1);
    QCOMPARE(m.grid().tiles[5][5], 0);
}

void TestPathReplay::badFieldEndsReplay()
{
    PathReplayModel m = modelWithBoard();
    m.start(rec('f', 0, 0, 1, 10, 10) + "t+1+x+0+0+10+1+2+" + rec('f', 2, 2, 2, 10, 20));
    const ReplayTick t = m.step();
    QCOMPARE(t.outcome, ReplayTick::Outcome::Failed);
    QCOMPARE(m.grid().tiles[0][0], 0); // what the tick did before the bad field stays
    QVERIFY(!m.running());
    QCOMPARE(m.step().outcome, ReplayTick::Outcome::Idle);
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
    FieldReader f(name + '+' + path);
    const PathReplayModel::Path p = PathReplayModel::readPath(f);
    QCOMPARE(p.name, name);
    QCOMPARE(p.records, path);

    // A path shorter than the server's falls back to the first field as the name.
    FieldReader shortPath("Ann+" + rec('f', 0, 0, 1, 10, 10) + "s+10+");
    QCOMPARE(PathReplayModel::readPath(shortPath).name, QByteArray("Ann"));
}

void TestPathReplay::bonusLayerReplacesOldOne()
{
    PathReplayModel m;
    FieldReader first("1+1+2+2+2+3");
    QVERIFY(m.setbonus(first));
    FieldReader second("0+0+4+3+3+7+9+9+1");
    QVERIFY(m.setbonus(second));
    QCOMPARE(m.grid().bonus[0][0], 4);
    QCOMPARE(m.grid().bonus[1][1], 0);
    QCOMPARE(m.grid().bonus[3][3], 0); // bonus 7 has no picture
}

QTEST_APPLESS_MAIN(TestPathReplay)
#include "test_path_replay.moc"
