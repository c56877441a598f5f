#include "game_view.h"

#include "client/core/game_model.h"

#include "board_canvas.h"
#include "board_view.h"
#include "framed_panel.h"
#include "game_overlays.h"
#include "path_replay_panel.h"
#include "score_panel.h"
#include "turn_flow.h"
#include "ui/design_scale.h"

#include <QLabel>
#include <QWidget>

GameView::GameView(GameModel& model, const ClientParts& parts, QWidget* backPanel, QObject* parent)
    : QObject(parent), m_model(model), m_parts(parts)
{
    m_boardView = new BoardView(model.board().grid(), m_pictures,
                                {QStringLiteral("panel_board"), QStringLiteral("mainimage"), QStringLiteral("board"),
                                 QStringLiteral("label_trailscore")},
                                QColor(0, 128, 0), backPanel);
    m_boardView->move(144, 36);
    connect(m_boardView->canvas(), &BoardCanvas::boardMouseUp, this, &GameView::boardMouseUp);
    m_boardView->canvas()->setKeyboardPlay(true);
    m_boardView->canvas()->setAccessibleName(tr("Game board"));
    m_boardView->canvas()->setAccessibleDescription(
        tr("Arrow keys move the cursor; Space or Return picks the tile under it."));
    m_score = new ScorePanel(backPanel);
    m_score->showSeats(model.seats());
    m_overlays = std::make_unique<GameOverlays>(backPanel);
    m_backPanel = backPanel;
    m_flow = std::make_unique<TurnFlow>(
        model, *m_score, *m_overlays, *m_boardView, [this] { return m_replay && m_replay->running(); }, m_parts);
    m_overlays->raise();
    m_overlays->observe(model);
    connect(&model, &GameModel::boardUpdated, this, &GameView::apply);
    connect(&model, &GameModel::dealt, this, &GameView::dealt);
    connect(&model, &GameModel::afterNextTileChanged, this,
            [this](int tile) { ScorePanel::showTile(m_score->nntile(), m_pictures.piece(tile)); });
    connect(&model, &GameModel::tableLeft, m_boardView, &BoardView::refresh);
}

GameView::~GameView()
{
    // The widgets draw from this view's pictures: they go with it, not later
    // with the back panel.
    m_flow.reset();
    m_overlays.reset();
    delete m_replay.data();
    delete m_boardView.data();
    delete m_score.data();
}

void GameView::setPictures(const TilePictures& pictures)
{
    m_pictures.setPictures(pictures);
    m_boardView->setPictures(m_pictures);
    if (m_replay)
        m_replay->setPictures(m_pictures);
    // Before the first deal there is no current tile to show: a repaint would
    // put the trail-mark picture (code 0) in both boxes.
    if (m_previewsShown)
        showPreviews();
}

void GameView::apply(const BoardEffects& e)
{
    if (e.popup) {
        m_score->showPopup(*e.popup);
        // The clock may sleep between rounds; it must come back to hide the popup.
        m_flow->wake();
    }
    if (e.trailText)
        m_boardView->setTrailText(*e.trailText);
    if (e.trailCell)
        m_boardView->moveTrailTo(e.trailCell->x(), e.trailCell->y());
    if (e.status)
        m_score->status()->setText(*e.status);
    if (e.boardChanged)
        m_boardView->refresh();
    for (const GameSound sound : e.sounds)
        m_parts.sounds.playsounds(sound);
    if (e.highestTrail)
        offerHighestTrail(*e.highestTrail);
    if (e.previewsChanged)
        showPreviews();
}

void GameView::dealt()
{
    if (m_replay)
        m_replay->hide();
    m_overlays->over()->hide();
    // Keyboard play starts each deal from the top-left cell.
    m_boardView->canvas()->setCursorCell(0, 0);
}

void GameView::offerHighestTrail(int trail)
{
    bool ok = false;
    const int best = m_parts.tally.tallyHighestTrail().toInt(&ok);
    if (ok && trail > best)
        m_parts.tally.addword(QString::number(trail), TallyTable::HighestTrail);
}

void GameView::showPreviews()
{
    m_previewsShown = true;
    const BoardModel& board = m_model.board();
    m_score->current()->setProperty("tag", board.currentTile());
    m_score->next()->setProperty("tag", board.nextTile());
    ScorePanel::showTile(m_score->current(), m_pictures.piece(board.currentTile()));
    ScorePanel::showTile(m_score->next(), m_pictures.piece(board.nextTile()));
}

void GameView::boardMouseUp(int x, int y)
{
    m_model.pick(x, y);
}

// Built hidden by the first winner's-path message, above everything on the
// back panel, at the scale the window has by then.
PathReplayPanel& GameView::replay()
{
    if (!m_replay) {
        m_replay = new PathReplayPanel(m_pictures, m_parts.options, m_parts.chat, m_backPanel);
        DesignScale::placeLate(m_replay);
    }
    return *m_replay;
}

void GameView::settileswinner(const ToClient::ResetTiles& m)
{
    replay().settileswinner(m);
}

void GameView::setbonuswinner(const ToClient::ResetBonus& m)
{
    replay().setbonuswinner(m);
}

void GameView::thepath(const ToClient::ThePath& m)
{
    replay().thepath(m);
}
