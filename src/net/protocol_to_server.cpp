#include "protocol_to_server.h"

using ProtocolFields::readInts;
using ProtocolFields::start;

namespace ToServer {

QByteArray LoginInfo::bytes() const
{
    return start(command).field(slot).field(version).field(name).bytes();
}

std::optional<LoginInfo> LoginInfo::decode(FieldReader& f)
{
    const std::optional<int> slot = f.nextInt();
    if (!slot)
        return std::nullopt;
    QByteArray version = f.next();
    return LoginInfo{*slot, std::move(version), f.rest()};
}

QByteArray KickHim::bytes() const
{
    // The client has always closed the fields with "+".
    return start(command).field(slot).field(target).field("").bytes();
}

std::optional<KickHim> KickHim::decode(FieldReader& f)
{
    KickHim m;
    if (!readInts(f, {&m.slot, &m.target}))
        return std::nullopt;
    return m;
}

QByteArray JustWatch::bytes() const
{
    return start(command).field(seat).field(value).bytes();
}

std::optional<JustWatch> JustWatch::decode(FieldReader& f)
{
    JustWatch m;
    if (!readInts(f, {&m.seat, &m.value}))
        return std::nullopt;
    return m;
}

QByteArray SelectTile::bytes() const
{
    return start(command).field(slot).field(x).field(y).bytes();
}

std::optional<SelectTile> SelectTile::decode(FieldReader& f)
{
    SelectTile m;
    if (!readInts(f, {&m.slot, &m.x, &m.y}))
        return std::nullopt;
    return m;
}

QByteArray StartGame::bytes() const
{
    return start(command).field(name).field(mode).field("").bytes();
}

std::optional<StartGame> StartGame::decode(FieldReader& f)
{
    // name "+" mode "+" empty rest: the mode is the second field from the right.
    const auto split = ProtocolFields::fromRight(f.rest(), 2);
    if (!split)
        return std::nullopt;
    const std::optional<int> mode = FieldReader::toInt(split->tail.at(0));
    if (!mode)
        return std::nullopt;
    return StartGame{split->head, *mode};
}

PlayASound wave(int slot, int sound)
{
    return {slot, "wave" + QByteArray::number(sound) + '+'};
}

} // namespace ToServer
