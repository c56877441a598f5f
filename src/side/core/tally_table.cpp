#include "side/core/tally_table.h"

#include <QSet>

TallyTable::TallyTable() : m_grid(Columns, 1)
{
    reset();
}

bool TallyTable::assign(const StringGrid& grid)
{
    if (grid.colCount() != Columns || grid.rowCount() < 1)
        return false;
    m_grid = grid;
    return true;
}

QStringList TallyTable::playerNames() const
{
    QStringList names;
    for (int i = 0; i < playerCount(); ++i)
        names << playerName(i);
    return names;
}

int TallyTable::rowOf(const QString& name) const
{
    const QString wanted = cleanName(name);
    for (int row = 1; row < m_grid.rowCount(); ++row) {
        if (m_grid.cell(0, row).compare(wanted, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

bool TallyTable::addPlayer(const QString& name)
{
    if (rowOf(name) >= 0)
        return false;
    const int row = m_grid.rowCount();
    m_grid.setRowCount(row + 1);
    m_grid.setCell(0, row, cleanName(name));
    for (int c = 1; c < Columns; ++c)
        m_grid.setCell(c, row, QStringLiteral("0"));
    return true;
}

void TallyTable::moverow(int row)
{
    const int rows = m_grid.rowCount();
    if (row < 1 || row >= rows)
        return;
    for (int r = row + 1; r < rows; ++r) {
        for (int c = 0; c < Columns; ++c)
            m_grid.setCell(c, r - 1, m_grid.cell(c, r));
    }
    m_grid.setRowCount(rows - 1);
}

qint64 TallyTable::countOf(const QString& text)
{
    if (text.isEmpty() || text.size() > 18)
        return -1;
    qint64 value = 0;
    for (const QChar ch : text) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return -1;
        value = value * 10 + (ch.unicode() - '0');
    }
    return value;
}

qint64 TallyTable::addit(int column, int row)
{
    if (column < 0 || column >= Columns || row < 0 || row >= m_grid.rowCount())
        return -1;
    const qint64 value = qMax<qint64>(countOf(m_grid.cell(column, row)), 0) + 1;
    m_grid.setCell(column, row, QString::number(value));
    return value;
}

bool TallyTable::offerBest(int column, qint64 value)
{
    if (column != HighScore && column != HighestTrail)
        return false;
    if (value <= qMax<qint64>(countOf(m_grid.cell(column, 0)), 0))
        return false;
    addword(QString::number(value), column);
    return true;
}

void TallyTable::countGame(const QStringList& players, const QString& winner, bool localWon)
{
    QSet<int> counted;
    for (const QString& name : players) {
        const int row = rowOf(name);
        if (row < 0 || counted.contains(row))
            continue;
        counted.insert(row);
        for (int c = 1; c < Columns; ++c) {
            if (m_grid.cell(c, row).isEmpty())
                m_grid.setCell(c, row, QStringLiteral("0"));
        }
        addit(Games, row);
        addit(RunGames, row);
        if (localWon) {
            addit(MyWins, row);
            addit(RunMyWins, row);
        } else if (m_grid.cell(0, row).compare(cleanName(winner), Qt::CaseInsensitive) == 0) {
            addit(HisWins, row);
            addit(RunHisWins, row);
        } else {
            addit(NeitherWon, row);
            addit(RunNeitherWon, row);
        }
    }
}

void TallyTable::reset()
{
    m_grid.setRowCount(1);
    for (int c = 0; c < Columns; ++c)
        m_grid.setCell(c, 0, QStringLiteral("0"));
}

void TallyTable::zeroRunCounts()
{
    for (int row = 1; row < m_grid.rowCount(); ++row) {
        for (int c = RunGames; c <= RunNeitherWon; ++c)
            m_grid.setCell(c, row, QStringLiteral("0"));
    }
}

QString TallyTable::cleanName(QString name)
{
    name.replace(QLatin1Char('\r'), QLatin1Char(' '));
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return name;
}
