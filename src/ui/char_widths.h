#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <array>

// Widths of single characters of one font, remembered once measured. A word
// too long for a row is placed character by character from these; shaping
// each candidate piece of it again would take time in the square of the
// word's length. Kerning between characters is left out, which shifts a long
// word's pieces by a pixel at most.
class CharWidths {
public:
    explicit CharWidths(const QFont& font);

    // The width of the character at `at` (a surrogate pair counts as one);
    // *size receives how many UTF-16 units it takes.
    qreal at(const QString& text, qsizetype at, int* size);
    // The summed widths of text[from, end).
    qreal of(const QString& text, qsizetype from, qsizetype end);

private:
    QFontMetricsF m_metrics;
    std::array<qreal, 256> m_latin;
    QHash<char32_t, qreal> m_other;
};
