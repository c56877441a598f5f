#include "outgoing_chat.h"

#include "colour_text.h"
#include "net/protocol_to_server.h"

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
        return ToServer::Chat{mySlot, withColour(typed, colour)}.bytes();
    if (typed.startsWith(QLatin1String("/me")))
        return ToServer::Action{mySlot, withColour(typed.mid(4), colour)}.bytes();
    return std::nullopt;
}

QByteArray OutgoingChat::forPhrase(const QString& phrase, int mySlot, quint32 colour)
{
    return ToServer::Phrase{mySlot, withColour(QStringLiteral(" says: ") + phrase, colour)}.bytes();
}
