#pragma once

#include "score_order.h"
#include "seat_names.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

// The six seats as the table last told us: who holds each, its total and its
// result of the last round, whether it sits out, and the order the rows are
// shown in (best total first). The score panel draws only these values, and
// the tally and the high-score offer read the totals from here.
class GameSeats : public QObject {
    Q_OBJECT
public:
    explicit GameSeats(QObject* parent = nullptr);

    const SeatNames& names() const { return m_names; }
    QString name(int slot) const { return m_names.name(slot); }
    bool seated(int slot) const { return m_names.seated(slot); }
    // The seat's total; nullopt while nobody holds it, so no total of a
    // departed player lingers on an empty row.
    std::optional<int> total(int slot) const;
    // The seat's result of the last round; 0 when there is none to show.
    int lastScore(int slot) const;
    bool watching(int slot) const;
    const ScoreOrder& order() const { return m_order; }

    // A player took the seat: the row starts at 0 and plays.
    void take(int slot, const QString& name);
    // The seat's player left: the row empties.
    void free(int slot);
    // A seated player sits out or plays again; an empty seat never watches.
    void setWatching(int slot, bool watching);
    // Totals and last results the table announced; an empty seat keeps none.
    void setTotal(int slot, int total);
    void setLastScore(int slot, int score);
    void clearLastScores();
    // A new game: seated rows back to 0, no last results, nobody watching.
    void resetScores();
    // Every seat empty, as before joining a table.
    void clear();
    // Sorts the rows by total, empty rows last; equal totals keep their places.
    void reorder();

signals:
    void nameChanged(int slot, const QString& name);
    void totalChanged(int slot);
    void lastScoreChanged(int slot);
    void watchingChanged(int slot, bool watching);
    void orderChanged();

private:
    struct Row {
        std::optional<int> total;
        int last = 0;
        bool watching = false;
    };
    Row* row(int slot);
    void setRow(int slot, const Row& row);

    SeatNames m_names;
    std::array<Row, Table::Seats + 1> m_rows{};
    ScoreOrder m_order;
};
