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

// Splits the text after the style number into head and the smiley-marked rest.
void addBody(ChatLine& line, QString rest)
{
    const qsizetype colon = rest.indexOf(QLatin1Char(':'));
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
    addBody(result, line.text);
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
    return splitColoured(entry, ColourText::Black);
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
