#include "client/core/client_session.h"
#include "game_view.h"

namespace {

GameLink linkTo(ClientSession& session)
{
    GameLink link;
    link.myslot = [&session] { return session.myslot(); };
    link.loggedin = [&session] { return session.loggedin(); };
    link.myname = [&session] { return session.myname(); };
    link.gamemode = [&session] { return session.gamemode(); };
    link.setGamemode = [&session](int mode) { session.setGamemode(mode); };
    link.send = [&session](const QByteArray& message) { session.send(message); };
    return link;
}

} // namespace

// Kept apart from the rest of the view so that the view can be built and
// tested on a link of its own without the client's connection.
GameView::GameView(ClientSession& session, QWidget* backPanel, QObject* parent)
    : GameView(linkTo(session), backPanel, parent)
{
}
