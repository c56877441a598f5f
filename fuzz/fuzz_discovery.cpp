// Feeds arbitrary datagrams to both readers of LAN discovery, as a table's game
// port and a browser's socket receive them, and holds the table to its promise:
// an answer to any query it accepts is never longer than that query.
#include "fuzz_support.h"
#include "net/discovery_datagram.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

TableAnnouncement longestTable()
{
    TableAnnouncement t;
    t.version = QString(DiscoveryDatagram::VersionMaxChars, QLatin1Char('9'));
    t.id = QString(DiscoveryDatagram::IdMaxChars, QLatin1Char('f'));
    t.name = QString(24, QChar(0x4e2d));
    t.port = 65535;
    t.players = 6;
    t.watchers = 3;
    t.bots = 5;
    t.state = QStringLiteral("playing");
    t.mode = QStringLiteral("standard");
    t.mission = 3;
    t.missions = 3;
    return t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = FuzzSupport::bytes(data, size);
    if (const auto token = DiscoveryDatagram::readQuery(bytes)) {
        const auto answer = DiscoveryDatagram::answer(*token, longestTable(), bytes.size());
        if (answer && answer->size() > bytes.size())
            std::abort();
        if (answer && !DiscoveryDatagram::readAnswer(*answer))
            std::abort();
    }
    if (const auto answer = DiscoveryDatagram::readAnswer(bytes)) {
        // What was accepted builds again into an answer that reads the same.
        const auto again = DiscoveryDatagram::answer(answer->token, answer->table, 1 << 20);
        if (!again)
            std::abort();
        const auto reread = DiscoveryDatagram::readAnswer(*again);
        if (!reread || !(reread->table == answer->table))
            std::abort();
    }
    return 0;
}
