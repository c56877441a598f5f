#include "support_game_view.h"

#include "client/board_canvas.h"
#include "client/path_replay_panel.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

QByteArray rec(char kind, int x, int y, int chain, int points, int score, int first = 1, int second = 2)
{
    QByteArray r(1, kind);
    for (int v : {x, y, chain, points, score, first, second})
        r += '+' + QByteArray::number(v);
    return r + '+';
}

QByteArray unused(int count)
{
    QByteArray p;
    for (int i = 0; i < count; ++i)
        p += "f+-1+-1+-1+-1+-1+0+0+";
    return p;
}

QByteArray fullDeal(int code)
{
    QByteArray p;
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            p += (p.isEmpty() ? "" : "+") + QByteArray::number(x) + '+' + QByteArray::number(y) + '+'
                + QByteArray::number(code);
    return p;
}

struct Replay {
    GameViewRig rig;
    PathReplayPanel* panel = &rig.view->replay();

    QString text(const QString& name) { return panel->findChild<QLabel*>(name)->text(); }
    void tick() { panel->Timer1Timer(); }
    bool running() { return panel->timer1().isActive(); }
    int tile(int x, int y) { return panel->model().grid().tiles[x][y]; }
};

} // namespace

class TestPathReplayPanel : public QObject {
    Q_OBJECT
private slots:
    void replaysOnePickPerTick();
    void optionOffShowsChatLineOnly();
    void closingLeavesReplayRunning();
    void replayBoardIsDrawn();
};

void TestPathReplayPanel::replaysOnePickPerTick()
{
    Replay r;
    r.rig.feed(&GameView::settileswinner, fullDeal(1));
    r.rig.feed(&GameView::setbonuswinner, fullDeal(0));
    r.rig.feed(&GameView::thepath,
               "Bo+b+" + rec('f', 0, 0, 1, 10, 10) + rec('f', 1, 0, 2, 20, 30) + rec('t', 2, 0, 0, 0, 30)
                   + rec('t', 3, 0, 0, 0, 30) + rec('f', 4, 0, 3, 30, 60) + unused(31) + "s+4500+");
    QVERIFY(r.panel->isVisibleTo(&r.rig.back));
    QCOMPARE(r.text("label_name"), QStringLiteral("Bo+b"));
    QCOMPARE(r.text("label_score"), QStringLiteral("0"));
    QVERIFY(r.running());

    r.tick();
    QCOMPARE(r.text("label_score"), QStringLiteral("10"));
    QVERIFY(!r.panel->findChild<QLabel*>("image_currentwinner")->pixmap().isNull());
    r.tick();
    QCOMPARE(r.tile(1, 0), 0);
    QCOMPARE(r.tile(2, 0), 0);
    QCOMPARE(r.tile(3, 0), 0);
    QCOMPARE(r.tile(4, 0), 1);
    QCOMPARE(r.text("label_trailscorewinner"), QStringLiteral("20"));
    r.tick();
    QCOMPARE(r.text("label_score"), QStringLiteral("60"));
    for (int i = 0; i < 31; ++i) {
        QVERIFY(r.running());
        r.tick();
    }
    // Unused entries carry no tiles: both pictures are empty.
    QVERIFY(r.panel->findChild<QLabel*>("image_nextwinner")->pixmap().isNull());
    QCOMPARE(r.text("label_score"), QStringLiteral("4500"));
    QVERIFY(r.running());
    r.tick();
    QVERIFY(!r.running());
    QVERIFY(r.panel->isVisibleTo(&r.rig.back)); // stays until closed or the next board
}

void TestPathReplayPanel::optionOffShowsChatLineOnly()
{
    Replay r;
    r.rig.feed(&GameView::settileswinner, fullDeal(3));
    r.rig.winnersPath = false;
    r.rig.feed(&GameView::settileswinner, fullDeal(5));
    r.rig.feed(&GameView::setbonuswinner, "0+0+2");
    r.rig.feed(&GameView::thepath, "Ann+" + rec('f', 0, 0, 1, 10, 10) + "s+10+");
    QCOMPARE(r.tile(0, 0), 3);
    QCOMPARE(r.panel->model().grid().bonus[0][0], 0);
    QVERIFY(!r.panel->isVisibleTo(&r.rig.back));
    QVERIFY(!r.running());
    QCOMPARE(r.rig.lines.size(), 1);
    QCOMPARE(r.rig.lines[0], QStringLiteral("0+Your options are not set to view the winner's path."));
    QCOMPARE(r.rig.colours[0], QColor(156, 152, 120));
}

void TestPathReplayPanel::closingLeavesReplayRunning()
{
    Replay r;
    r.rig.feed(&GameView::thepath, "Ann+" + rec('f', 0, 0, 1, 10, 10) + rec('f', 0, 1, 2, 10, 20) + "s+20+");
    r.tick();
    QTest::mouseClick(r.panel->findChild<QPushButton*>("FlatButton1"), Qt::LeftButton);
    QVERIFY(!r.panel->isVisibleTo(&r.rig.back));
    QVERIFY(r.running());
    r.tick();
    QCOMPARE(r.text("label_score"), QStringLiteral("20"));
    // The next board hides the panel too.
    r.panel->show();
    r.rig.deal(1);
    QVERIFY(!r.panel->isVisibleTo(&r.rig.back));
}

void TestPathReplayPanel::replayBoardIsDrawn()
{
    Replay r;
    r.rig.feed(&GameView::settileswinner, fullDeal(1));
    r.rig.feed(&GameView::setbonuswinner, "2+2+3");
    auto* canvas = r.panel->findChild<BoardCanvas*>("boardwinner");
    const QImage before = canvas->grab().toImage();
    r.rig.feed(&GameView::thepath, "Ann+" + rec('f', 2, 2, 1, 0, 10) + "s+10+");
    r.tick();
    const QImage after = canvas->grab().toImage();
    // The picked cell now shows the trail mark instead of the tile and its bonus;
    // every other cell is as before.
    QVERIFY(after.pixel(52 * 2 + 26, 52 * 2 + 26) != before.pixel(52 * 2 + 26, 52 * 2 + 26));
    QCOMPARE(after.copy(0, 0, 312, 104), before.copy(0, 0, 312, 104));
    const QImage tiles(":/pictures/board_tiles.png");
    QCOMPARE(QColor(after.pixel(52 * 2 + 2 + 24, 52 * 2 + 2 + 24)).rgb(), QColor(tiles.pixel(24, 24)).rgb());
}

QTEST_MAIN(TestPathReplayPanel)
#include "test_path_replay_panel.moc"
