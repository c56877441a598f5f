#include "protocol_to_client.h"

namespace {

constexpr int TailFields = 3; // "s", the round result, the empty rest

// The name and the fields after it. With all 36 entries present the name is
// whatever precedes them (it may contain "+"); a shorter path has its name as
// the first field.
std::optional<ProtocolFields::FromRight> splitPath(const QByteArray& payload)
{
    const int full = Table::MoveLogSize * ToClient::ThePath::FieldsPerEntry + TailFields;
    if (auto split = ProtocolFields::fromRight(payload, full))
        return split;
    const qsizetype plus = payload.indexOf('+');
    if (plus < 0)
        return std::nullopt;
    ProtocolFields::FromRight split{payload.left(plus), {}, payload};
    // One field follows each "+".
    split.tail.reserve(payload.count('+'));
    const QByteArrayView all(split.payload);
    for (qsizetype from = plus + 1;;) {
        const qsizetype next = payload.indexOf('+', from);
        split.tail.append(all.sliced(from, (next < 0 ? all.size() : next) - from));
        if (next < 0)
            return split;
        from = next + 1;
    }
}

std::optional<ToClient::PathEntry> readEntry(const QList<QByteArrayView>& fields, qsizetype at)
{
    ToClient::PathEntry e;
    const QByteArrayView kind = fields.at(at);
    if (kind == ToClient::PathEntry::Bombed)
        e.kind = ToClient::PathEntry::Bombed;
    else if (kind != ToClient::PathEntry::Picked)
        return std::nullopt;
    int* values[] = {&e.x, &e.y, &e.chain, &e.points, &e.score, &e.tile1, &e.tile2};
    for (int i = 0; i < 7; ++i) {
        const std::optional<int> n = FieldReader::toInt(fields.at(at + 1 + i));
        if (!n)
            return std::nullopt;
        *values[i] = *n;
    }
    return e;
}

} // namespace

namespace ToClient {

QByteArray ThePath::bytes() const
{
    // Eight short numbers or so an entry.
    Message m = ProtocolFields::start(command, name.size() + entries.size() * 32 + 16).field(name);
    for (const PathEntry& e : entries)
        m.field(e.kind).fields({e.x, e.y, e.chain, e.points, e.score, e.tile1, e.tile2});
    return m.field("s").field(result).field("").bytes();
}

std::optional<ThePath> ThePath::decode(FieldReader& f)
{
    const auto split = splitPath(f.rest());
    if (!split)
        return std::nullopt;
    const QList<QByteArrayView>& fields = split->tail;
    const qsizetype entryFields = fields.size() - TailFields;
    if (entryFields < 0 || entryFields % FieldsPerEntry != 0 || fields.at(entryFields) != "s")
        return std::nullopt;
    const std::optional<int> result = FieldReader::toInt(fields.at(entryFields + 1));
    if (!result)
        return std::nullopt;
    ThePath m{split->head, {}, *result};
    m.entries.reserve(entryFields / FieldsPerEntry);
    for (qsizetype at = 0; at < entryFields; at += FieldsPerEntry) {
        const std::optional<PathEntry> e = readEntry(fields, at);
        if (!e)
            return std::nullopt;
        m.entries.append(*e);
    }
    return m;
}

} // namespace ToClient
