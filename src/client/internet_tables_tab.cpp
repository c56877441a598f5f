#include "internet_tables_tab.h"

#include "client/core/internet_table_list.h"
#include "side/core/thttpget.h"

#include <QHeaderView>
#include <QHostAddress>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { Name, Players, Watchers, Game, Address, Columns };

QString gameText(const TableListing& t)
{
    if (t.state != QLatin1String("playing"))
        return QStringLiteral("waiting");
    return QStringLiteral("mission %1 of %2, %3").arg(t.mission).arg(t.missions).arg(t.mode);
}

// An IPv6 address is written in brackets before its port.
QString joinAddress(const TableListing& t)
{
    const bool v6 = QHostAddress(t.address).protocol() == QAbstractSocket::IPv6Protocol;
    return (v6 ? QStringLiteral("[%1]:%2") : QStringLiteral("%1:%2")).arg(t.address).arg(t.port);
}

} // namespace

InternetTablesTab::InternetTablesTab(const QString& coordinator, QWidget* parent)
    : QWidget(parent), m_list(new InternetTableList(coordinator, this)), m_http(new THTTPGet(this))
{
    setObjectName(QStringLiteral("tab_internet"));
    m_http->Agent = QStringLiteral("gloopdash");
    m_http->AcceptTypes = QStringLiteral("application/json");
    m_http->BinaryData = true;
    m_list->setFetch([this](const QString& url) {
        m_http->URL = url;
        m_http->GetString();
    });
    connect(m_http, &THTTPGet::OnDoneData, m_list, [this](const QByteArray& body) { m_list->received(true, body); });
    connect(m_http, &THTTPGet::OnError, m_list, [this] { m_list->received(false, {}); });
    connect(m_list, &InternetTableList::tablesChanged, this, &InternetTablesTab::fill);
    connect(m_list, &InternetTableList::failed, this,
            [this] { m_status->setText(QStringLiteral("The internet table list does not answer just now.")); });

    m_view = new QTreeWidget(this);
    m_view->setObjectName(QStringLiteral("list_internet"));
    m_view->setRootIsDecorated(false);
    m_view->setColumnCount(Columns);
    m_view->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Players"), QStringLiteral("Watchers"),
                             QStringLiteral("Game"), QStringLiteral("Address")});
    m_view->header()->setSectionResizeMode(Name, QHeaderView::Stretch);
    connect(m_view, &QTreeWidget::itemDoubleClicked, this, &InternetTablesTab::joinSelected);
    m_status = new QLabel(QStringLiteral("Asking the internet table list…"), this);
    m_status->setObjectName(QStringLiteral("label_internet"));
    m_join = new QPushButton(QStringLiteral("Join"), this);
    m_join->setObjectName(QStringLiteral("button_join_internet"));
    m_join->setEnabled(false);
    connect(m_join, &QPushButton::clicked, this, &InternetTablesTab::joinSelected);
    connect(m_view, &QTreeWidget::itemSelectionChanged, this,
            [this] { m_join->setEnabled(!m_view->selectedItems().isEmpty()); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
    layout->addWidget(m_status);
    layout->addWidget(m_join, 0, Qt::AlignRight);
}

InternetTablesTab::~InternetTablesTab() = default;

void InternetTablesTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_list->open();
}

void InternetTablesTab::hideEvent(QHideEvent* event)
{
    m_list->close();
    QWidget::hideEvent(event);
}

void InternetTablesTab::fill()
{
    const QString selected =
        m_view->currentItem() ? m_view->currentItem()->data(Address, Qt::UserRole).toString() : QString();
    m_view->clear();
    for (const TableListing& t : m_list->tables()) {
        auto* item = new QTreeWidgetItem(m_view);
        item->setText(Name, t.name);
        item->setText(Players, QStringLiteral("%1 of %2").arg(t.players).arg(t.seats));
        item->setText(Watchers, QString::number(t.watchers));
        item->setText(Game, gameText(t));
        item->setText(Address, joinAddress(t));
        item->setData(Address, Qt::UserRole, t.id);
        if (t.id == selected)
            m_view->setCurrentItem(item);
    }
    m_status->setText(m_list->tables().isEmpty()
                          ? QStringLiteral("No public tables just now.")
                          : QStringLiteral("%1 public tables, fullest first.").arg(m_list->total()));
}

void InternetTablesTab::joinSelected()
{
    if (const QTreeWidgetItem* item = m_view->currentItem())
        emit joinRequested(item->text(Address));
}
