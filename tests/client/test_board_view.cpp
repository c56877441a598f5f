#include "support_game_view.h"

#include "client/board_canvas.h"
#include "client/board_pictures.h"
#include "client/score_panel.h"
#include "client/turn_flow.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTest>

namespace {

QRgb pieceColour(int code)
{
    return QColor::fromHsv(code * 45, 255, 230).rgb();
}

QRgb bonusColour(int code)
{
    return qRgb(255, code * 50, 40);
}

// Plain pictures so every pixel of the board is predictable: solid pieces,
// and bonus pictures that are black except a square at (30, 30).
void usePlainPictures(GameView& view)
{
    TilePictures set;
    for (int c = 0; c < 7; ++c) {
        QImage p(48, 48, QImage::Format_RGB32);
        p.fill(QColor(pieceColour(c)));
        set.pieces << p;
    }
    for (int b = 0; b < 5; ++b) {
        QImage p(48, 48, QImage::Format_RGB32);
        p.fill(Qt::black);
        for (int y = 30; y < 40; ++y)
            for (int x = 30; x < 40; ++x)
                p.setPixel(x, y, bonusColour(b));
        set.bonus << p;
    }
    view.setPictures(set);
}

QImage boardImage(GameViewRig& rig)
{
    return rig.find<BoardCanvas>("board")->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb at(const QImage& image, int x, int y, int dx, int dy)
{
    return image.pixel(52 * x + 2 + dx, 52 * y + 2 + dy);
}

QRgb background(int x, int y, int dx, int dy)
{
    static const QImage picture = QImage(":/pictures/board_background.png").convertToFormat(QImage::Format_RGB32);
    return picture.pixel(52 * x + 2 + dx, 52 * y + 2 + dy);
}

void click(GameViewRig& rig, int px, int py)
{
    QTest::mouseClick(rig.find<BoardCanvas>("board"), Qt::LeftButton, {}, QPoint(px, py));
}

QString status(GameViewRig& rig)
{
    return rig.find<QLabel>("label_status")->text();
}

} // namespace

class TestBoardView : public QObject {
    Q_OBJECT
private slots:
    void drawsMirrorWithSeeThroughBonus();
    void repaintShowsTheSameBoard();
    void clickSendsOnceUntilUnlocked();
    void releaseDraggedOutsideIsIgnored();
    void takesShowOnBoardAndPanel();
    void highestTrailOfferedWhenBeaten_data();
    void highestTrailOfferedWhenBeaten();
    void previewsFollowTheTiles();
    void shippedTransportLetsThePieceShow_data();
    void shippedTransportLetsThePieceShow();
    void shapesSetTellsKindsApartWithoutColour();
    void builtInSetComesBackWithoutATileSet();
};

void TestBoardView::drawsMirrorWithSeeThroughBonus()
{
    GameViewRig rig;
    usePlainPictures(*rig.view);
    rig.feed(&GameModel::setTiles, "0+0+1+1+0+6+2+2+3");
    rig.feed(&GameModel::setBonus, "1+0+2+2+2+4");
    const QImage img = boardImage(rig);
    QCOMPARE(at(img, 0, 0, 10, 10), pieceColour(1));
    QCOMPARE(at(img, 1, 0, 10, 10), pieceColour(6));
    QCOMPARE(at(img, 1, 0, 32, 32), bonusColour(2));
    // Black parts of a bonus picture show the piece beneath.
    QCOMPARE(at(img, 2, 2, 10, 10), pieceColour(3));
    QCOMPARE(at(img, 2, 2, 35, 35), bonusColour(4));
    // Cells left out of the deal show the background only.
    QCOMPARE(at(img, 5, 5, 20, 20), background(5, 5, 20, 20));
}

void TestBoardView::repaintShowsTheSameBoard()
{
    GameViewRig rig;
    rig.back.show();
    rig.startRound(3, 3, "2+2+2+4+4+3");
    rig.feed(&GameModel::removeTile, "2+1+1+1+30+30+30");
    const QImage first = boardImage(rig);
    // The built-in trail mark and a bomb picture are where the mirror says.
    QVERIFY(first != QImage());
    rig.find<QWidget>("panel_board")->hide();
    rig.find<QWidget>("panel_board")->show();
    QCOMPARE(boardImage(rig), first);
    // Taking a cell changes exactly that cell.
    rig.feed(&GameModel::setNextTile, "3+1");
    rig.feed(&GameModel::removeTile, "2+4+4+2+60+30+60");
    const QImage second = boardImage(rig);
    QVERIFY(at(second, 4, 4, 24, 24) != at(first, 4, 4, 24, 24));
    QCOMPARE(at(second, 0, 0, 24, 24), at(first, 0, 0, 24, 24));
}

void TestBoardView::clickSendsOnceUntilUnlocked()
{
    GameViewRig rig;
    rig.startRound(3, 3);
    click(rig, 52 * 4 + 10, 20);
    click(rig, 52 * 4 + 10, 20);
    QCOMPARE(rig.session->sent, QList<QByteArray>{"CMD_selecttile+2+4+0\xff"});
    rig.feed(&GameModel::refused, "3");
    QCOMPARE(status(rig), QStringLiteral("Invalid Tile"));
    click(rig, 10, 300);
    QCOMPARE(rig.session->sent.size(), 2);
    QCOMPARE(rig.session->sent.last(), QByteArray("CMD_selecttile+2+0+5\xff"));
    click(rig, 10, 300);
    rig.feed(&GameModel::setNextTile, "5+3");
    click(rig, 10, 300);
    QCOMPARE(status(rig), QStringLiteral("Invalid Move"));
    QCOMPARE(rig.session->sent.size(), 2);
}

void TestBoardView::releaseDraggedOutsideIsIgnored()
{
    GameViewRig rig;
    rig.startRound(6, 6);
    const QString before = status(rig);
    auto* canvas = rig.find<BoardCanvas>("board");
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(-20, 20));
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(300, 300));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(300, 330));
    QVERIFY(rig.session->sent.isEmpty());
    QCOMPARE(status(rig), before);
}

void TestBoardView::takesShowOnBoardAndPanel()
{
    GameViewRig rig;
    rig.seatThree();
    rig.startRound(4, 4, "3+3+1");
    usePlainPictures(*rig.view);
    rig.feed(&GameModel::removeTile, "2+0+0+1+60+60+60");
    rig.feed(&GameModel::removeTile, "2+3+3+2+120+60+120");
    QCOMPARE(status(rig), QStringLiteral("Transport!"));
    auto* trail = rig.find<QLabel>("label_trailscore");
    QCOMPARE(trail->text(), QStringLiteral("60"));
    QCOMPARE(trail->pos(), QPoint(52 * 3 + 4, 52 * 3 + 4));
    QCOMPARE(at(boardImage(rig), 0, 0, 40, 40), pieceColour(0));

    // A new trail: the finished one pops up and its marks give way to the background.
    rig.feed(&GameModel::removeTile, "2+5+5+1+10+10+130");
    auto* popup = rig.find<QLabel>("label_bonus");
    QCOMPARE(popup->text(), QStringLiteral("120"));
    QCOMPARE(rig.find<QLabel>("label_score2")->text(), QStringLiteral("130"));
    QImage img = boardImage(rig);
    QCOMPARE(at(img, 0, 0, 40, 40), background(0, 0, 40, 40));
    QCOMPARE(at(img, 5, 5, 40, 40), pieceColour(0));

    // A bomb marks its cells; the trail label keeps its place.
    rig.feed(&GameModel::bombed, "2+2+80+20+120+0+1+1+1+2+1");
    QCOMPARE(trail->text(), QStringLiteral("20"));
    QCOMPARE(trail->pos(), QPoint(52 * 5 + 4, 52 * 5 + 4));
    img = boardImage(rig);
    for (int x = 0; x < 3; ++x)
        QCOMPARE(at(img, x, 1, 40, 40), pieceColour(0));
    QCOMPARE(at(img, 3, 1, 40, 40), pieceColour(4));

    // The popup stays for two more clock ticks and goes at the third.
    QVERIFY(popup->isVisibleTo(&rig.back));
    for (int tick = 1; tick <= 3; ++tick) {
        rig.view->turnFlow().Timer2Timer();
        QCOMPARE(popup->isVisibleTo(&rig.back), tick < 3);
        QCOMPARE(rig.find<QLabel>("image_bonus")->isVisibleTo(&rig.back), tick < 3);
    }
}

void TestBoardView::highestTrailOfferedWhenBeaten_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("take");
    QTest::addColumn<QStringList>("tally");
    QTest::newRow("beaten") << "50" << QByteArray("2+0+0+1+60+60+60") << QStringList{"addword 60 4"};
    QTest::newRow("equal") << "60" << QByteArray("2+0+0+1+60+60+60") << QStringList{};
    QTest::newRow("unreadable tally") << "n/a" << QByteArray("2+0+0+1+60+60+60") << QStringList{};
}

void TestBoardView::highestTrailOfferedWhenBeaten()
{
    QFETCH(QString, shown);
    QFETCH(QByteArray, take);
    QFETCH(QStringList, tally);
    GameViewRig rig;
    rig.tallyTrail = shown;
    rig.startRound(1, 1);
    rig.feed(&GameModel::removeTile, take);
    QCOMPARE(rig.tally, tally);
}

void TestBoardView::previewsFollowTheTiles()
{
    GameViewRig rig;
    auto* current = rig.find<QLabel>("image_current");
    auto* next = rig.find<QLabel>("image_next");
    // Choosing a tile set before any tile was dealt leaves both boxes empty.
    usePlainPictures(*rig.view);
    QVERIFY(current->pixmap().isNull());
    QVERIFY(next->pixmap().isNull());
    rig.startRound(1, 5);
    QCOMPARE(current->property("tag").toInt(), 5);
    QCOMPARE(current->pixmap().toImage().pixel(24, 24), pieceColour(5));
    QCOMPARE(next->pixmap().toImage().pixel(24, 24), pieceColour(1));
    rig.feed(&GameModel::setAfterNextTile, "4");
    QCOMPARE(rig.find<QLabel>("image_nntile")->pixmap().size(), QSize(24, 24));
    // A code without a picture leaves the preview empty rather than failing.
    rig.feed(&GameModel::setNextTile, "9+2");
    QVERIFY(current->pixmap().isNull());
    QCOMPARE(current->property("tag").toInt(), 9);
}

void TestBoardView::shippedTransportLetsThePieceShow_data()
{
    QTest::addColumn<QString>("set");
    QTest::newRow("Candy") << "Candy.bmp";
    QTest::newRow("Gems") << "Gems.bmp";
    QTest::newRow("Shapes") << "Shapes.bmp";
}

void TestBoardView::shippedTransportLetsThePieceShow()
{
    QFETCH(QString, set);
    const QString path = QFileInfo(qEnvironmentVariable("GD_APP")).dir().filePath("gloopdashtiles/" + set);
    const QImage strip(path);
    QVERIFY2(!strip.isNull(), qPrintable(path));
    GameViewRig rig;
    rig.view->setPictures(TilePictures::fromStrip(strip));
    for (int code = 1; code <= 5; ++code) {
        rig.deal(code, "0+0+1");
        const QImage board = boardImage(rig);
        const QImage piece = TilePictures::fromStrip(strip).pieces.at(code).convertToFormat(QImage::Format_RGB32);
        int same = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x)
                same += at(board, 0, 0, x, y) == piece.pixel(x, y);
        // Most of the piece, and its middle in full, keeps its own colour.
        QVERIFY2(same >= 48 * 48 * 7 / 10, qPrintable(QString::number(same)));
        for (int y = 20; y < 28; ++y)
            for (int x = 20; x < 28; ++x)
                QCOMPARE(at(board, 0, 0, x, y), piece.pixel(x, y));
    }
}

// A player who cannot tell the colours apart sees a different outline for
// every kind, the wild tile included: the lit pixels of any two pieces differ
// in a good part of the picture.
void TestBoardView::shapesSetTellsKindsApartWithoutColour()
{
    const QString path = QFileInfo(qEnvironmentVariable("GD_APP")).dir().filePath("gloopdashtiles/Shapes.bmp");
    const QImage strip(path);
    QVERIFY2(!strip.isNull(), qPrintable(path));
    const TilePictures set = TilePictures::fromStrip(strip);
    QCOMPARE(set.pieces.size(), TilePictures::PieceCount);
    const auto lit = [&](int code, int x, int y) { return qGray(set.pieces.at(code).pixel(x, y)) > 8; };
    for (int a = 1; a <= BoardGrid::Wild; ++a) {
        for (int b = a + 1; b <= BoardGrid::Wild; ++b) {
            int differ = 0;
            for (int y = 0; y < TilePictures::Side; ++y)
                for (int x = 0; x < TilePictures::Side; ++x)
                    differ += lit(a, x, y) != lit(b, x, y);
            QVERIFY2(differ >= TilePictures::Side * TilePictures::Side / 10,
                     qPrintable(QStringLiteral("%1 and %2").arg(a).arg(b)));
        }
    }
}

// The built-in set is cut when first drawn, and again after a tile set goes.
void TestBoardView::builtInSetComesBackWithoutATileSet()
{
    BoardPictures pictures;
    const QImage* trail = pictures.piece(0);
    QVERIFY(trail && pictures.piece(6) && !pictures.piece(7) && pictures.bonus(4) && !pictures.bonus(5));
    const QImage builtInTrail = *trail;
    TilePictures one;
    one.pieces << QImage(48, 48, QImage::Format_RGB32);
    pictures.setPictures(one);
    QVERIFY(pictures.piece(0) && !pictures.piece(1) && !pictures.bonus(0));
    pictures.setPictures({});
    QVERIFY(pictures.piece(6) && pictures.bonus(4));
    QCOMPARE(*pictures.piece(0), builtInTrail);
}

QTEST_MAIN(TestBoardView)
#include "test_board_view.moc"
