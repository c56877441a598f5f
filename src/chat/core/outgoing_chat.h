#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The messages a player's typing and phrase buttons put on the wire. The text
// goes out as typed, nothing escaped, trimmed or limited; the own colour follows
// a "|" so every client shows the line in the sender's colour.
class OutgoingChat {
public:
    // A chat line for plain text; an action line with the text from the fifth
    // character on for text starting "/me" (the character after "/me" is dropped
    // unread); nothing for empty text or any other "/" command.
    static std::optional<QByteArray> forTyped(const QString& typed, int mySlot, quint32 colour);
    // A phrase line with " says: " before the phrase.
    static QByteArray forPhrase(const QString& phrase, int mySlot, quint32 colour);
};
