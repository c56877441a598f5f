#pragma once

#include "field_reader.h"
#include "message.h"
#include "protocol_words.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <array>
#include <initializer_list>
#include <optional>
#include <span>

// Field layouts that several messages share, and the reading steps every
// decoder is built from. A decoder reads the payload (the text after the first
// "+") and gives nullopt as soon as a field is missing or an integer field is
// not decimal text; it checks the shape only. Ranges (slots, cells, codes) stay
// with the handler, which knows whether a value out of range drops the whole
// message or only one group of a list.
namespace ProtocolFields {
inline Message start(Command command, qsizetype room = Message::DefaultRoom)
{
    return Message(Commands::word(command), room);
}

// Reads integer fields into `out` in order; the last one may end the message
// without a "+" after it. False at the first field that is not an integer.
bool readInts(FieldReader& f, std::initializer_list<int*> out);

// The last `count` fields of a payload whose head (the first field) may itself
// contain "+": fields are taken from the right. nullopt if there are fewer.
struct FromRight {
    QByteArray head;
    // Views into `payload`, which the result holds, so a long list of fields
    // is not copied field by field.
    QList<QByteArrayView> tail;
    QByteArray payload;
};
std::optional<FromRight> fromRight(const QByteArray& payload, int count);
} // namespace ProtocolFields

// A message of no fields, sent as the word and one empty field ("CMD_full+").
template <Command C>
struct NoFields {
    static constexpr Command command = C;
    QByteArray bytes() const { return ProtocolFields::start(C).field("").bytes(); }
    static std::optional<NoFields> decode(FieldReader&) { return NoFields{}; }
    friend bool operator==(const NoFields&, const NoFields&) = default;
};

// A slot, then text to the end of the message (which may contain "+").
template <Command C>
struct SlotText {
    static constexpr Command command = C;
    int slot = 0;
    QByteArray text;

    QByteArray bytes() const { return ProtocolFields::start(C).field(slot).field(text).bytes(); }
    static std::optional<SlotText> decode(FieldReader& f)
    {
        const std::optional<int> slot = f.nextInt();
        if (!slot)
            return std::nullopt;
        return SlotText{*slot, f.rest()};
    }
    friend bool operator==(const SlotText&, const SlotText&) = default;
};

// Text to the end of the message, nothing else.
template <Command C>
struct TextOnly {
    static constexpr Command command = C;
    QByteArray text;

    QByteArray bytes() const { return ProtocolFields::start(C).field(text).bytes(); }
    static std::optional<TextOnly> decode(FieldReader& f) { return TextOnly{f.rest()}; }
    friend bool operator==(const TextOnly&, const TextOnly&) = default;
};

struct CellCode {
    int x = 0;
    int y = 0;
    int code = 0;
    friend bool operator==(const CellCode&, const CellCode&) = default;
};

// A list of "+x+y+code" groups appended straight after the word (the deal, the
// bonus layer). An empty list still carries its "+": a bare word would be
// ignored as no message at all.
template <Command C>
struct CellCodes {
    static constexpr Command command = C;
    QList<CellCode> cells;

    QByteArray bytes() const
    {
        // "+x+y+code" with one-digit coordinates, and a code of up to two digits.
        Message m = ProtocolFields::start(C, cells.size() * 7 + 1);
        // Written a dozen cells at a time rather than one by one: a deal's
        // and a round's end's lists are 36 cells each.
        std::array<int, 36> values{};
        size_t used = 0;
        for (const CellCode& c : cells) {
            values[used++] = c.x;
            values[used++] = c.y;
            values[used++] = c.code;
            if (used == values.size()) {
                m.fields(values);
                used = 0;
            }
        }
        if (used > 0)
            m.fields(std::span(values).first(used));
        if (cells.isEmpty())
            m.field("");
        return m.bytes();
    }
    static std::optional<CellCodes> decode(FieldReader& f)
    {
        // Sized once from the fields left and read in place: appending cell by
        // cell cost a client a third of reading a deal. Each field takes at
        // least its "+", so the list holds at most four bytes for each byte
        // of the message, whose length the splitter caps.
        CellCodes out;
        out.cells.resize(f.fieldsLeft() / 3);
        for (CellCode& c : std::span(out.cells.data(), size_t(out.cells.size())))
            if (!ProtocolFields::readInts(f, {&c.x, &c.y, &c.code}))
                return std::nullopt;
        // Fields left over: the last group is cut short.
        if (!f.atEnd())
            return std::nullopt;
        return out;
    }
    friend bool operator==(const CellCodes&, const CellCodes&) = default;
};
