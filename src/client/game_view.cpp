#include "game_view.h"

#include "client/core/seat_names.h"

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

GameView::GameView(GameLink& link, const ClientParts& parts, QWidget* backPanel, QObject* parent)
    : QObject(parent), m_link(link), m_parts(parts)
{
    m_boardView = new BoardView(m_board.grid(), m_pictures,
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
    m_score->showNames(m_link.seatNames());
    m_overlays = std::make_unique<GameOverlays>(backPanel);
    m_backPanel = backPanel;
    m_flow = std::make_unique<TurnFlow>(
        *m_score, *m_overlays, m_board, *m_boardView, [this] { return m_replay && m_replay->running(); }, m_link,
        m_parts);
    m_overlays->raise();
    connect(m_flow.get(), &TurnFlow::newGame, this, [this] {
        setWatching(false);
        emit newGame();
    });
    clearall();
}

GameView::~GameView()
{
    // The widgets draw from this view's mirror and pictures: they go with it,
    // not later with the back panel.
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

void GameView::clearall()
{
    m_flow->clearall();
}

void GameView::apply(const BoardEffects& e)
{
    if (e.popup) {
        m_score->showPopup(*e.popup);
        // The clock may sleep between rounds; it must come back to hide the popup.
        m_flow->wake();
    }
    if (QLabel* score = m_score->score(e.scoreSlot))
        score->setText(e.scoreText);
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
    if (!e.send.isEmpty())
        m_link.send(e.send);
}

void GameView::offerHighestTrail(int trail)
{
    bool ok = false;
    const int best = m_parts.tally.tallyHighestTrail().toInt(&ok);
    if (ok && trail > best)
        m_parts.tally.addword(QString::number(trail), 4);
}

void GameView::showPreviews()
{
    m_previewsShown = true;
    m_score->current()->setProperty("tag", m_board.currentTile());
    m_score->next()->setProperty("tag", m_board.nextTile());
    ScorePanel::showTile(m_score->current(), m_pictures.piece(m_board.currentTile()));
    ScorePanel::showTile(m_score->next(), m_pictures.piece(m_board.nextTile()));
}

void GameView::settiles(const ToClient::SetTiles& m)
{
    if (m_replay)
        m_replay->hide();
    m_overlays->over()->hide();
    const BoardEffects e = m_board.settiles(m);
    apply(e);
    if (e.handled) {
        m_boardView->canvas()->setCursorCell(0, 0);
        m_flow->startCountdown();
    }
}

void GameView::setbonus(const ToClient::SetBonus& m)
{
    apply(m_board.setbonus(m));
}

void GameView::setnexttile(const ToClient::SetNextTile& m)
{
    const BoardEffects e = m_board.setnexttile(m, m_link.myslot());
    if (m_watching)
        m_board.setCanselect(false);
    if (e.previewsChanged)
        showPreviews();
}

void GameView::setnntile(const ToClient::SetNnTile& m)
{
    ScorePanel::showTile(m_score->nntile(), m_pictures.piece(m.tile));
}

void GameView::removetile(const ToClient::RemoveTile& m)
{
    apply(m_board.removetile(m, m_link.myslot()));
}

void GameView::bombed(const ToClient::Bombed& m)
{
    apply(m_board.bombed(m));
}

void GameView::error(const ToClient::Error&)
{
    apply(m_board.error());
}

void GameView::boardMouseUp(int x, int y)
{
    apply(m_board.boardMouseUp(x, y, m_link.myslot(), m_link.loggedin()));
}

void GameView::seatTaken(int slot)
{
    m_score->seatTaken(slot);
    m_flow->reorderRows();
}

void GameView::seatFreed(int slot)
{
    m_score->seatFreed(slot);
    m_flow->reorderRows();
    if (slot == m_link.myslot())
        setWatching(false);
}

void GameView::seatWatching(int slot, bool watching)
{
    m_score->setWatching(slot, watching);
    if (slot == m_link.myslot())
        setWatching(watching);
}

void GameView::setWatching(bool watching)
{
    const bool changed = watching != m_watching;
    m_watching = watching;
    m_flow->setWatching(watching);
    m_overlays->watching()->setVisible(watching);
    if (!changed)
        return;
    const int me = m_link.myslot();
    if (watching)
        m_board.setCanselect(false);
    else if (m_board.currentplayer() == me && BoardModel::seat(me) && m_flow->timeleft() > 0)
        m_board.setCanselect(true); // back in play during our own round, as after a deal
}

bool GameView::gameRunning() const
{
    return m_flow->gameRunning();
}

void GameView::startthegame(const ToClient::StartGame& m)
{
    m_flow->startthegame(m);
}

void GameView::getnextplayer(const ToClient::NextPlayer& m)
{
    m_flow->getnextplayer(m);
}

void GameView::turnover(const ToClient::TurnOver& m)
{
    m_flow->turnover(m);
}

void GameView::postscores(const ToClient::PostScores& m)
{
    m_flow->postscores(m);
}

void GameView::winner(const ToClient::Winner& m)
{
    m_flow->winner(m);
}

void GameView::loadstats(const ToClient::LoadStats& m)
{
    m_link.setGamemode(m.mode);
    m_flow->joinedRunningGame(m.mode);
}

void GameView::queuephrase(const QString& phrase)
{
    m_flow->queuephrase(phrase);
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
