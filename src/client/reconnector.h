#pragma once

#include "client/core/client_session.h"
#include "client/core/game_address.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <optional>

class GameModel;
class MainWindow;
class QLabel;

// Brings a window whose link to the table broke back to its seat without the
// player doing anything. A link that closes without the table saying why (a
// reset, a timeout, a silent link found dead) leaves the game on screen under
// a "Connection lost — reconnecting…" strip; the window tries again at once
// and then with growing waits for up to a minute, logs in under the same name
// and is seated again with its total. A kick, a full table, the table's
// farewell or a table this copy hosts end the game as before.
class Reconnector : public QObject {
    Q_OBJECT
public:
    Reconnector(GameModel& model, MainWindow& window, QObject* parent = nullptr);
    ~Reconnector() override;

    // The table joined now, to come back to; forgotten when the player leaves.
    void setTable(const QString& host, quint16 port);
    void forget();
    // The link to the table has closed: true when this takes over and tries
    // to come back, false when the game ends as before.
    bool linkLost();
    bool active() const { return m_active; }
    // An attempt found no game there (refused, unreachable, silent).
    void attemptFailed();

private:
    void attempt();
    void stateChanged(ClientSession::State state);
    void showStrip();
    void finish();

    GameModel& m_model;
    MainWindow& m_window;
    ClientSession& m_session;
    std::optional<GameAddress> m_table;
    // Logged in at the table since it was set: only a seat is come back to.
    bool m_seated = false;
    bool m_active = false;
    int m_attempts = 0;
    QElapsedTimer m_lost;
    QTimer m_retry;
    QTimer m_tick;
    QPointer<QLabel> m_strip;
};
