#pragma once

#include "board_pictures.h"
#include "board_view.h"
#include "client/core/board_model.h"
#include "client/core/game_link.h"
#include "client_parts.h"
#include "net/protocol_to_client.h"
#include "path_replay_panel.h"
#include "score_panel.h"

#include <QObject>
#include <QPointer>
#include <memory>

class GameOverlays;
class QWidget;
class TurnFlow;

// The game's view on the main window: board mirror and board drawing, turn flow
// with its clocks, scores and winner display, and the winner's-path replay. The
// client's command table hands it the board and round messages by name.
class GameView : public QObject {
    Q_OBJECT
public:
    // `link` says who we are and how to send (the client's session); sounds,
    // chat lines, options, the tally and the high-score poster come from `parts`.
    GameView(GameLink& link, const ClientParts& parts, QWidget* backPanel, QObject* parent = nullptr);
    ~GameView() override;

    // Board messages.
    void settiles(const ToClient::SetTiles& m);
    void setbonus(const ToClient::SetBonus& m);
    void setnexttile(const ToClient::SetNextTile& m);
    void setnntile(const ToClient::SetNnTile& m);
    void removetile(const ToClient::RemoveTile& m);
    void bombed(const ToClient::Bombed& m);
    void error(const ToClient::Error& m);

    // Round flow.
    void startthegame(const ToClient::StartGame& m);
    void getnextplayer(const ToClient::NextPlayer& m);
    void turnover(const ToClient::TurnOver& m);
    void postscores(const ToClient::PostScores& m);
    void winner(const ToClient::Winner& m);
    void loadstats(const ToClient::LoadStats& m);

    // Winner's-path replay.
    void settileswinner(const ToClient::ResetTiles& m);
    void setbonuswinner(const ToClient::ResetBonus& m);
    void thepath(const ToClient::ThePath& m);

    // Seats as the player list learns of them: a newcomer's row starts at 0, a
    // freed row empties, a watcher's row dims; a watching local seat cannot pick.
    void seatTaken(int slot);
    void seatFreed(int slot);
    void seatWatching(int slot, bool watching);
    bool watching() const { return m_watching; }
    // Between a game's start and its winner.
    bool gameRunning() const;

    // Empties scores, round results, eyes and the board mirror.
    void clearall();

    // A relayed phrase for the speech bubble.
    void queuephrase(const QString& phrase);

    // A tile set: 7 piece pictures and 5 bonus pictures (black see-through);
    // empty lists bring back the built-in set. Both boards and the tile
    // previews are drawn from them from now on.
    void setPictures(const TilePictures& pictures);

    // `boardMouseUp`: a release at pixel (x, y) of the board's paint box.
    void boardMouseUp(int x, int y);

    const BoardModel& board() const { return m_board; }
    BoardView* boardView() const { return m_boardView; }
    ScorePanel* scorePanel() const { return m_score; }
    GameOverlays& overlays() const { return *m_overlays; }
    TurnFlow& turnFlow() const { return *m_flow; }
    // Null until the first winner's-path message.
    PathReplayPanel* replayPanel() const { return m_replay; }
    // The replay panel, built at the first call.
    PathReplayPanel& replay();

signals:
    // A game started: the server seats every watcher again.
    void newGame();

private:
    void setWatching(bool watching);
    void apply(const BoardEffects& e);
    void showPreviews();
    void offerHighestTrail(int trail);

    GameLink& m_link;
    ClientParts m_parts;
    BoardPictures m_pictures;
    BoardModel m_board;
    // Set by the first current/next tile of a game; until then the boxes stay empty.
    bool m_previewsShown = false;
    bool m_watching = false;
    // Owned by the back panel; deleted with the view unless the panel went first.
    QPointer<BoardView> m_boardView;
    QPointer<ScorePanel> m_score;
    QPointer<PathReplayPanel> m_replay;
    QWidget* m_backPanel = nullptr;
    std::unique_ptr<GameOverlays> m_overlays;
    std::unique_ptr<TurnFlow> m_flow;
};
