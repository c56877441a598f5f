#pragma once

#include "net/field_reader.h"

#include <QObject>

class ClientSession;
class QWidget;

// The game's view on the main window: board mirror and board drawing, turn flow
// with its clocks, scores and winner display, and the winner's-path replay. The
// client's command table hands it the board and round messages by name.
class GameView : public QObject {
    Q_OBJECT
public:
    GameView(ClientSession& session, QWidget* backPanel, QObject* parent = nullptr);
    ~GameView() override;

    // Board messages.
    void settiles(FieldReader& f);
    void setbonus(FieldReader& f);
    void setnexttile(FieldReader& f);
    void setnntile(FieldReader& f);
    void removetile(FieldReader& f);
    void bombed(FieldReader& f);
    void error(FieldReader& f);

    // Round flow.
    void startthegame(FieldReader& f);
    void getnextplayer(FieldReader& f);
    void turnover(FieldReader& f);
    void postscores(FieldReader& f);
    void winner(FieldReader& f);
    void loadstats(FieldReader& f);

    // Winner's-path replay.
    void settileswinner(FieldReader& f);
    void setbonuswinner(FieldReader& f);
    void thepath(FieldReader& f);

    // Empties scores, round results, eyes and the board mirror.
    void clearall();
};
