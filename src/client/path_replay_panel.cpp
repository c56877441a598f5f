#include "path_replay_panel.h"

#include "board_pictures.h"
#include "board_view.h"
#include "chat/core/chat_sink.h"
#include "game_options.h"
#include "score_panel.h"

#include <QLabel>
#include <QPushButton>

namespace {

const QColor Lime(0, 255, 0);

QLabel* makeLabel(QWidget* parent, const QString& name, const QRect& geometry, const QString& text, int pixels,
                  Qt::Alignment align)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    l->setAlignment(align);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(true);
    l->setFont(font);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, Lime);
    l->setPalette(palette);
    return l;
}

} // namespace

PathReplayPanel::PathReplayPanel(const BoardPictures& pictures, const GameOptions& options, ChatSink& chat,
                                 QWidget* parent)
    : FramedPanel(Lime, QColor(6, 18, 10), parent), m_pictures(&pictures), m_options(options), m_chat(chat)
{
    setObjectName(QStringLiteral("panel_winnerspath"));
    setGeometry(39, 28, 393, 364);
    build();
    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setInterval(1000);
    connect(&m_timer1, &QTimer::timeout, this, &PathReplayPanel::Timer1Timer);
    hide();
}

void PathReplayPanel::build()
{
    makeLabel(this, QStringLiteral("label_winnerspath"), QRect(0, 4, 393, 20), tr("Winner's Path"), 16,
              Qt::AlignCenter);
    m_board = new BoardView(m_model.grid(), *m_pictures,
                            {QStringLiteral("panel_boardwinner"), QStringLiteral("amainimage"),
                             QStringLiteral("boardwinner"), QStringLiteral("label_trailscorewinner")},
                            QColor(0, 128, 0), this);
    m_board->move(8, 26);

    makeLabel(this, QStringLiteral("label_currentwinner"), QRect(326, 60, 64, 16), tr("Current"), 12, Qt::AlignCenter);
    m_current = makeLabel(this, QStringLiteral("image_currentwinner"), QRect(334, 78, 48, 48), {}, 12, Qt::AlignCenter);
    makeLabel(this, QStringLiteral("label_nextwinner"), QRect(326, 140, 64, 16), tr("Next"), 12, Qt::AlignCenter);
    m_next = makeLabel(this, QStringLiteral("image_nextwinner"), QRect(334, 158, 48, 48), {}, 12, Qt::AlignCenter);

    m_name = makeLabel(this, QStringLiteral("label_name"), QRect(8, 341, 220, 20), tr("Name"), 16,
                       Qt::AlignLeft | Qt::AlignVCenter);
    m_score = makeLabel(this, QStringLiteral("label_score"), QRect(228, 341, 157, 20), tr("Score"), 16,
                        Qt::AlignRight | Qt::AlignVCenter);

    m_close = new QPushButton(QStringLiteral("X"), this);
    m_close->setObjectName(QStringLiteral("FlatButton1"));
    m_close->setGeometry(368, 4, 20, 18);
    m_close->setFlat(true);
    m_close->setStyleSheet(QStringLiteral("QPushButton { color: lime; font-weight: bold; border: 1px solid #00a000;"
                                          " background: #061206; }"));
    connect(m_close, &QPushButton::clicked, this, &PathReplayPanel::FlatButton1Click);
}

void PathReplayPanel::setPictures(const BoardPictures& pictures)
{
    m_pictures = &pictures;
    m_board->setPictures(pictures);
}

bool PathReplayPanel::running() const
{
    return isVisibleTo(parentWidget()) && m_timer1.isActive();
}

void PathReplayPanel::settileswinner(const ToClient::ResetTiles& m)
{
    if (!m_options.showWinnersPath())
        return;
    m_model.settiles(m.cells);
    m_board->refresh();
}

void PathReplayPanel::setbonuswinner(const ToClient::ResetBonus& m)
{
    if (!m_options.showWinnersPath())
        return;
    m_model.setbonus(m.cells);
    m_board->refresh();
}

void PathReplayPanel::thepath(const ToClient::ThePath& path)
{
    if (!m_options.showWinnersPath()) {
        m_chat.addline(tr("Your options are not set to view the winner's path."), QColor(156, 152, 120));
        return;
    }
    m_name->setText(QString::fromUtf8(path.name));
    m_score->setText(QStringLiteral("0"));
    m_model.start(path);
    QWidget::show();
    raise();
    m_timer1.start();
}

void PathReplayPanel::Timer1Timer()
{
    m_timer1.stop();
    const ReplayTick t = m_model.step();
    showTick(t);
    if (t.outcome == ReplayTick::Outcome::Stepped)
        m_timer1.start();
}

void PathReplayPanel::showTick(const ReplayTick& t)
{
    if (t.score)
        m_score->setText(*t.score);
    if (t.previewsChanged) {
        ScorePanel::showTile(m_current, t.current != 0 ? m_pictures->piece(t.current) : nullptr);
        ScorePanel::showTile(m_next, t.next != 0 ? m_pictures->piece(t.next) : nullptr);
    }
    if (t.trailText)
        m_board->setTrailText(*t.trailText);
    if (t.trailCell)
        m_board->moveTrailTo(t.trailCell->x(), t.trailCell->y());
    if (t.boardChanged)
        m_board->refresh();
}

void PathReplayPanel::FlatButton1Click()
{
    hide();
}
