#include "board_view.h"

#include "board_canvas.h"
#include "client/core/board_grid.h"
#include "ui/built_in_picture.h"
#include "ui/design_scale.h"

#include <QLabel>

namespace {

// The game's board and the winner's path replay draw the same picture: it is
// decoded once, and into the painter's own pixel format, because every cell
// is erased to its piece of it at every repaint and a palette picture would
// be converted again each time.
const QImage& boardBackground()
{
    static const QImage picture = [] {
        const QImage decoded = BuiltInPicture::image(QStringLiteral("board_background.png"));
        return decoded.convertToFormat(decoded.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                 : QImage::Format_RGB32);
    }();
    return picture;
}

} // namespace

BoardView::BoardView(const BoardGrid& grid, const BoardPictures& pictures, const BoardViewNames& names,
                     const QColor& border, QWidget* parent)
    : FramedPanel(border, Qt::black, parent)
{
    setObjectName(names.panel);
    resize(PanelSide, PanelSide);
    const QImage& background = boardBackground();

    m_image = new QLabel(this);
    m_image->setObjectName(names.image);
    m_image->setGeometry(1, 1, BoardGrid::BoxPixels, BoardGrid::BoxPixels);
    m_image->setPixmap(QPixmap::fromImage(background));

    m_canvas = new BoardCanvas(grid, pictures, this);
    m_canvas->setObjectName(names.canvas);
    m_canvas->move(1, 1);
    m_canvas->setBackground(background);

    m_trail = new QLabel(m_canvas);
    m_trail->setObjectName(names.trail);
    m_trail->setTextFormat(Qt::PlainText);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(true);
    m_trail->setFont(font);
    QPalette white = m_trail->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_trail->setPalette(white);
    // Clicks go through the label to the board under it.
    m_trail->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_trail->move(4, 4);
}

void BoardView::refresh()
{
    m_canvas->gridChanged();
}

void BoardView::setPictures(const BoardPictures& pictures)
{
    m_canvas->setPictures(pictures);
}

void BoardView::moveTrailTo(int x, int y)
{
    DesignScale::move(m_trail, {x * BoardGrid::CellPixels + 4, y * BoardGrid::CellPixels + 4});
    m_trail->adjustSize();
    DesignScale::keepSize(m_trail);
    m_trail->raise();
}

void BoardView::setTrailText(const QString& text)
{
    m_trail->setText(text);
    m_trail->adjustSize();
    DesignScale::keepSize(m_trail);
}
