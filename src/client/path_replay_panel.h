#pragma once

#include "client/core/path_replay_model.h"
#include "framed_panel.h"

#include <QTimer>

class BoardPictures;
class BoardView;
class ChatSink;
class GameOptions;
class QLabel;
class QPushButton;

// "Winner's Path": after a round, the best player's moves replayed one pick
// per second on a board of its own, with the score under it and the tiles
// that player had as current and next.
class PathReplayPanel : public FramedPanel {
    Q_OBJECT
public:
    // Replays only while "Show Winner's Path" is ticked; otherwise it says so in the chat.
    PathReplayPanel(const BoardPictures& pictures, const GameOptions& options, ChatSink& chat,
                    QWidget* parent = nullptr);

    // The replay's deal, its bonus layer and the path itself.
    void settileswinner(const ToClient::ResetTiles& m);
    void setbonuswinner(const ToClient::ResetBonus& m);
    void thepath(const ToClient::ThePath& m);

    // One tick of the replay clock `Timer1`.
    void Timer1Timer();
    // The "X" button: hides the panel; the replay runs on unseen.
    void FlatButton1Click();

    void setPictures(const BoardPictures& pictures);
    // Shown and still stepping.
    bool running() const;

    const PathReplayModel& model() const { return m_model; }
    QTimer& timer1() { return m_timer1; }
    BoardView* board() const { return m_board; }

private:
    void build();
    void showTick(const ReplayTick& t);

    const BoardPictures* m_pictures;
    const GameOptions& m_options;
    ChatSink& m_chat;
    PathReplayModel m_model;
    BoardView* m_board = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_score = nullptr;
    QLabel* m_current = nullptr;
    QLabel* m_next = nullptr;
    QPushButton* m_close = nullptr;
    QTimer m_timer1;
};
