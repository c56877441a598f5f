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
    return ProtocolFields::FromRight{payload.left(plus), payload.mid(plus + 1).split('+')};
}

std::optional<ToClient::PathEntry> readEntry(const QList<QByteArray>& fields, qsizetype at)
{
    ToClient::PathEntry e;
    e.kind = fields.at(at);
    if (e.kind != "f" && e.kind != "t")
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
    Message m = ProtocolFields::start(command).field(name);
    for (const PathEntry& e : entries)
        m.field(e.kind).field(e.x).field(e.y).field(e.chain).field(e.points).field(e.score).field(e.tile1).field(
            e.tile2);
    return m.field("s").field(result).field("").bytes();
}

std::optional<ThePath> ThePath::decode(FieldReader& f)
{
    const auto split = splitPath(f.rest());
    if (!split)
        return std::nullopt;
    const QList<QByteArray>& fields = split->tail;
    const qsizetype entryFields = fields.size() - TailFields;
    if (entryFields < 0 || entryFields % FieldsPerEntry != 0 || fields.at(entryFields) != "s")
        return std::nullopt;
    const std::optional<int> result = FieldReader::toInt(fields.at(entryFields + 1));
    if (!result)
        return std::nullopt;
    ThePath m{split->head, {}, *result};
    for (qsizetype at = 0; at < entryFields; at += FieldsPerEntry) {
        const std::optional<PathEntry> e = readEntry(fields, at);
        if (!e)
            return std::nullopt;
        m.entries.append(*e);
    }
    return m;
}

} // namespace ToClient
