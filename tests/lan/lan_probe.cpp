// A player's copy looking for tables on a real link, for tests/lan/run: asks
// the way the game browser does (one address family at a time), prints each
// table found, and may join one by the address its answer came from and watch
// the table's count follow.
#include "client/core/game_address.h"
#include "client/core/lan_table_finder.h"
#include "client/core/table_list_model.h"
#include "wire_client.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

void print(const TableRow& r)
{
    const TableAnnouncement& t = r.table;
    std::printf("table %s at %s: %d of %d players, %d bots, %s, answered in %.2f ms\n", qPrintable(t.name),
                qPrintable(r.address), t.players, t.seats, t.bots, qPrintable(t.state), r.answerMs);
    std::fflush(stdout);
}

int fail(const QString& why)
{
    std::fprintf(stderr, "lan_probe: %s\n", qPrintable(why));
    return 1;
}

const TableRow* named(const TableListModel& rows, const QString& name)
{
    for (int at = 0; at < rows.rowCount(); ++at)
        if (rows.row(at).table.name == name)
            return &rows.row(at);
    return nullptr;
}

// Joins the named table by its answer's address; then waits for its answers
// to count `players`.
int join(const TableListModel& rows, const QString& name, int players)
{
    const TableRow* row = named(rows, name);
    if (!row)
        return fail(QStringLiteral("no table named %1").arg(name));
    const auto address = GameAddress::parse(row->address);
    WireClient player;
    player.host = address->host;
    if (!player.login(address->port, "Prober"))
        return fail(QStringLiteral("could not log in at %1").arg(row->address));
    std::printf("joined %s at %s\n", qPrintable(name), qPrintable(row->address));
    if (players > 0
        && !waitUntil([&] { return named(rows, name) && named(rows, name)->table.players == players; },
                      3 * LanTableFinder::RepeatMs))
        return fail(QStringLiteral("%1 did not come to count %2 players").arg(name).arg(players));
    print(*named(rows, name));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser cli;
    const QCommandLineOption family(QStringLiteral("family"), "v4 (broadcast) or v6 (multicast)", "F", "v4");
    const QCommandLineOption expect(QStringLiteral("expect"), "tables to find", "N", "1");
    const QCommandLineOption within(QStringLiteral("within"), "milliseconds to find them in", "MS", "2000");
    const QCommandLineOption joinName(QStringLiteral("join"), "table to join by name", "NAME");
    const QCommandLineOption players(QStringLiteral("then-players"), "players the joined table counts next", "N", "0");
    cli.addOptions({family, expect, within, joinName, players});
    cli.process(app);

    LanTableFinder finder;
    finder.setFamilies(cli.value(family) == QLatin1String("v6") ? LanTableFinder::Families::IPv6Only
                                                                : LanTableFinder::Families::IPv4Only);
    TableListModel rows;
    rows.watch(finder);
    QElapsedTimer clock;
    clock.start();
    finder.start();
    const int wanted = cli.value(expect).toInt();
    const bool found = waitUntil([&] { return rows.rowCount() >= wanted; }, cli.value(within).toInt());
    std::printf("found %d tables in %lld ms\n", rows.rowCount(), clock.elapsed());
    for (int at = 0; at < rows.rowCount(); ++at)
        print(rows.row(at));
    if (!found)
        return fail(QStringLiteral("found %1 of %2 tables").arg(rows.rowCount()).arg(wanted));
    if (cli.isSet(joinName))
        return join(rows, cli.value(joinName), cli.value(players).toInt());
    return 0;
}
