#pragma once

#include "net/protocol_table.h"

#include <array>
#include <functional>
#include <optional>

// The display order of the six player rows, best total first. It is never
// reset: each sort starts from the order the previous one left, so equal
// totals keep the places they had.
class ScoreOrder {
public:
    static constexpr int Rows = Table::Seats;

    ScoreOrder() { reset(); }

    void reset();
    // Slot shown at position 1 to 6.
    int slotAt(int position) const { return m_order[position - 1]; }
    const std::array<int, Rows>& order() const { return m_order; }

    // Six bubble passes over positions 2 to 6: a row moves up past the one
    // above it only when its total is strictly greater, so the sort is stable.
    // `totalOf` gives a slot's shown total, or nullopt when the text is not a
    // number; such a pair is left as it is.
    void sort(const std::function<std::optional<int>(int slot)>& totalOf);

    // Top pixel of the row at position 1 to 6 once the rows have been sorted.
    static int rowTop(int position) { return 196 + 19 * (position - 1); }

private:
    std::array<int, Rows> m_order{};
};
