#include "game_seats.h"

#include <climits>

GameSeats::GameSeats(QObject* parent) : QObject(parent)
{
    connect(&m_names, &SeatNames::nameChanged, this, &GameSeats::nameChanged);
}

GameSeats::Row* GameSeats::row(int slot)
{
    return Table::isSeat(slot) ? &m_rows[static_cast<std::size_t>(slot)] : nullptr;
}

std::optional<int> GameSeats::total(int slot) const
{
    return Table::isSeat(slot) ? m_rows[static_cast<std::size_t>(slot)].total : std::nullopt;
}

int GameSeats::lastScore(int slot) const
{
    return Table::isSeat(slot) ? m_rows[static_cast<std::size_t>(slot)].last : 0;
}

bool GameSeats::watching(int slot) const
{
    return Table::isSeat(slot) && m_rows[static_cast<std::size_t>(slot)].watching;
}

void GameSeats::setRow(int slot, const Row& next)
{
    Row* held = row(slot);
    if (!held)
        return;
    const Row before = *held;
    *held = next;
    if (before.total != next.total)
        emit totalChanged(slot);
    if (before.last != next.last)
        emit lastScoreChanged(slot);
    if (before.watching != next.watching)
        emit watchingChanged(slot, next.watching);
}

void GameSeats::take(int slot, const QString& name)
{
    if (!Table::isSeat(slot))
        return;
    // The name first: observers of the row's values see who now holds it.
    m_names.setName(slot, name);
    // A newcomer starts from nothing, whatever the seat's last player had.
    setRow(slot, Row{0, 0, false});
}

void GameSeats::free(int slot)
{
    if (!Table::isSeat(slot))
        return;
    m_names.setName(slot, SeatNames::Waiting);
    setRow(slot, Row{});
}

void GameSeats::setWatching(int slot, bool watching)
{
    if (const Row* held = row(slot))
        setRow(slot, Row{held->total, held->last, watching && seated(slot)});
}

void GameSeats::setTotal(int slot, int total)
{
    if (const Row* held = row(slot); held && seated(slot))
        setRow(slot, Row{total, held->last, held->watching});
}

void GameSeats::setLastScore(int slot, int score)
{
    if (const Row* held = row(slot); held && seated(slot))
        setRow(slot, Row{held->total, score, held->watching});
}

void GameSeats::clearLastScores()
{
    for (int slot = 1; slot <= Table::Seats; ++slot)
        setRow(slot, Row{m_rows[slot].total, 0, m_rows[slot].watching});
}

void GameSeats::resetScores()
{
    for (int slot = 1; slot <= Table::Seats; ++slot)
        setRow(slot, Row{seated(slot) ? std::optional<int>(0) : std::nullopt, 0, false});
}

void GameSeats::clear()
{
    for (int slot = 1; slot <= Table::Seats; ++slot)
        free(slot);
}

void GameSeats::reorder()
{
    const ScoreOrder before = m_order;
    // Empty rows sink below every seated player.
    m_order.sort([this](int slot) { return seated(slot) ? total(slot) : std::optional<int>(INT_MIN); });
    if (before.order() != m_order.order())
        emit orderChanged();
}
