#pragma once

#include "seat_check.h"
#include "wire_client.h"

#include <QHash>
#include <array>

// A spectator that checks the game as a whole from what every connection is
// told: each round's posted totals are the last round's totals plus the posted
// round results, the winner's path ends on the best round result, and the
// winner is the single highest total. Connects and leaves on request.
class Watcher : public WireClient {
public:
    Watcher(quint16 serverPort, QByteArray name, QObject* parent = nullptr);

    void join();
    void leave();
    // Seats (1 to 6) whose player has logged in.
    int seatsNamed() const;
    bool present() const { return isOpen() && slot > 6; }

    qint64 games() const { return m_games; }
    const SeatCheck& check() const { return m_check; }
    const QStringList& mismatches() const { return m_mismatches; }

protected:
    void seen(const QByteArray& message) override;

private:
    void take(const QByteArray& message);
    void postscores(const QByteArray& list);
    void thepath(const QByteArray& payload);
    void winner(const QByteArray& name);
    void mismatch(const QString& what);

    quint16 m_serverPort;
    SeatCheck m_check;
    // Totals as posted at the end of the last round, and as posted so far at
    // the end of this one; only known once a game has started in our sight.
    std::array<int, 7> m_before{};
    std::array<int, 7> m_totals{};
    std::array<int, 7> m_results{};
    bool m_synced = false;
    QHash<int, QByteArray> m_names;
    qint64 m_games = 0;
    QStringList m_mismatches;
};
