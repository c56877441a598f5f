#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A table of text cells addressed as (column, row), both from 0. Resizing keeps
// the cells that remain and fills new ones with empty text.
class StringGrid {
public:
    StringGrid() = default;
    StringGrid(int columns, int rows);

    int colCount() const { return m_columns; }
    int rowCount() const { return int(m_rows.size()); }
    void setColCount(int columns);
    void setRowCount(int rows);

    // Cells outside the table read as empty; writes to them are ignored.
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);

    bool operator==(const StringGrid& other) const = default;

private:
    int m_columns = 0;
    QList<QStringList> m_rows;
};

// The table as lines ending in CR LF: the column count, the row count, then every
// cell in column-major order (all rows of column 0, then of column 1, ...). Text
// is UTF-8; a line break inside a cell is written as a blank so that no cell can
// shift the ones after it.
QByteArray SaveStringGrid(const StringGrid& grid);

// Reads that text back. Line ends may be CR LF or LF; a cell that is not valid
// UTF-8 is read as Latin-1 (older files held single-byte names). Returns false,
// leaving `grid` untouched, when a count is not a number or the text holds fewer
// cell lines than its counts promise.
bool LoadStringGrid(StringGrid& grid, const QByteArray& text);
