// From a reset to seated again: a player's window (the real program, on the
// offscreen platform) joins a headless table through a relay of the bench's
// own, while a game runs there with a person-paced player and two bots. The
// relay resets the window's link, a TCP reset to both ends as a router that
// lost the connection gives, and times until the table's standings (each
// seat's total) reach the window on its new link under the same name: then
// the window is seated again with its total. The reference is a fresh login
// of a bare protocol client to the same table, from its connect to its
// standings, measured between the resets.
//   bench_reconnect --app GLOOPDASH --server SERVER [--resets N] [--base-port P]
#include "bench_support.h"
#include "link_relay.h"

#include "bot/bot.h"
#include "net/field_reader.h"
#include "net/message.h"
#include "net/protocol_to_client.h"
#include "net/protocol_to_server.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace {

constexpr int SeatedWithinMs = 15000;

QByteArray commandOf(const QByteArray& message)
{
    return CommandLine::parse(message).command;
}

template <typename Decoded>
std::optional<Decoded> decode(const QByteArray& message)
{
    const qsizetype plus = CommandLine::commandEnd(message);
    if (plus < 0)
        return std::nullopt;
    FieldReader fields(message, plus + 1);
    return Decoded::decode(fields);
}

// The window's side of the run: its login name on each link, and whether the
// table's standings have reached it since the link was made.
struct WindowLink {
    qint64 linkedAt = 0;
    qint64 seatedAt = 0;
    QByteArray name;
    int total = -1;
    int slot = 0;
    bool gameRunning = false;
};

void follow(LinkRelay& relay, WindowLink& link)
{
    QObject::connect(&relay, &LinkRelay::windowConnected, [&link] {
        link.linkedAt = bench::monotonicNs();
        link.seatedAt = 0;
        link.slot = 0;
        link.name.clear();
    });
    QObject::connect(&relay, &LinkRelay::fromWindow, [&link](const QByteArray& m) {
        if (commandOf(m) == CommandWord::logininfo)
            if (const auto login = decode<ToServer::LoginInfo>(m))
                link.name = login->name;
    });
    QObject::connect(&relay, &LinkRelay::toWindow, [&link](const QByteArray& m) {
        const QByteArray command = commandOf(m);
        if (command == CommandWord::newplayerinfo && link.seatedAt == 0)
            if (const auto seat = decode<ToClient::NewPlayerInfo>(m); seat && seat->text == link.name)
                link.slot = seat->slot;
        if (command == CommandWord::loadstats || command == CommandWord::startgame)
            link.gameRunning = true;
        if (command == CommandWord::winner)
            link.gameRunning = false;
        if (command == CommandWord::postscores && link.seatedAt == 0 && link.slot > 0)
            if (const auto scores = decode<ToClient::PostScores>(m)) {
                for (const ToClient::ScoreRow& row : scores->rows)
                    if (row.slot == link.slot)
                        link.total = row.total;
                link.seatedAt = bench::monotonicNs();
            }
    });
}

// A bare client's login to the table, from its connect to its standings.
std::optional<double> freshLoginMs(quint16 port)
{
    BotOptions options = BotOptions::forSeat(BotLevel::Normal, "Joe", 1.0);
    options.port = port;
    Bot joe(options);
    qint64 seated = 0;
    QObject::connect(&joe, &Bot::messageRead, [&seated](const QByteArray& m) {
        if (seated == 0 && commandOf(m) == CommandWord::postscores)
            seated = bench::monotonicNs();
    });
    const qint64 start = bench::monotonicNs();
    joe.start();
    if (!bench::waitFor([&] { return seated != 0; }, SeatedWithinMs))
        return std::nullopt;
    joe.stop();
    return double(seated - start) / 1e6;
}

std::unique_ptr<QProcess> startTable(const QString& server, quint16 port, const QString& home)
{
    auto table = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("GLOOPDASH_BOT_PACE"), QStringLiteral("1"));
    env.insert(QStringLiteral("GLOOPDASH_HOME"), home);
    table->setProcessEnvironment(env);
    table->setStandardOutputFile(QProcess::nullDevice());
    table->start(server,
                 {"--port", QString::number(port), "--listen", "127.0.0.1", "--bots", "2", "--winners-path", "off",
                  "--no-discovery"});
    if (!table->waitForStarted(5000) || !bench::waitFor([port] { return bench::portListening(port); }, 10000))
        return nullptr;
    return table;
}

// The player's window, joined to the relay, with folders of its own.
std::unique_ptr<QProcess> startWindow(const QString& app, quint16 relayPort, const QDir& folders)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"GLOOPDASH_HOME", "TMPDIR", "XDG_RUNTIME_DIR"}) {
        const QString path = folders.filePath(QString::fromLatin1(name).toLower());
        QDir().mkpath(path);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        env.insert(QString::fromLatin1(name), path);
    }
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("gloopdash.*.info=true"));
    auto window = std::make_unique<QProcess>();
    window->setProcessEnvironment(env);
    window->setStandardOutputFile(QProcess::nullDevice());
    window->start(app, {"Ann", QStringLiteral("127.0.0.1:%1").arg(relayPort), "false"});
    return window->waitForStarted(5000) ? std::move(window) : nullptr;
}

// The window's own count, from its log: "back at ... after N ms".
QList<double> windowFigures(QProcess& window)
{
    static const QRegularExpression back(QStringLiteral("back at \\S+ after (\\d+) ms"));
    QList<double> figures;
    const QString log = QString::fromUtf8(window.readAllStandardError());
    for (auto it = back.globalMatch(log); it.hasNext();)
        figures.append(it.next().captured(1).toDouble());
    return figures;
}

struct Figures {
    QList<double> reconnectMs;
    QList<double> relinkMs;
    QList<double> freshMs;
    int missed = 0;
    int otherName = 0;
    int totalLost = 0;
};

void measure(LinkRelay& relay, WindowLink& link, quint16 tablePort, int resets, Figures& out)
{
    for (int i = 0; i < resets; ++i) {
        // Only a seat in a running game is reset: that is what the standings show.
        bench::waitFor([&] { return link.gameRunning && link.seatedAt != 0; }, 60000);
        bench::runFor(500);
        const int totalBefore = link.total;
        link.seatedAt = 0;
        link.slot = 0;
        const qint64 resetAt = bench::monotonicNs();
        relay.reset();
        if (!bench::waitFor([&] { return link.seatedAt != 0; }, SeatedWithinMs)) {
            ++out.missed;
            continue;
        }
        out.reconnectMs.append(double(link.seatedAt - resetAt) / 1e6);
        out.relinkMs.append(double(link.linkedAt - resetAt) / 1e6);
        out.otherName += link.name != "Ann";
        out.totalLost += link.total != totalBefore;
        if (const std::optional<double> fresh = freshLoginMs(tablePort))
            out.freshMs.append(*fresh);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bench::Args args(app.arguments().mid(1));
    const QString program = args.text(QStringLiteral("app"));
    const QString server = args.text(QStringLiteral("server"));
    const int resets = args.number(QStringLiteral("resets"), 10);
    auto port = quint16(args.number(QStringLiteral("base-port"), 27900));
    if (program.isEmpty() || server.isEmpty() || resets < 1)
        return 2;
    QTemporaryDir folders;
    while (bench::portListening(port))
        ++port;
    const std::unique_ptr<QProcess> table = startTable(server, port, folders.filePath(QStringLiteral("table")));
    if (!table)
        return 1;
    // Pat holds the start button and starts game after game with the two bots.
    BotOptions options = BotOptions::forSeat(BotLevel::Normal, "Pat", 1.0);
    options.port = port;
    options.startMode = 2;
    options.players = 3;
    Bot pat(options);
    QObject::connect(&pat, &Bot::gameOver, &pat,
                     [&pat] { QTimer::singleShot(1000, &pat, [&pat] { pat.startGame(2); }); });
    pat.start();

    LinkRelay relay(port);
    WindowLink link;
    follow(relay, link);
    const quint16 relayPort = relay.listen();
    const std::unique_ptr<QProcess> window =
        relayPort ? startWindow(program, relayPort, QDir(folders.path())) : nullptr;
    Figures f;
    if (window && bench::waitFor([&] { return link.seatedAt != 0; }, 60000))
        measure(relay, link, port, resets, f);
    const QList<double> ownCount = window ? windowFigures(*window) : QList<double>();
    if (window) {
        window->terminate();
        window->waitForFinished(5000);
    }
    pat.stop();
    table->terminate();
    table->waitForFinished(5000);
    if (f.reconnectMs.isEmpty()) {
        bench::printNote(QStringLiteral("the window was never seated again after a reset"));
        return 1;
    }
    bench::printRow({QStringLiteral("reconnect after a reset, median"), bench::median(f.reconnectMs),
                     QStringLiteral("ms"), QStringLiteral("fresh login, median"), bench::median(f.freshMs), QString(),
                     QStringLiteral("<= 2000 ms")});
    bench::printNote(QStringLiteral("%1 resets: slowest %2 ms; the window's new link made after %8 ms (median); its "
                                    "own count from the reset it noticed to its login, median %3 ms; %4 not seated "
                                    "within %5 s, %6 under another name, %7 with another total")
                         .arg(resets)
                         .arg(bench::percentile(f.reconnectMs, 100), 0, 'f', 1)
                         .arg(bench::median(ownCount), 0, 'f', 0)
                         .arg(f.missed)
                         .arg(SeatedWithinMs / 1000)
                         .arg(f.otherName)
                         .arg(f.totalLost)
                         .arg(bench::median(f.relinkMs), 0, 'f', 2));
    return f.missed == 0 && f.otherName == 0 && f.totalLost == 0 ? 0 : 1;
}
