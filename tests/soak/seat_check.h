#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

// Follows everything the server sends one connection and checks it as an
// honest client would: every message is one the server sends, with fields of
// the right form; and, in the standard game, the round result the seat adds up
// from its own move replies is the one the server posts at the round's end
// (classic bombs score from values the replies do not carry).
class SeatCheck {
public:
    // A new connection: what the last one learnt no longer applies.
    void reset();
    void take(const QByteArray& message);

    int slot() const { return m_slot; }
    int total() const { return m_total; }
    qint64 accepted() const { return m_accepted; }
    qint64 refused() const { return m_refused; }
    qint64 protocolErrors() const { return m_protocolErrors; }
    // What did not add up, in words.
    const QStringList& mismatches() const { return m_mismatches; }

private:
    using Grid = std::array<std::array<int, 6>, 6>;

    // Takes the game mode from a message that names it `fromRight` fields
    // from its end.
    void gameMode(const QByteArray& message, int fromRight);
    void numbers(const QByteArray& command, const QList<int>& f);
    void settiles(const QByteArray& list);
    void setbonus(const QByteArray& list);
    void removetile(const QList<int>& f);
    void bombed(const QList<int>& f);
    void turnover(const QList<int>& f);
    void postscores(const QList<int>& f);
    // A bomb whose neighbours were already gone clears nothing and sends no
    // CMD_bombed, yet adds its chain once more to the trail.
    void settleQuietBomb();
    void mismatch(const QString& what);
    void malformed(const QByteArray& message);

    int m_slot = 0;
    int m_mode = 1;
    int m_total = 0;
    int m_banked = 0;
    int m_trail = 0;
    int m_chain = 0;
    bool m_firstPick = true;
    bool m_quietBomb = false;
    Grid m_bonus{};
    qint64 m_accepted = 0;
    qint64 m_refused = 0;
    qint64 m_protocolErrors = 0;
    QStringList m_mismatches;
};
