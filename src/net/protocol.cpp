#include "protocol.h"

#include <array>

namespace {

struct WordEntry {
    const char* text;
    qsizetype size;
    Direction direction;

    QByteArrayView word() const { return {text, size}; }
};

constexpr std::array<WordEntry, Commands::Count> Words = {{
#define GD_COMMAND_ENTRY(word, direction) {CommandWord::word, sizeof(CommandWord::word) - 1, Direction::direction},
    GD_COMMAND_WORDS(GD_COMMAND_ENTRY)
#undef GD_COMMAND_ENTRY
}};

} // namespace

namespace Commands {

QByteArrayView word(Command command)
{
    return Words[size_t(command)].word();
}

Direction direction(Command command)
{
    return Words[size_t(command)].direction;
}

std::optional<Command> find(QByteArrayView word)
{
    for (size_t i = 0; i < Words.size(); ++i)
        if (Words[i].word() == word)
            return Command(i);
    return std::nullopt;
}

} // namespace Commands

namespace ProtocolFields {

bool readInts(FieldReader& f, std::initializer_list<int*> out)
{
    qsizetype left = qsizetype(out.size());
    for (int* value : out) {
        const std::optional<int> n = --left > 0 ? f.nextInt() : f.lastInt();
        if (!n)
            return false;
        *value = *n;
    }
    return true;
}

std::optional<FromRight> fromRight(const QByteArray& payload, int count)
{
    // Too few fields are refused before room is made for them all: a path of
    // fewer than 36 entries is read this way first.
    if (payload.count('+') < count)
        return std::nullopt;
    FromRight split{{}, QList<QByteArrayView>(count), payload};
    const QByteArrayView all(split.payload);
    qsizetype end = all.size();
    for (int i = count - 1; i >= 0; --i) {
        const qsizetype plus = end > 0 ? payload.lastIndexOf('+', end - 1) : -1;
        if (plus < 0)
            return std::nullopt;
        split.tail[i] = all.sliced(plus + 1, end - plus - 1);
        end = plus;
    }
    split.head = payload.left(end);
    return split;
}

} // namespace ProtocolFields
