// Feeds arbitrary text to the parsers of what other players send: colour texts,
// whole numbers, chat lines with their heads, smiley markers and links, and
// relayed chat and phrase payloads. Besides not crashing, a colour that reads
// must write back to a text that reads as the same colour, the words of a text
// must cover it exactly, and a line must never name a smiley picture or text
// style that does not exist.
#include "chat/core/chat_line.h"
#include "chat/core/chat_text_styles.h"
#include "chat/core/colour_text.h"
#include "chat/core/integer_text.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void colour(const QString& text)
{
    const auto value = ColourText::fromText(text);
    if (!value)
        return;
    const auto again = ColourText::fromText(ColourText::toText(*value));
    if (!again || *again != *value)
        std::abort();
}

void words(const QString& text)
{
    QString joined;
    for (const ChatItem& item : ChatLineParser::words(text))
        joined += item.text;
    if (joined != text)
        std::abort();
}

void line(const QString& text)
{
    const auto parsed = ChatLineParser::parse({0, text});
    if (!parsed)
        std::abort();
    for (const ChatItem& item : parsed->items)
        if (item.kind == ChatItem::Kind::Picture && (item.picture < 0 || item.picture >= ChatLineParser::SmileyCount))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(FuzzSupport::bytes(data, size));
    (void)IntegerText::parse(text);
    colour(text);
    words(text);
    line(text);
    // As relayed: "line|colour"; the line goes on to be shown.
    line(ChatLineParser::received(0, text.toUtf8()).line.text);
    (void)ChatLineParser::splitPhrase(text);
    return 0;
}
