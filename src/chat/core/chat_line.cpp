#include "chat_line.h"

#include "chat_text_styles.h"
#include "colour_text.h"
#include "integer_text.h"

namespace {

const QString kSmileyMarker = QStringLiteral(":)#");

ReceivedChat splitColoured(const QString& data, quint32 fallback)
{
    const qsizetype bar = data.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return {data, fallback};
    const auto colour = ColourText::fromText(QStringView(data).mid(bar + 1));
    return {data.left(bar), colour.value_or(fallback)};
}

// Where the head ends: a player's line at its first colon, a status line at
// the first colon that ends a word, so an address inside it stays whole.
qsizetype headColon(const QString& text, bool status)
{
    qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (!status)
        return colon;
    while (colon >= 0 && colon + 1 < text.size() && text.at(colon + 1) != QLatin1Char(' '))
        colon = text.indexOf(QLatin1Char(':'), colon + 1);
    return colon;
}

// Splits the text after the style number into head and the smiley-marked rest.
void addBody(ChatLine& line, QString rest, bool status)
{
    const qsizetype colon = headColon(rest, status);
    if (colon >= 0) {
        line.head = rest.left(colon + 1);
        rest.remove(0, colon + 1);
    }
    for (qsizetype marker = rest.indexOf(kSmileyMarker); marker >= 0; marker = rest.indexOf(kSmileyMarker)) {
        const QString before = rest.left(marker);
        // A marker at the very end eats what is there of its two characters.
        const QString code = rest.mid(marker + kSmileyMarker.size(), 2);
        rest.remove(0, marker + kSmileyMarker.size() + code.size());
        line.items += ChatLineParser::words(before + QLatin1Char(' '));
        line.items += ChatItem{ChatItem::Kind::Picture, {}, ChatLineParser::smileyPicture(code)};
    }
    if (!rest.isEmpty())
        line.items += ChatLineParser::words(rest + QLatin1Char(' '));
}

} // namespace

std::optional<ChatLine> ChatLineParser::parse(const StyledLine& line)
{
    if (!ChatTextStyles::isStyle(line.style))
        return std::nullopt;
    ChatLine result;
    result.style = line.style;
    addBody(result, line.text, line.status);
    return result;
}

ReceivedChat ChatLineParser::splitReceived(const QString& data)
{
    return splitColoured(data, ColourText::Red);
}

RelayedLine ChatLineParser::received(int slot, const QByteArray& text)
{
    const ReceivedChat chat = splitReceived(QString::fromUtf8(text));
    return {{slot, chat.line}, chat.colour};
}

ReceivedChat ChatLineParser::splitPhrase(const QString& entry)
{
    ReceivedChat phrase = splitColoured(entry, ColourText::Black);
    // The table puts a blank after the name and the sender's " says: " brings
    // its own: the bubble shows one.
    static const QString doubled = QStringLiteral("  says: ");
    if (const qsizetype at = phrase.line.indexOf(doubled); at >= 0)
        phrase.line.remove(at, 1);
    return phrase;
}

QList<ChatItem> ChatLineParser::words(const QString& text)
{
    QList<ChatItem> pieces;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype blank = text.indexOf(QLatin1Char(' '), start);
        const qsizetype end = blank < 0 ? text.size() : blank + 1;
        const QString piece = text.mid(start, end - start);
        pieces += ChatItem{isLinkWord(piece) ? ChatItem::Kind::Link : ChatItem::Kind::Text, piece, 0};
        start = end;
    }
    return pieces;
}

bool ChatLineParser::isLinkWord(const QString& piece)
{
    return piece.contains(QLatin1String("http://")) || piece.contains(QLatin1String("www."));
}

int ChatLineParser::smileyPicture(const QString& code)
{
    const auto number = IntegerText::parse(code);
    if (number && *number >= FirstSmileyCode && *number < FirstSmileyCode + SmileyCount)
        return *number - FirstSmileyCode;
    return 0;
}
