#pragma once

#include <QByteArray>

// Cuts the texts players put on the table (names, chat, actions, phrases) to
// their longest lengths before they are relayed, so every screen shows the same
// words. Lengths count as the entry boxes count them: UTF-16 units, a character
// outside the Basic Multilingual Plane counting two. A cut never falls inside a
// UTF-8 sequence or between the halves of a surrogate pair, and the bytes kept
// are the bytes received.
class TableText {
public:
    // At most `limit` units of `utf8`; unchanged when it already fits.
    static QByteArray cut(const QByteArray& utf8, int limit);
    // A chat, action or phrase text "words|colour": the words are cut to
    // `limit` units, the colour after the last "|" is kept so the line keeps
    // its sender's colour. A text without a short colour suffix is cut whole.
    // The words lose their invisible characters, as names do: a direction
    // override would reverse the rest of every reader's chat line, a line
    // break would make the sender's words pass for another line.
    static QByteArray cutLine(const QByteArray& text, int limit);
    // `utf8` without its invisible characters; unchanged when it has none.
    static QByteArray visible(const QByteArray& utf8);
    // Control, format (direction marks, overrides, isolates, zero-width),
    // line and paragraph separators, lone surrogates, unassigned code points.
    static bool invisible(char32_t c);

    // The longest colour a client writes ("clInactiveCaptionText") with room to spare.
    static constexpr int ColourLength = 32;
};
