#include "protocol_to_client.h"

using ProtocolFields::readInts;
using ProtocolFields::start;

namespace ToClient {

QByteArray soundName(const PlayASound& m)
{
    const qsizetype plus = m.text.indexOf('+');
    return plus < 0 ? m.text : m.text.left(plus);
}

Chat tableLine(const QByteArray& text)
{
    QByteArray line = "Server: " + text;
    line.replace('|', "\xc2\xa6");
    return {0, line + "|clBlue"};
}

QByteArray SendLoginInfo::bytes() const
{
    return start(command).field(slot).bytes();
}

std::optional<SendLoginInfo> SendLoginInfo::decode(FieldReader& f)
{
    SendLoginInfo m;
    if (!readInts(f, {&m.slot}))
        return std::nullopt;
    return m;
}

QByteArray Host::bytes() const
{
    return start(command).field(slot).field("").bytes();
}

std::optional<Host> Host::decode(FieldReader& f)
{
    Host m;
    if (!readInts(f, {&m.slot}))
        return std::nullopt;
    return m;
}

QByteArray LoadStats::bytes() const
{
    return start(command).field(mode).field("").bytes();
}

std::optional<LoadStats> LoadStats::decode(FieldReader& f)
{
    LoadStats m;
    if (!readInts(f, {&m.mode}))
        return std::nullopt;
    return m;
}

QByteArray StartGame::bytes() const
{
    return start(command).field(name).field(mode).field(rounds).field("").bytes();
}

std::optional<StartGame> StartGame::decode(FieldReader& f)
{
    // name "+" mode "+" rounds "+" empty rest; a start without the closing
    // "+" reads the same (clients have always taken it so).
    QByteArray payload = f.rest();
    if (payload.endsWith('+'))
        payload.chop(1);
    const auto split = ProtocolFields::fromRight(payload, 2);
    if (!split)
        return std::nullopt;
    const std::optional<int> mode = FieldReader::toInt(split->tail.at(0));
    const std::optional<int> rounds = FieldReader::toInt(split->tail.at(1));
    if (!mode || !rounds)
        return std::nullopt;
    return StartGame{split->head, *mode, *rounds};
}

QByteArray NextPlayer::bytes() const
{
    return start(command).field(round).field(slot).bytes();
}

std::optional<NextPlayer> NextPlayer::decode(FieldReader& f)
{
    NextPlayer m;
    if (!readInts(f, {&m.round, &m.slot}))
        return std::nullopt;
    return m;
}

QByteArray SetNextTile::bytes() const
{
    return start(command).field(current).field(next).bytes();
}

std::optional<SetNextTile> SetNextTile::decode(FieldReader& f)
{
    SetNextTile m;
    if (!readInts(f, {&m.current, &m.next}))
        return std::nullopt;
    return m;
}

QByteArray SetNnTile::bytes() const
{
    return start(command).field(tile).bytes();
}

std::optional<SetNnTile> SetNnTile::decode(FieldReader& f)
{
    SetNnTile m;
    if (!readInts(f, {&m.tile}))
        return std::nullopt;
    return m;
}

QByteArray RemoveTile::bytes() const
{
    return start(command).field(slot).field(x).field(y).field(chain).field(trail).field(points).field(total).bytes();
}

std::optional<RemoveTile> RemoveTile::decode(FieldReader& f)
{
    RemoveTile m;
    if (!readInts(f, {&m.slot, &m.x, &m.y, &m.chain, &m.trail, &m.points, &m.total}))
        return std::nullopt;
    return m;
}

QByteArray Bombed::bytes() const
{
    Message m = start(command).field(slot).field(chain).field(trail).field(points).field(total);
    for (const Cell& c : cells)
        m.field(c.x).field(c.y);
    return m.bytes();
}

std::optional<Bombed> Bombed::decode(FieldReader& f)
{
    Bombed m;
    if (!readInts(f, {&m.slot, &m.chain, &m.trail, &m.points, &m.total}))
        return std::nullopt;
    while (!f.atEnd()) {
        Cell c;
        if (!readInts(f, {&c.x, &c.y}))
            return std::nullopt;
        m.cells.append(c);
    }
    return m;
}

QByteArray Error::bytes() const
{
    return start(command).field(code).bytes();
}

std::optional<Error> Error::decode(FieldReader& f)
{
    Error m;
    if (!readInts(f, {&m.code}))
        return std::nullopt;
    return m;
}

QByteArray TurnOver::bytes() const
{
    return start(command).field(slot).field(value).field(total).field(reason).bytes();
}

std::optional<TurnOver> TurnOver::decode(FieldReader& f)
{
    TurnOver m;
    if (!readInts(f, {&m.slot, &m.value, &m.total, &m.reason}))
        return std::nullopt;
    return m;
}

QByteArray PostScores::bytes() const
{
    Message m = start(command);
    for (const ScoreRow& r : rows)
        m.field(r.slot).field(r.total).field(r.result);
    if (rows.isEmpty())
        m.field(""); // a bare word would be ignored as no message at all
    return m.bytes();
}

std::optional<PostScores> PostScores::decode(FieldReader& f)
{
    PostScores m;
    while (!f.atEnd()) {
        ScoreRow r;
        if (!readInts(f, {&r.slot, &r.total, &r.result}))
            return std::nullopt;
        m.rows.append(r);
    }
    return m;
}

QByteArray JustWatching::bytes() const
{
    return start(command).field(slot).field(value).bytes();
}

std::optional<JustWatching> JustWatching::decode(FieldReader& f)
{
    JustWatching m;
    if (!readInts(f, {&m.slot, &m.value}))
        return std::nullopt;
    return m;
}

} // namespace ToClient
