#include "internet_table_source.h"

#include "client/core/internet_table_list.h"
#include "side/core/thttpget.h"

#include <QDeadlineTimer>
#include <QHostAddress>

namespace {
TableRow rowOf(const TableListing& t, qint64 nowMs)
{
    TableRow row;
    row.table.version = t.version;
    row.table.id = t.id;
    row.table.name = t.name;
    row.table.port = t.port;
    row.table.players = t.players;
    row.table.watchers = t.watchers;
    row.table.seats = t.seats;
    row.table.bots = t.bots;
    row.table.state = t.state;
    row.table.mode = t.mode;
    row.table.mission = t.mission;
    row.table.missions = t.missions;
    row.ipv6 = QHostAddress(t.address).protocol() == QAbstractSocket::IPv6Protocol;
    // An IPv6 address is written in brackets before its port.
    row.address = (row.ipv6 ? QStringLiteral("[%1]:%2") : QStringLiteral("%1:%2")).arg(t.address).arg(t.port);
    row.heardMs = nowMs;
    return row;
}
} // namespace

InternetTableSource::InternetTableSource(const QString& coordinator, QObject* parent)
    : TableSource(parent), m_list(new InternetTableList(coordinator, this)), m_http(new THTTPGet(this))
{
    m_http->Agent = QStringLiteral("gloopdash");
    m_http->AcceptTypes = QStringLiteral("application/json");
    m_http->BinaryData = true;
    m_list->setFetch([this](const QString& url) {
        m_http->URL = url;
        m_http->GetString();
    });
    connect(m_http, &THTTPGet::OnDoneData, m_list, [this](const QByteArray& body) { m_list->received(true, body); });
    connect(m_http, &THTTPGet::OnError, m_list, [this] { m_list->received(false, {}); });
    connect(m_list, &InternetTableList::tablesChanged, this, &InternetTableSource::tell);
    m_repeat.setInterval(RepeatMs);
    connect(&m_repeat, &QTimer::timeout, this, &InternetTableSource::tell);
}

InternetTableSource::~InternetTableSource() = default;

void InternetTableSource::start()
{
    m_list->open();
    m_repeat.start();
}

void InternetTableSource::stop()
{
    m_list->close();
    m_repeat.stop();
}

void InternetTableSource::tell()
{
    const qint64 now = QDeadlineTimer::current().deadline();
    for (const TableListing& t : m_list->tables())
        emit rowHeard(rowOf(t, now));
}
