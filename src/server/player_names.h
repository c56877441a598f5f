#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The names players sit under. A name must not pass for another player, for an
// empty seat or for part of a chat line's styling:
// - control, format and line-break characters are dropped (among them the
//   bidirectional overrides, embeddings and isolates that would reverse the
//   chat line the name heads, and zero-width characters that would let two
//   names that look the same differ), runs of blanks become one blank, ends
//   are trimmed;
// - a letter keeps at most two combining marks, so none can stack into a
//   tower over the lines above and below;
// - "|" becomes "¦": clients split a relayed line at its first "|" to find the
//   colour, so a bar in the head would cut the line there;
// - colons and their look-alikes go, so no name can end in " chats: …" and
//   make a seat's line read as another speech;
// - the name is cut to the longest a score-panel row shows;
// - an empty name, or one that begins or ends like the "<Waiting>" of an
//   empty seat (in any look-alike of the angle brackets), becomes "Player";
// - a name that looks like one another player already has (the same but for
//   letter case or look-alike letters, see NameSkeleton) gets " 2", " 3", …
//   appended, so "Vic" joining while Vic plays sits as "Vic 2".
class PlayerNames {
public:
    // The name as it may sit at the table, before the check against others.
    static QByteArray clean(const QByteArray& typed);
    // `name` (already clean), or the first numbered form whose look is none
    // of `taken` (the looks of the names taken).
    static QByteArray distinct(const QByteArray& name, const QList<QString>& taken);
    // Names are told apart by their look, not by case or look-alike letters:
    // two names pass for each other when their looks are equal.
    static QString looks(const QByteArray& name);

    static const QByteArray Unnamed; // "Player"
};
