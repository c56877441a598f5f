#include "hosted_listing.h"
#include "server_options.h"
#include "table_summary.h"

#include "server/server.h"

#include <QEventLoop>
#include <QTimer>

HostedListing::HostedListing(Server& server, const QUrl& coordinator, const QString& name)
    : m_server(server), m_registrar(
                            coordinator,
                            [this, tableName = ServerOptions::cleanName(name)] {
                                return TableSummary::of(m_server.game(), tableName, m_server.port());
                            },
                            [](const QString& text) { qInfo("%s", qUtf8Printable(text)); })
{
    m_server.setObserver(this);
    m_registrar.start();
}

HostedListing::~HostedListing()
{
    m_server.setObserver(nullptr);
    QEventLoop wait;
    connect(&m_registrar, &TableRegistrar::withdrawn, &wait, &QEventLoop::quit);
    QTimer::singleShot(WithdrawWaitMs, &wait, &QEventLoop::quit);
    m_registrar.withdraw();
    wait.exec();
}
