#include "ini_text.h"

namespace {

std::optional<QString> sectionName(const QByteArray& line)
{
    const QByteArray t = line.trimmed();
    if (!t.startsWith('['))
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return QString::fromUtf8(t.mid(1, close - 1)).trimmed();
}

// The key of a "key=value" line; comment lines and lines without "=" have none.
std::optional<QString> keyName(const QByteArray& line)
{
    const QByteArray t = line.trimmed();
    const qsizetype eq = t.indexOf('=');
    if (eq < 0 || t.startsWith(';'))
        return std::nullopt;
    return QString::fromUtf8(t.left(eq)).trimmed();
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString unquoted(QString v)
{
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        return v.mid(1, v.size() - 2);
    return v;
}

} // namespace

IniText::IniText(const QByteArray& content)
{
    qsizetype pos = 0;
    while (pos < content.size()) {
        const qsizetype nl = content.indexOf('\n', pos);
        Line line;
        if (nl < 0) {
            line.text = content.mid(pos);
            pos = content.size();
        } else {
            const bool crlf = nl > pos && content.at(nl - 1) == '\r';
            line.text = content.mid(pos, nl - pos - (crlf ? 1 : 0));
            line.ending = crlf ? QByteArray("\r\n") : QByteArray("\n");
            pos = nl + 1;
        }
        m_lines.append(line);
    }
    // New lines follow the file's own convention.
    if (content.contains("\r\n"))
        m_newline = "\r\n";
}

std::optional<QString> IniText::value(const QString& section, const QString& key) const
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const qsizetype at = findKey(header, key);
    if (at < 0)
        return std::nullopt;
    const QByteArray& t = m_lines.at(at).text;
    const QString v = unquoted(QString::fromUtf8(t.mid(t.indexOf('=') + 1)).trimmed());
    return v.left(MaxValueLength);
}

void IniText::setValue(const QString& section, const QString& key, const QString& value)
{
    QString clean = value;
    clean.replace(u'\r', u' ').replace(u'\n', u' ');
    const QByteArray text = key.toUtf8() + '=' + clean.toUtf8();
    qsizetype header = findSection(section);
    if (header < 0) {
        insertLine(m_lines.size(), '[' + section.toUtf8() + ']');
        header = m_lines.size() - 1;
    }
    const qsizetype at = findKey(header, key);
    if (at >= 0) {
        m_lines[at].text = text;
        return;
    }
    insertLine(sectionEnd(header), text);
}

QByteArray IniText::content() const
{
    QByteArray out;
    for (const Line& l : m_lines)
        out += l.text + l.ending;
    return out;
}

qsizetype IniText::findSection(const QString& section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines.at(i).text);
        if (name && sameName(*name, section))
            return i;
    }
    return -1;
}

// The line after the section's last non-blank line, so a blank line that
// separates it from the next section stays in place.
qsizetype IniText::sectionEnd(qsizetype header) const
{
    qsizetype end = header + 1;
    for (qsizetype i = header + 1; i < m_lines.size() && !sectionName(m_lines.at(i).text); ++i) {
        if (!m_lines.at(i).text.trimmed().isEmpty())
            end = i + 1;
    }
    return end;
}

qsizetype IniText::findKey(qsizetype header, const QString& key) const
{
    for (qsizetype i = header + 1; i < m_lines.size(); ++i) {
        const QByteArray& t = m_lines.at(i).text;
        if (sectionName(t))
            break;
        const auto name = keyName(t);
        if (name && sameName(*name, key))
            return i;
    }
    return -1;
}

void IniText::insertLine(qsizetype at, const QByteArray& text)
{
    // The line before the new one needs an ending if it was the file's last.
    if (at > 0 && m_lines.at(at - 1).ending.isEmpty())
        m_lines[at - 1].ending = m_newline;
    m_lines.insert(at, Line{text, m_newline});
}
