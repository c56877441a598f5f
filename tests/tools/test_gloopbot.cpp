#include "server/host_options.h"
#include "server/server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <memory>
#include <vector>

namespace {
QString botPath()
{
    const QString dir =
        qEnvironmentVariable("GD_TOOLS_DIR", QCoreApplication::applicationDirPath() + QStringLiteral("/../tools"));
    return dir + QStringLiteral("/gloopbot/gloopbot");
}

std::unique_ptr<QProcess> startBot(const QStringList& args)
{
    auto bot = std::make_unique<QProcess>();
    bot->start(botPath(), args);
    return bot;
}

bool anyRunning(const std::vector<std::unique_ptr<QProcess>>& bots)
{
    for (const auto& bot : bots)
        if (bot->state() != QProcess::NotRunning)
            return true;
    return false;
}

int movesMade(const GameState& game)
{
    int moves = 0;
    for (int seat = 1; seat <= Table::Seats; ++seat)
        moves += game.players[seat].movecount;
    return moves;
}
} // namespace

class GloopbotTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void playsWholeGame_data();
    void playsWholeGame();
};

void GloopbotTest::initTestCase()
{
    QVERIFY2(QFile::exists(botPath()), qPrintable(botPath()));
}

void GloopbotTest::playsWholeGame_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("rounds");
    QTest::newRow("standard") << 1 << 3;
    QTest::newRow("classic") << 2 << 6;
}

void GloopbotTest::playsWholeGame()
{
    QFETCH(int, mode);
    QFETCH(int, rounds);

    FixedHostOptions host;
    Server server(host, 0);
    server.listen();
    server.table().Timer1().setRealTime(false);
    const QString address = QStringLiteral("127.0.0.1:%1").arg(server.port());

    std::vector<std::unique_ptr<QProcess>> bots;
    bots.push_back(
        startBot({address, "Ada", "--start", QString::number(mode), "--players", "3", "--delay", "0", "--seed", "1"}));
    bots.push_back(startBot({address, "Bea", "--strategy", "random", "--delay", "0", "--seed", "2"}));
    bots.push_back(startBot({address, "Cal", "--delay", "0", "--seed", "3"}));

    // The bots play at full speed; the clock is moved by hand: through every
    // pause at once, and through a round only when nobody has moved for a while.
    GameTable& table = server.table();
    QElapsedTimer sinceMove;
    sinceMove.start();
    int lastMoves = -1;
    QElapsedTimer total;
    total.start();
    QMap<QString, int> slotOf;
    while (anyRunning(bots) && total.elapsed() < 240000) {
        QTest::qWait(20);
        for (int seat = 1; seat <= Table::Seats; ++seat)
            if (!server.game().players[seat].name.isEmpty())
                slotOf[QString::fromUtf8(server.game().players[seat].name)] = seat;
        const int moves = movesMade(server.game());
        if (moves != lastMoves) {
            lastMoves = moves;
            sinceMove.restart();
        }
        if (!server.game().gamerunning)
            continue;
        if (table.phase() == RoundPhase::Pause) {
            while (server.game().gamerunning && table.phase() == RoundPhase::Pause)
                table.Timer1Timer();
        } else if (sinceMove.elapsed() > 3000) {
            for (int i = 0; i < 93 && table.phase() == RoundPhase::InPlay && server.game().gamerunning; ++i)
                table.Timer1Timer();
        }
    }
    QVERIFY(!anyRunning(bots));
    QVERIFY(!server.game().gamerunning);
    QVERIFY(server.game().round >= rounds);

    QString winner;
    int best = -1;
    const QRegularExpression report(QStringLiteral("^(\\w+) final score (\\d+) winner (\\w+)\\n$"));
    for (const auto& bot : bots) {
        QCOMPARE(bot->exitCode(), 0);
        const QString out = QString::fromUtf8(bot->readAllStandardOutput());
        const QRegularExpressionMatch m = report.match(out);
        QVERIFY2(m.hasMatch(), qPrintable(out));
        if (winner.isEmpty())
            winner = m.captured(3);
        QCOMPARE(m.captured(3), winner);
        const int score = m.captured(2).toInt();
        if (m.captured(1) == winner)
            best = score;
        // Each bot's own count agrees with the server's.
        QVERIFY(slotOf.contains(m.captured(1)));
        QCOMPARE(server.game().players[slotOf[m.captured(1)]].total, score);
    }
    QVERIFY(best > 0);
    for (int seat = 1; seat <= Table::Seats; ++seat)
        QVERIFY(server.game().players[seat].total <= best);
}

QTEST_GUILESS_MAIN(GloopbotTest)
#include "test_gloopbot.moc"
