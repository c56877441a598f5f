#include "client/core/game_address.h"
#include "client/core/program_arguments.h"

#include <QTest>

class TestGameAddress : public QObject {
    Q_OBJECT
private slots:
    void parsesWhatAPlayerWrites_data();
    void parsesWhatAPlayerWrites();
    void takesOptionsOutOfTheCommandLine_data();
    void takesOptionsOutOfTheCommandLine();
};

void TestGameAddress::parsesWhatAPlayerWrites_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("host"); // empty: refused
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("shown");
    QTest::newRow("name") << "example.net"
                          << "example.net" << 7772 << "example.net";
    QTest::newRow("name and port") << " example.net:9000 "
                                   << "example.net" << 9000 << "example.net:9000";
    QTest::newRow("IPv4 and port") << "10.0.0.5:7773"
                                   << "10.0.0.5" << 7773 << "10.0.0.5:7773";
    QTest::newRow("bracketed IPv6 and port") << "[::1]:8000"
                                             << "::1" << 8000 << "[::1]:8000";
    QTest::newRow("bracketed IPv6") << "[fe80::1]"
                                    << "fe80::1" << 7772 << "[fe80::1]";
    QTest::newRow("bare IPv6") << "::1"
                               << "::1" << 7772 << "[::1]";
    QTest::newRow("default port written") << "host:7772"
                                          << "host" << 7772 << "host";
    QTest::newRow("empty") << "  "
                           << "" << 0 << "";
    QTest::newRow("port only") << ":7772"
                               << "" << 0 << "";
    QTest::newRow("port zero") << "host:0"
                               << "" << 0 << "";
    QTest::newRow("port too big") << "host:65536"
                                  << "" << 0 << "";
    QTest::newRow("port not a number") << "host:abc"
                                       << "" << 0 << "";
    QTest::newRow("trailing colon") << "host:"
                                    << "" << 0 << "";
    QTest::newRow("unclosed bracket") << "[::1:8000"
                                      << "" << 0 << "";
    QTest::newRow("junk after bracket") << "[::1]x"
                                        << "" << 0 << "";
    QTest::newRow("empty brackets") << "[]:8000"
                                    << "" << 0 << "";
}

void TestGameAddress::parsesWhatAPlayerWrites()
{
    QFETCH(QString, text);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(QString, shown);
    const auto address = GameAddress::parse(text);
    QCOMPARE(address.has_value(), !host.isEmpty());
    if (!address)
        return;
    QCOMPARE(address->host, host);
    QCOMPARE(int(address->port), port);
    QCOMPARE(address->text(), shown);
}

void TestGameAddress::takesOptionsOutOfTheCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("players");
    QTest::addColumn<int>("port"); // 0: none
    QTest::addColumn<bool>("help");
    QTest::addColumn<bool>("version");
    QTest::addColumn<bool>("error");
    QTest::newRow("solo") << QStringList{} << QStringList{} << 0 << false << false << false;
    QTest::newRow("three unchanged") << QStringList{"Ann", "10.0.0.5", "false", "extra"}
                                     << QStringList{"Ann", "10.0.0.5", "false", "extra"} << 0 << false << false
                                     << false;
    QTest::newRow("host on a port") << QStringList{"Ann", "x", "true", "--port", "8000"}
                                    << QStringList{"Ann", "x", "true"} << 8000 << false << false << false;
    QTest::newRow("port first, with =") << QStringList{"--port=9000", "Ann", "x", "true"}
                                        << QStringList{"Ann", "x", "true"} << 9000 << false << false << false;
    QTest::newRow("bad port") << QStringList{"Ann", "x", "true", "--port", "99999"} << QStringList{"Ann", "x", "true"}
                              << 0 << false << false << true;
    QTest::newRow("missing port") << QStringList{"--port"} << QStringList{} << 0 << false << false << true;
    QTest::newRow("help is no name") << QStringList{"--help"} << QStringList{} << 0 << true << false << false;
    QTest::newRow("version is no name") << QStringList{"--version"} << QStringList{} << 0 << false << true << false;
}

void TestGameAddress::takesOptionsOutOfTheCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, players);
    QFETCH(int, port);
    QFETCH(bool, help);
    QFETCH(bool, version);
    QFETCH(bool, error);
    const ProgramArguments line = ProgramArguments::parse(arguments);
    QCOMPARE(line.players, players);
    QCOMPARE(int(line.port.value_or(0)), port);
    QCOMPARE(line.help, help);
    QCOMPARE(line.version, version);
    QCOMPARE(!line.error.isEmpty(), error);
}

QTEST_APPLESS_MAIN(TestGameAddress)
#include "test_game_address.moc"
