#include "outgoing_chat.h"

#include "colour_text.h"
#include "net/message.h"

namespace {

QByteArray withColour(const QString& text, quint32 colour)
{
    return (text + QLatin1Char('|') + ColourText::toText(colour)).toUtf8();
}

} // namespace

std::optional<QByteArray> OutgoingChat::forTyped(const QString& typed, int mySlot, quint32 colour)
{
    if (typed.isEmpty())
        return std::nullopt;
    if (!typed.startsWith(QLatin1Char('/')))
        return Message("CMD_chat").field(mySlot).field(withColour(typed, colour)).bytes();
    if (typed.startsWith(QLatin1String("/me")))
        return Message("CMD_action").field(mySlot).field(withColour(typed.mid(4), colour)).bytes();
    return std::nullopt;
}

QByteArray OutgoingChat::forPhrase(const QString& phrase, int mySlot, quint32 colour)
{
    return Message("CMD_phrase")
        .field(mySlot)
        .field(withColour(QStringLiteral(" says: ") + phrase, colour))
        .bytes();
}
