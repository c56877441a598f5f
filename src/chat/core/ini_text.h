#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The text of an INI file held line by line, read and edited with the rules of
// the platform's profile routines: section and key names match without regard
// to case, the first match wins, values are trimmed. Editing touches only the
// one line of the key written (or adds one), so every other line, section,
// comment and line ending stays byte for byte as it was.
class IniText {
public:
    static constexpr int MaxValueLength = 2047;

    explicit IniText(const QByteArray& content = {});

    // The value of key in section, at most MaxValueLength characters; nothing
    // when the section or the key is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;

    // Replaces the key's line, or appends the key to its section, or appends the
    // section to the file. Line breaks in value become blanks, since a value
    // must stay on its line.
    void setValue(const QString& section, const QString& key, const QString& value);

    QByteArray content() const;

private:
    struct Line {
        QByteArray text;
        QByteArray ending;
    };

    qsizetype findSection(const QString& section) const;
    qsizetype sectionEnd(qsizetype header) const;
    qsizetype findKey(qsizetype header, const QString& key) const;
    void insertLine(qsizetype at, const QByteArray& text);

    QList<Line> m_lines;
    QByteArray m_newline = "\n";
};
