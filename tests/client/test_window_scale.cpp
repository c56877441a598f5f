#include "chat/chat_edit.h"
#include "chat/core/colour_text.h"
#include "chat/panel_chat.h"
#include "client/board_canvas.h"
#include "client/core/game_model.h"
#include "client/game_view.h"
#include "client/main_window.h"
#include "client/path_replay_panel.h"
#include "client/score_panel.h"
#include "net/field_reader.h"
#include "net/protocol.h"
#include "support_client_parts.h"
#include "ui/design_scale.h"
#include "ui/rich_chat_view.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// The game area as designed: the window's width, the back panel's height below its lift.
constexpr QSize DesignArea(713, 531);
constexpr int Cell = 52;

QRgb pieceColour(int code)
{
    return QColor::fromHsv(code * 45, 255, 230).rgb();
}

// Solid pieces, except piece 1: one-pixel black and white squares, which any
// resampling on the way to the screen would smear to grey.
TilePictures plainPictures()
{
    TilePictures set;
    for (int c = 0; c < 7; ++c) {
        QImage p(48, 48, QImage::Format_RGB32);
        p.fill(QColor(pieceColour(c)));
        if (c == 1)
            for (int y = 0; y < 48; ++y)
                for (int x = 0; x < 48; ++x)
                    p.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        set.pieces << p;
    }
    for (int b = 0; b < 5; ++b) {
        QImage p(48, 48, QImage::Format_RGB32);
        p.fill(Qt::black);
        set.bonus << p;
    }
    return set;
}

template <class Msg>
void feed(GameModel& model, void (GameModel::*handler)(const Msg&), const QByteArray& payload)
{
    FieldReader f(payload);
    const std::optional<Msg> m = Msg::decode(f);
    QVERIFY(m);
    (model.*handler)(*m);
}

// Column x holds tile code x + 1 (a column of each kind), so the picture under
// a click tells its column; rows are told apart by clicking.
void dealColumns(GameModel& model)
{
    QByteArray p;
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            p += (p.isEmpty() ? "" : "+") + QByteArray::number(x) + '+' + QByteArray::number(y) + '+'
                + QByteArray::number(x + 1);
    feed(model, &GameModel::setTiles, p);
}

struct Window : RecordedParts {
    GameModel model;
    MainWindow window{model, parts()};
    QWidget* client() const { return window.centralWidget(); }
    template <typename T>
    T* find(const char* name) const
    {
        return window.findChild<T*>(QLatin1String(name));
    }
    // Resizes so that the client area is `area`; the menu bar keeps its height.
    bool showAt(const QSize& area)
    {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return false;
        const QSize frame = window.size() - client()->size();
        window.resize(area + frame);
        return QTest::qWaitFor([&] { return client()->size() == area; });
    }
    qreal scale() const
    {
        return qMin(qreal(client()->width()) / DesignArea.width(), qreal(client()->height()) / DesignArea.height());
    }
};

} // namespace

class TestWindowScale : public QObject {
    Q_OBJECT
private slots:
    void gameAreaFillsTheWindowInProportion_data();
    void gameAreaFillsTheWindowInProportion();
    void clicksLandOnTheCellDrawnUnderThem_data();
    void clicksLandOnTheCellDrawnUnderThem();
    void picturesKeepEveryPixelAtTheScreensRatio();
    void chatTextGrowsWithTheWindow();
};

void TestWindowScale::gameAreaFillsTheWindowInProportion_data()
{
    QTest::addColumn<QSize>("area");
    QTest::newRow("design size") << QSize(713, 545);
    QTest::newRow("double") << QSize(1426, 1090);
    QTest::newRow("wide") << QSize(900, 640);
    QTest::newRow("tall") << QSize(900, 1000);
    QTest::newRow("small") << QSize(500, 420);
}

void TestWindowScale::gameAreaFillsTheWindowInProportion()
{
    QFETCH(QSize, area);
    Window w;
    auto* chat = new QWidget;
    chat->setObjectName(QStringLiteral("panel_chat"));
    auto* line = new QLabel(QStringLiteral("Hi"), chat);
    QFont chosen(QStringLiteral("Arial"));
    chosen.setPixelSize(15);
    line->setFont(chosen);
    w.window.setChatPanel(chat);
    QVERIFY(w.showAt(area));
    const qreal s = w.scale();

    // Black bands only on the longer side, and evenly.
    const QWidget* back = w.find<QWidget>("panel_back");
    const QSize used(qRound(DesignArea.width() * s), qRound(DesignArea.height() * s));
    QVERIFY(qAbs(used.width() - area.width()) <= 1 || qAbs(used.height() - area.height()) <= 1);
    QVERIFY(qAbs(back->x() - (area.width() - used.width()) / 2) <= 1);
    QVERIFY(qAbs(back->y() + qRound(9 * s) - (area.height() - used.height()) / 2) <= 1);

    // Rows move in design units, wherever the score order puts them.
    ScorePanel* score = w.window.gameView().scorePanel();
    score->moveRow(3, 291);
    const QRect row = DesignScale::designRect(score->playerName(3));
    QCOMPARE(row.topLeft(), QPoint(23, 291));
    QCOMPARE(score->playerName(3)->geometry(), DesignScale::scaled(row, s));
    score->setTimerWidth(150);
    QCOMPARE(score->timerWidth(), 150);
    QCOMPARE(w.find<QLabel>("image_timer")->width(), DesignScale::scaled(QRect(20, 16, 150, 17), s).width());

    // Game texts grow with the area; the chat's text keeps the size chosen.
    QCOMPARE(w.find<QLabel>("label_roundnum")->font().pixelSize(), qRound(13 * s));
    QCOMPARE(chat->geometry(), DesignScale::scaled(QRect(8, 353, 692, 171), s));
    QCOMPARE(line->font().pixelSize(), 15);
    QCOMPARE(chat->font().pointSizeF(), QApplication::font().pointSizeF());
    // The winner's path, built at its first message, comes at the scale in force.
    const PathReplayPanel& replay = w.window.gameView().replay();
    QCOMPARE(replay.geometry(), DesignScale::scaled(QRect(39, 28, 393, 364), s));
    QCOMPARE(w.find<QLabel>("label_winnerspath")->font().pixelSize(), qRound(16 * s));
    // The phrase bubble's picture, decoded at its first showing, fits the scale too.
    auto* bubble = w.find<QLabel>("image_bubble");
    QVERIFY(bubble->pixmap().isNull());
    bubble->show();
    QVERIFY(!bubble->pixmap().isNull());
    QCOMPARE(bubble->hasScaledContents(), s != 1.0);
    QCOMPARE(bubble->geometry(), DesignScale::scaled(QRect(8, 34, 135, 146), s));
    // START GAME is drawn at the scale: its orange face reaches both ends.
    auto* start = w.find<QPushButton>("button_startgame");
    start->show();
    QCOMPARE(start->geometry(), DesignScale::scaled(QRect(16, 49, 115, 67), s));
    const QImage face = start->grab().toImage();
    for (const QPointF design : {QPointF(8, 50), QPointF(107, 50), QPointF(57, 60)}) {
        const QColor c = face.pixelColor((design * s * face.devicePixelRatio()).toPoint());
        QVERIFY2(qAbs(c.red() - 0xff) + qAbs(c.green() - 0x8a) + qAbs(c.blue() - 0x1a) < 24, qPrintable(c.name()));
    }
    // And the window can always be brought back to its design size.
    QVERIFY(w.showAt(QSize(713, 545)));
}

void TestWindowScale::clicksLandOnTheCellDrawnUnderThem_data()
{
    QTest::addColumn<QSize>("area");
    QTest::newRow("design size") << QSize(713, 545);
    QTest::newRow("double") << QSize(1426, 1090);
    QTest::newRow("900 x 700 window") << QSize(900, 676);
    QTest::newRow("odd size") << QSize(1001, 777);
}

void TestWindowScale::clicksLandOnTheCellDrawnUnderThem()
{
    QFETCH(QSize, area);
    Window w;
    GameView& view = w.window.gameView();
    view.setPictures(plainPictures());
    dealColumns(w.model);
    QVERIFY(w.showAt(area));
    auto* canvas = w.find<BoardCanvas>("board");
    QCOMPARE(canvas->width(), DesignScale::scaled(QRect(1, 1, 312, 312), w.scale()).width());
    const QImage drawn = canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal px = qreal(canvas->width()) / 312;
    const qreal ratio = drawn.width() / qreal(canvas->width());
    QSignalSpy released(canvas, &BoardCanvas::boardMouseUp);

    // First and last screen pixel of cell c (0, 1 or 2), or its middle.
    const auto edge = [px](int c, int which) {
        const int first = int(std::ceil(c * Cell * px));
        const int last = int(std::ceil((c + 1) * Cell * px)) - 1;
        return which == 0 ? first : which == 2 ? last : (first + last) / 2;
    };
    for (const int c : {0, 2, 5}) {
        for (const int which : {0, 1, 2}) {
            // Column c, row 5 - c: never the point (0, 0), which QTest takes for the middle.
            QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(edge(c, which), edge(5 - c, which)));
            QCOMPARE(released.count(), 1);
            const QList<QVariant> args = released.takeFirst();
            QCOMPARE(args.at(0).toInt() / Cell, c);
            QCOMPARE(args.at(1).toInt() / Cell, 5 - c);
        }
        // The picture of column c is drawn in the middle of that column.
        const int middle = int(((c * Cell) + Cell / 2 + 5) * px * ratio);
        if (c != 0) // column 0 holds the chequered piece
            QCOMPARE(drawn.pixel(middle, middle), pieceColour(c + 1));
    }
}

void TestWindowScale::picturesKeepEveryPixelAtTheScreensRatio()
{
    Window w;
    GameView& view = w.window.gameView();
    view.setPictures(plainPictures());
    QVERIFY(w.showAt(QSize(713, 545)));
    const qreal ratio = w.window.devicePixelRatioF();
    // The second run of this test is on a screen of ratio 2.
    if (qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2)
        QCOMPARE(ratio, 2.0);
    // The preview of the tile after next is 24 x 24: at ratio 2 it holds all
    // 48 pixels of the picture, each on a screen pixel of its own.
    feed(w.model, &GameModel::setAfterNextTile, "1");
    const QImage nn = w.find<QLabel>("image_nntile")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(nn.width(), qRound(24 * ratio));
    int alternations = 0;
    for (int x = 1; x < nn.width(); ++x)
        alternations += qGray(nn.pixel(x, 10)) / 128 != qGray(nn.pixel(x - 1, 10)) / 128;
    if (ratio >= 2)
        QVERIFY2(alternations >= nn.width() - 2, qPrintable(QString::number(alternations)));
    // The board is painted at the screen's resolution too, and the chequered
    // piece in column 0 keeps every pixel pure black or white.
    dealColumns(w.model);
    const QImage board = w.find<BoardCanvas>("board")->grab().toImage();
    QCOMPARE(board.width(), qRound(312 * ratio));
    int grey = 0;
    for (int x = qRound(2 * ratio); x < qRound(50 * ratio); ++x)
        grey += qGray(board.pixel(x, qRound(20 * ratio))) % 255 != 0;
    QCOMPARE(grey, 0);
}

void TestWindowScale::chatTextGrowsWithTheWindow()
{
    Window w;
    auto* chat = new PanelChat;
    chat->setTextSize(10);
    // Lines shown before the window first takes its size.
    chat->addlinetochat({1, QStringLiteral("Ann chats: hello")}, ColourText::Red);
    chat->addlinetochat({2, QStringLiteral("Bob chats: hi")}, ColourText::Blue);
    w.window.setChatPanel(chat);
    RichChatView* view = chat->mainchat();
    QVERIFY(w.showAt(QSize(713, 545)));
    // At the design size the chosen size is the size shown.
    QCOMPARE(view->TextStyle(1).font.pointSizeF(), 10.0);
    const int rowHeight = view->ItemRect(0).height();
    const int editHeight = chat->mychat()->height();

    QVERIFY(w.showAt(QSize(1426, 1090)));
    QCOMPARE(view->TextStyle(1).font.pointSizeF(), 20.0);
    QVERIFY2(view->ItemRect(0).height() >= 2 * rowHeight - 2, qPrintable(QString::number(view->ItemRect(0).height())));
    QCOMPARE(chat->mychat()->height(), 2 * editHeight);
    // The first lines stay as large as a line shown after the resize.
    chat->addlinetochat({1, QStringLiteral("Ann chats: again")}, ColourText::Red);
    QCOMPARE(view->ItemRect(0).height(), view->ItemRect(4).height());
    QCOMPARE(view->ItemRect(2).height(), view->ItemRect(4).height());

    QVERIFY(w.showAt(QSize(713, 545)));
    QCOMPARE(view->TextStyle(1).font.pointSizeF(), 10.0);
    QCOMPARE(view->ItemRect(0).height(), rowHeight);
}

QTEST_MAIN(TestWindowScale)
#include "test_window_scale.moc"
