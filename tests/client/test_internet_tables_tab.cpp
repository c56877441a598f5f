#include "client/core/internet_table_list.h"
#include "client/host_game_dialog.h"
#include "client/internet_tables_tab.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTreeWidget>

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

// The browser's tab of internet tables, against a list served on loopback.
class TestInternetTablesTab : public QObject {
    Q_OBJECT
private slots:
    void showsTheListWhileOpenAndJoinsAPick();
    void hostDialogListsOnlyWhenAsked();
};

void TestInternetTablesTab::showsTheListWhileOpenAndJoinsAPick()
{
    const QJsonArray rows{row(QStringLiteral("Full house"), QStringLiteral("192.0.2.9"), 7772, 5, true),
                          row(QStringLiteral("Quiet"), QStringLiteral("2001:db8::7"), 7773, 1, false)};
    FakeList list(QJsonDocument(QJsonObject{{QStringLiteral("tables"), rows}, {QStringLiteral("total"), 2}}).toJson());
    InternetTablesTab tab(list.url());
    QVERIFY(!tab.list().isOpen());
    tab.show();
    QVERIFY(tab.list().isOpen());
    QTRY_COMPARE(tab.tableView()->topLevelItemCount(), 2);
    QCOMPARE(list.requests.first(), QByteArray("GET /v1/tables?limit=200 HTTP/1.0"));
    const QTreeWidgetItem* first = tab.tableView()->topLevelItem(0);
    QCOMPARE(first->text(0), QStringLiteral("Full house"));
    QCOMPARE(first->text(1), QStringLiteral("5 of 6"));
    QCOMPARE(first->text(3), QStringLiteral("mission 2 of 3, standard"));
    QCOMPARE(tab.tableView()->topLevelItem(1)->text(3), QStringLiteral("waiting"));
    QCOMPARE(tab.statusLabel()->text(), QStringLiteral("2 public tables, fullest first."));

    QSignalSpy join(&tab, &InternetTablesTab::joinRequested);
    tab.tableView()->setCurrentItem(tab.tableView()->topLevelItem(1));
    auto* button = tab.findChild<QPushButton*>(QStringLiteral("button_join_internet"));
    QVERIFY(button && button->isEnabled());
    button->click();
    QCOMPARE(join.size(), 1);
    QCOMPARE(join.first().first().toString(), QStringLiteral("[2001:db8::7]:7773"));

    tab.hide();
    QVERIFY(!tab.list().isOpen());
}

void TestInternetTablesTab::hostDialogListsOnlyWhenAsked()
{
    HostGameDialog dialog(QStringLiteral("Ann"));
    QCOMPARE(dialog.internetBox()->text(), QStringLiteral("List this game on the internet"));
    QVERIFY(!dialog.listOnInternet());
    dialog.internetBox()->setChecked(true);
    QVERIFY(dialog.listOnInternet());
}

QTEST_MAIN(TestInternetTablesTab)
#include "test_internet_tables_tab.moc"
