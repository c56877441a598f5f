#include "support_game_view.h"

#include "client/board_accessible.h"
#include "client/board_canvas.h"
#include "client/status_announcer.h"
#include "client/turn_flow.h"

#include <QAccessible>
#include <QTest>

namespace {

QAccessibleInterface* boardOf(GameViewRig& rig)
{
    return QAccessible::queryAccessibleInterface(rig.find<BoardCanvas>("board"));
}

QString cellName(GameViewRig& rig, int row, int column)
{
    QAccessibleInterface* cell = boardOf(rig)->tableInterface()->cellAt(row, column);
    return cell ? cell->text(QAccessible::Name) : QStringLiteral("(none)");
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void boardReadsAsTableOfCells_data();
    void boardReadsAsTableOfCells();
    void cellsFollowTheBoard();
    void cursorStaysOnTheBoard_data();
    void cursorStaysOnTheBoard();
    void keyPickTakesTheClicksRoad_data();
    void keyPickTakesTheClicksRoad();
    void cursorCellHasTheFocus();
    void turnEventsAreAnnounced();
};

void TestAccessibility::boardReadsAsTableOfCells_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("bonus");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("name");
    QTest::newRow("piece and multiplier") << 5 << QByteArray("3+2+3") << 2 << 3 << "row 3, column 4: red gloop, 2x";
    QTest::newRow("wild with transport") << 6 << QByteArray("0+0+1") << 0 << 0
                                         << "row 1, column 1: wild gloop, transport";
    QTest::newRow("bomb") << 4 << QByteArray("1+4+2") << 4 << 1 << "row 5, column 2: purple gloop, bomb";
    QTest::newRow("last cell, triple") << 1 << QByteArray("5+5+4") << 5 << 5 << "row 6, column 6: yellow gloop, 3x";
    QTest::newRow("no bonus elsewhere") << 2 << QByteArray("5+5+4") << 5 << 4 << "row 6, column 5: green gloop";
    QTest::newRow("taken cell") << 0 << QByteArray("0+0+0") << 1 << 1 << "row 2, column 2: empty";
    QTest::newRow("outside") << 3 << QByteArray("0+0+0") << 6 << 0 << "(none)";
}

void TestAccessibility::boardReadsAsTableOfCells()
{
    QFETCH(int, code);
    QFETCH(QByteArray, bonus);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, name);
    GameViewRig rig;
    rig.deal(code, bonus);
    QAccessibleInterface* board = boardOf(rig);
    QVERIFY(board && board->tableInterface());
    QCOMPARE(board->role(), QAccessible::Table);
    QCOMPARE(board->text(QAccessible::Name), QStringLiteral("Game board"));
    QCOMPARE(board->childCount(), 36);
    QCOMPARE(board->tableInterface()->rowCount() * board->tableInterface()->columnCount(), 36);
    QCOMPARE(cellName(rig, row, column), name);
    if (QAccessibleInterface* cell = board->tableInterface()->cellAt(row, column)) {
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(cell->tableCellInterface()->rowIndex(), row);
        QCOMPARE(cell->tableCellInterface()->columnIndex(), column);
        // One interface per cell for as long as the board lives.
        QCOMPARE(board->child(row * 6 + column), cell);
        QCOMPARE(board->indexOfChild(cell), row * 6 + column);
        QCOMPARE(cell->parent(), board);
    }
}

// Names are read from the board at each request: a take or a new bonus
// layer shows in the next reading.
void TestAccessibility::cellsFollowTheBoard()
{
    GameViewRig rig;
    rig.startRound(3, 3);
    rig.feed(&GameModel::removeTile, "2+4+1+1+30+30+30");
    QCOMPARE(cellName(rig, 1, 4), QStringLiteral("row 2, column 5: empty"));
    rig.feed(&GameModel::setBonus, "0+5+2");
    QCOMPARE(cellName(rig, 5, 0), QStringLiteral("row 6, column 1: orange gloop, bomb"));
}

void TestAccessibility::cursorStaysOnTheBoard_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QPoint>("cell");
    QTest::newRow("right, right, down") << QList<int>{Qt::Key_Right, Qt::Key_Right, Qt::Key_Down} << QPoint(2, 1);
    QTest::newRow("up and left stop at the corner") << QList<int>{Qt::Key_Up, Qt::Key_Left} << QPoint(0, 0);
    QTest::newRow("right edge") << QList<int>(8, Qt::Key_Right) << QPoint(5, 0);
    QTest::newRow("bottom edge then back") << (QList<int>(9, Qt::Key_Down) << Qt::Key_Up) << QPoint(0, 4);
}

void TestAccessibility::cursorStaysOnTheBoard()
{
    QFETCH(QList<int>, keys);
    QFETCH(QPoint, cell);
    GameViewRig rig;
    auto* canvas = rig.find<BoardCanvas>("board");
    canvas->setCursorCell(3, 3);
    rig.startRound(1, 1);
    // Every deal puts the cursor back on the top-left cell.
    QCOMPARE(canvas->cursorCell(), QPoint(0, 0));
    QCOMPARE(canvas->focusPolicy(), Qt::StrongFocus);
    for (const int key : keys)
        QTest::keyClick(canvas, Qt::Key(key));
    QCOMPARE(canvas->cursorCell(), cell);
}

void TestAccessibility::keyPickTakesTheClicksRoad_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("current");
    QTest::newRow("space") << int(Qt::Key_Space) << 4;
    QTest::newRow("return") << int(Qt::Key_Return) << 4;
    QTest::newRow("enter") << int(Qt::Key_Enter) << 4;
    QTest::newRow("not the current tile") << int(Qt::Key_Space) << 2;
}

// A key pick on cell (1, 2) sends, plays and shows what a click there does.
void TestAccessibility::keyPickTakesTheClicksRoad()
{
    QFETCH(int, key);
    QFETCH(int, current);
    GameViewRig byKey;
    GameViewRig byMouse;
    for (GameViewRig* rig : {&byKey, &byMouse})
        rig->startRound(4, current);
    auto* canvas = byKey.find<BoardCanvas>("board");
    QTest::keyClick(canvas, Qt::Key_Right);
    QTest::keyClick(canvas, Qt::Key_Down);
    QTest::keyClick(canvas, Qt::Key_Down);
    QTest::keyClick(canvas, Qt::Key(key));
    QTest::mouseClick(byMouse.find<BoardCanvas>("board"), Qt::LeftButton, {}, QPoint(52 + 10, 104 + 40));
    QCOMPARE(byKey.session->sent, byMouse.session->sent);
    QCOMPARE(byKey.sounds, byMouse.sounds);
    QCOMPARE(byKey.find<QLabel>("label_status")->text(), byMouse.find<QLabel>("label_status")->text());
    QCOMPARE(byKey.session->sent.isEmpty(), current != 4);
}

void TestAccessibility::cursorCellHasTheFocus()
{
    GameViewRig rig;
    rig.back.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.back));
    rig.startRound(2, 2);
    auto* canvas = rig.find<BoardCanvas>("board");
    QAccessibleInterface* board = boardOf(rig);
    canvas->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(canvas->hasFocus());
    QTest::keyClick(canvas, Qt::Key_Down);
    QAccessibleInterface* focused = board->focusChild();
    QVERIFY(focused);
    QCOMPARE(focused, board->tableInterface()->cellAt(1, 0));
    QVERIFY(focused->state().focused);
    QVERIFY(!board->tableInterface()->cellAt(0, 0)->state().focused);
    // The cell's rectangle is where it is drawn on screen.
    QCOMPARE(focused->rect().topLeft(), canvas->mapToGlobal(QPoint(0, 52)));
    canvas->clearFocus();
    QVERIFY(!board->focusChild());
    QVERIFY(!focused->state().focused);
}

void TestAccessibility::turnEventsAreAnnounced()
{
    GameViewRig rig;
    StatusAnnouncer* status = rig.view->turnFlow().announcer();
    QCOMPARE(QAccessible::queryAccessibleInterface(status)->text(QAccessible::Description),
             QStringLiteral("Game status"));
    const auto said = [&] { return QAccessible::queryAccessibleInterface(status)->text(QAccessible::Name); };
    // Only a seat called "You" is addressed as such.
    rig.session->setMyname(QStringLiteral("You"));
    rig.model->playerArrived(2, QStringLiteral("You"));
    rig.startRound(1, 1);
    QCOMPARE(said(), QStringLiteral("Mission: 1  Your turn"));
    for (int tick = 0; tick < GameModel::RoundSeconds - StatusAnnouncer::HurrySeconds; ++tick)
        rig.view->turnFlow().Timer2Timer();
    QCOMPARE(said(), QStringLiteral("10 seconds left!"));
    rig.feed(&GameModel::turnOver, "2+250+660+3");
    QCOMPARE(said(), QStringLiteral("Out of Time!"));
    rig.feed(&GameModel::winner, "Bob");
    QCOMPARE(said(), QStringLiteral("Bob has Won the Game!"));
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
