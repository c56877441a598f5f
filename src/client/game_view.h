#pragma once

#include "board_pictures.h"
#include "board_view.h"
#include "client/core/board_model.h"
#include "client_parts.h"
#include "net/protocol_to_client.h"
#include "path_replay_panel.h"
#include "score_panel.h"

#include <QObject>
#include <QPointer>
#include <memory>

class GameModel;
class GameOverlays;
class QWidget;
class TurnFlow;

// The game's view on the main window: board drawing, turn flow with its
// clocks, scores and winner display, and the winner's-path replay. It shows
// what the game model holds and announces; the clicks it takes go to the model.
class GameView : public QObject {
    Q_OBJECT
public:
    // Sounds, chat lines, options, the tally and the high-score poster come from `parts`.
    GameView(GameModel& model, const ClientParts& parts, QWidget* backPanel, QObject* parent = nullptr);
    ~GameView() override;

    // Winner's-path replay.
    void settileswinner(const ToClient::ResetTiles& m);
    void setbonuswinner(const ToClient::ResetBonus& m);
    void thepath(const ToClient::ThePath& m);

    // A tile set: 7 piece pictures and 5 bonus pictures (black see-through);
    // empty lists bring back the built-in set. Both boards and the tile
    // previews are drawn from them from now on.
    void setPictures(const TilePictures& pictures);

    // `boardMouseUp`: a release at pixel (x, y) of the board's paint box.
    void boardMouseUp(int x, int y);

    BoardView* boardView() const { return m_boardView; }
    ScorePanel* scorePanel() const { return m_score; }
    GameOverlays& overlays() const { return *m_overlays; }
    TurnFlow& turnFlow() const { return *m_flow; }
    // Null until the first winner's-path message.
    PathReplayPanel* replayPanel() const { return m_replay; }
    // The replay panel, built at the first call.
    PathReplayPanel& replay();

private:
    void apply(const BoardEffects& e);
    void showPreviews();
    void offerHighestTrail(int trail);
    void dealt();

    GameModel& m_model;
    ClientParts m_parts;
    BoardPictures m_pictures;
    // Set by the first current/next tile of a game; until then the boxes stay empty.
    bool m_previewsShown = false;
    // Owned by the back panel; deleted with the view unless the panel went first.
    QPointer<BoardView> m_boardView;
    QPointer<ScorePanel> m_score;
    QPointer<PathReplayPanel> m_replay;
    QWidget* m_backPanel = nullptr;
    std::unique_ptr<GameOverlays> m_overlays;
    std::unique_ptr<TurnFlow> m_flow;
};
