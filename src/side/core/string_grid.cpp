#include "side/core/string_grid.h"

#include <QStringDecoder>

namespace {

// Walks the text of a saved table line by line.
class LineReader {
public:
    explicit LineReader(const QByteArray& text) : m_text(text) { }

    qsizetype remaining() const { return m_text.size() - m_pos; }

    // An integer after any blanks and line breaks; the rest of its line is
    // skipped. Counts above a million rows or columns are refused here: no table
    // of the game comes near, and they would only serve to exhaust memory.
    bool readCount(qint64& value)
    {
        while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
            ++m_pos;
        const qsizetype start = m_pos;
        value = 0;
        while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9') {
            value = value * 10 + (m_text[m_pos] - '0');
            if (value > 1000000)
                return false;
            ++m_pos;
        }
        if (m_pos == start)
            return false;
        skipLine();
        return true;
    }

    // A whole line without its line end; false once the text is used up.
    bool readLine(QByteArray& line)
    {
        if (m_pos >= m_text.size())
            return false;
        qsizetype end = m_text.indexOf('\n', m_pos);
        const qsizetype next = end < 0 ? m_text.size() : end + 1;
        if (end < 0)
            end = m_text.size();
        if (end > m_pos && m_text[end - 1] == '\r')
            --end;
        line = m_text.mid(m_pos, end - m_pos);
        m_pos = next;
        return true;
    }

private:
    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    void skipLine()
    {
        const qsizetype end = m_text.indexOf('\n', m_pos);
        m_pos = end < 0 ? m_text.size() : end + 1;
    }

    const QByteArray& m_text;
    qsizetype m_pos = 0;
};

QString decodeCell(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

QByteArray encodeCell(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('\r', ' ');
    bytes.replace('\n', ' ');
    return bytes;
}

} // namespace

StringGrid::StringGrid(int columns, int rows)
{
    setColCount(columns);
    setRowCount(rows);
}

void StringGrid::setColCount(int columns)
{
    m_columns = qMax(0, columns);
    for (QStringList& row : m_rows)
        row.resize(m_columns);
}

void StringGrid::setRowCount(int rows)
{
    const int old = rowCount();
    m_rows.resize(qMax(0, rows));
    for (int r = old; r < rowCount(); ++r)
        m_rows[r].resize(m_columns);
}

QString StringGrid::cell(int column, int row) const
{
    if (column < 0 || column >= m_columns || row < 0 || row >= rowCount())
        return {};
    return m_rows[row][column];
}

void StringGrid::setCell(int column, int row, const QString& text)
{
    if (column < 0 || column >= m_columns || row < 0 || row >= rowCount())
        return;
    m_rows[row][column] = text;
}

QByteArray SaveStringGrid(const StringGrid& grid)
{
    QByteArray text;
    text += QByteArray::number(grid.colCount()) + "\r\n";
    text += QByteArray::number(grid.rowCount()) + "\r\n";
    for (int c = 0; c < grid.colCount(); ++c) {
        for (int r = 0; r < grid.rowCount(); ++r)
            text += encodeCell(grid.cell(c, r)) + "\r\n";
    }
    return text;
}

bool LoadStringGrid(StringGrid& grid, const QByteArray& text)
{
    LineReader reader(text);
    qint64 columns = 0;
    qint64 rows = 0;
    if (!reader.readCount(columns) || !reader.readCount(rows))
        return false;
    // Every cell line takes at least one byte, so a count the text cannot hold
    // is refused before anything is allocated for it.
    if (columns * rows > reader.remaining())
        return false;
    StringGrid loaded{int(columns), int(rows)};
    QByteArray line;
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            if (!reader.readLine(line))
                return false;
            loaded.setCell(c, r, decodeCell(line));
        }
    }
    grid = std::move(loaded);
    return true;
}
