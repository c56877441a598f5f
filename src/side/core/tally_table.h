#pragma once

#include "side/core/string_grid.h"

#include <QString>
#include <QStringList>

// The tally: the local player's own totals and, for every tallied opponent, the
// games played together and who won them, all time and since start-up.
//
// A grid of 9 text columns. Row 0 is the own row; rows 1 to N belong to the
// tallied opponents in the order they were added, the name in column 0. Counts
// are decimal text without sign or leading zeros.
class TallyTable {
public:
    static constexpr int Columns = 9;

    // Own row.
    enum OwnColumn { TotalGames = 1, YourWins = 2, HighScore = 3, HighestTrail = 4 };
    // Opponent rows: totals, then the same four counts for this run.
    enum PlayerColumn {
        Games = 1,
        HisWins = 2,
        MyWins = 3,
        NeitherWon = 4,
        RunGames = 5,
        RunHisWins = 6,
        RunMyWins = 7,
        RunNeitherWon = 8
    };

    // The own row alone, every cell "0".
    TallyTable();

    // Takes a table read from the tally file. Refused (false, nothing changed)
    // unless it has 9 columns and at least the own row.
    bool assign(const StringGrid& grid);
    const StringGrid& grid() const { return m_grid; }

    int playerCount() const { return m_grid.rowCount() - 1; }
    // Opponent `index` (0-based) lives in row index + 1.
    QString playerName(int index) const { return m_grid.cell(0, index + 1); }
    QStringList playerNames() const;
    // The row of a tallied opponent, names compared without regard to case; -1
    // when not tallied.
    int rowOf(const QString& name) const;
    QString cell(int column, int row) const { return m_grid.cell(column, row); }

    // Appends a row for `name` with every count "0"; false if already tallied.
    bool addPlayer(const QString& name);
    // Deletes opponent row `row` (1 or more); the rows below move up intact.
    void moverow(int row);

    // Adds 1 to a count and returns the new value. A cell that does not hold a
    // count (empty, or damaged by hand) counts as 0, so one bad cell never stops
    // the tally from counting. Returns -1 for a cell outside the table.
    qint64 addit(int column, int row);
    void addtomine(OwnColumn column) { addit(column, 0); }
    void addword(const QString& text, int column) { m_grid.setCell(column, 0, text); }
    // Stores `value` as the new best in own column 3 or 4 when it beats the
    // stored one (an equal value does not); returns whether it did.
    bool offerBest(int column, qint64 value);

    // Counts one finished game for the tallied opponents among `players` (the
    // other players seated at its end). `localWon` says the local player won;
    // otherwise `winner` names the winner. Each row counts at most once a game,
    // even if two seats carry names that differ only in case.
    void countGame(const QStringList& players, const QString& winner, bool localWon);

    // Back to the own row alone with every cell "0".
    void reset();
    // Run counts start at 0 every time the program starts.
    void zeroRunCounts();

    // A count cell's value, or -1 when it is not a plain decimal count.
    static qint64 countOf(const QString& text);
    // Names enter the tally on one line: a line break would shift every later
    // cell of the file.
    static QString cleanName(QString name);

private:
    StringGrid m_grid;
};
