#include "client/core/internet_table_list.h"
#include "client/core/table_list_model.h"
#include "client/game_browser.h"
#include "client/host_game_dialog.h"
#include "client/internet_table_source.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

// Answers every request with the same list, and remembers what was asked.
class FakeList : public QObject {
public:
    explicit FakeList(const QByteArray& body) : m_body(body)
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* s = m_server.nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, s, [this, s] {
                requests << s->readAll().split('\r').first();
                s->write("HTTP/1.0 200 OK\r\nContent-Type: application/json\r\nContent-Length: "
                         + QByteArray::number(m_body.size()) + "\r\n\r\n" + m_body);
                s->disconnectFromHost();
            });
        });
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }
    QList<QByteArray> requests;

private:
    QTcpServer m_server;
    QByteArray m_body;
};

QJsonObject row(const QString& name, const QString& address, quint16 port, int players, bool playing)
{
    TableListing t;
    t.id = name;
    t.name = name;
    t.address = address;
    t.port = port;
    t.players = players;
    t.state = playing ? QStringLiteral("playing") : QStringLiteral("waiting");
    t.mode = playing ? QStringLiteral("standard") : QString();
    t.mission = playing ? 2 : 0;
    t.missions = playing ? 3 : 0;
    t.version = QStringLiteral("1.0.12");
    t.updated = 1700000000;
    return t.rowJson();
}

} // namespace

// The game browser's Internet tab, against a list served on loopback.
class TestInternetTableSource : public QObject {
    Q_OBJECT
private slots:
    void browserListsTheInternetTablesWhileOpen();
    void hostDialogListsOnlyWhenAsked();
};

void TestInternetTableSource::browserListsTheInternetTablesWhileOpen()
{
    const QJsonArray rows{row(QStringLiteral("Full house"), QStringLiteral("192.0.2.9"), 7772, 5, true),
                          row(QStringLiteral("Quiet"), QStringLiteral("2001:db8::7"), 7773, 1, false)};
    FakeList list(QJsonDocument(QJsonObject{{QStringLiteral("tables"), rows}, {QStringLiteral("total"), 2}}).toJson());
    GameBrowser browser;
    auto source = std::make_unique<InternetTableSource>(list.url());
    InternetTableSource& internet = *source;
    TableListModel& model = browser.addSource(QStringLiteral("Internet"), std::move(source));
    QVERIFY(!internet.list().isOpen());
    browser.show();
    QVERIFY(internet.list().isOpen());
    QTRY_COMPARE(model.rowCount(), 2);
    QCOMPARE(list.requests.first(), QByteArray("GET /v1/tables?limit=200 HTTP/1.0"));
    QStringList addresses;
    for (int at = 0; at < model.rowCount(); ++at)
        addresses << model.row(at).address;
    addresses.sort();
    QCOMPARE(addresses, (QStringList{QStringLiteral("192.0.2.9:7772"), QStringLiteral("[2001:db8::7]:7773")}));
    // The rows are told again while open, so they outlive the list's forgetting.
    QTest::qWait(TableListModel::ForgetMs + 500);
    QCOMPARE(model.rowCount(), 2);
    browser.hide();
    QVERIFY(!internet.list().isOpen());
}

void TestInternetTableSource::hostDialogListsOnlyWhenAsked()
{
    HostGameDialog dialog(QStringLiteral("Ann"));
    QCOMPARE(dialog.internetBox()->text(), QStringLiteral("List this game on the internet"));
    QVERIFY(!dialog.listOnInternet());
    dialog.internetBox()->setChecked(true);
    QVERIFY(dialog.listOnInternet());
}

QTEST_MAIN(TestInternetTableSource)
#include "test_internet_table_source.moc"
