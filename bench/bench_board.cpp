// Time of one full repaint of the 312 x 312 game board (every cell erased to
// the background, its tile and bonus drawn) on the offscreen platform, against
// a widget of the same size that paints one picture.
#include "bench_support.h"

#include "client/board_canvas.h"
#include "client/board_pictures.h"
#include "client/board_view.h"
#include "client/core/board_grid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QRandomGenerator>
#include <QWindow>
#include <cstdio>

namespace {

// The reference: as large as the board's paint box, one image drawn per paint.
class PictureBox : public QWidget {
public:
    explicit PictureBox(const QImage& picture) : m_picture(picture)
    {
        setFixedSize(BoardGrid::BoxPixels, BoardGrid::BoxPixels);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.drawImage(0, 0, m_picture);
    }

private:
    QImage m_picture;
};

void fillBoard(BoardGrid& grid)
{
    QRandomGenerator rng(312);
    for (auto& column : grid.tiles)
        for (int& cell : column)
            cell = 1 + int(rng.bounded(BoardGrid::Wild));
    // A full deal's bonuses: five transports, a bomb, two doubles, a triple.
    const int codes[] = {1, 1, 1, 1, 1, 2, 3, 3, 4};
    for (int code : codes)
        grid.bonus[rng.bounded(BoardGrid::Size)][rng.bounded(BoardGrid::Size)] = code;
}

bool waitExposed(QWidget& widget)
{
    widget.show();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (widget.windowHandle() && widget.windowHandle()->isExposed())
            return true;
    }
    return false;
}

// Median and 99th percentile, in ms, of `frames` synchronous full repaints.
std::pair<double, double> repaintTimes(QWidget& widget, int frames)
{
    for (int i = 0; i < 10; ++i)
        widget.repaint();
    QList<double> ms;
    for (int i = 0; i < frames; ++i) {
        QElapsedTimer t;
        t.start();
        widget.repaint();
        ms << double(t.nsecsElapsed()) / 1e6;
    }
    return {bench::median(ms), bench::percentile(ms, 99)};
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bench::Args args(QCoreApplication::arguments().mid(1));
    const int frames = qMax(1, args.number(QStringLiteral("frames"), 2000));

    BoardGrid grid;
    fillBoard(grid);
    const BoardPictures pictures;
    BoardView view(grid, pictures,
                   {QStringLiteral("panel_board"), QStringLiteral("image_board"), QStringLiteral("board"),
                    QStringLiteral("label_trail")},
                   Qt::green);
    PictureBox reference(QImage(QStringLiteral(":/pictures/board_background.png")));
    if (!waitExposed(view) || !waitExposed(reference)) {
        std::fprintf(stderr, "bench_board: the windows were never exposed\n");
        return 1;
    }
    const auto board = repaintTimes(*view.canvas(), frames);
    const auto plain = repaintTimes(reference, frames);
    bench::printRow({QStringLiteral("board repaint 312x312, median"),
                     board.first,
                     QStringLiteral("ms"),
                     QStringLiteral("one 312x312 picture, median"),
                     plain.first,
                     {},
                     QStringLiteral("<= 2 ms")});
    bench::printRow({QStringLiteral("board repaint 312x312, p99"),
                     board.second,
                     QStringLiteral("ms"),
                     QStringLiteral("one 312x312 picture, p99"),
                     plain.second,
                     {},
                     QString()});
    bench::printNote(QStringLiteral("%1 synchronous repaints each, offscreen platform").arg(frames));
    return 0;
}
