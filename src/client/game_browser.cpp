#include "game_browser.h"

#include "client/core/game_address.h"
#include "client/core/lan_table_finder.h"
#include "client/core/table_list_model.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

struct GameBrowser::Tab {
    std::unique_ptr<TableSource> source;
    TableListModel* rows = nullptr;
    QSortFilterProxyModel* sorted = nullptr;
    QTableView* view = nullptr;
    QLabel* hint = nullptr;
};

namespace {

QString nothingFound()
{
    return GameBrowser::tr(
        "No games have answered from this network yet. A game shows here within two seconds of being hosted. "
        "If one is missing: the host's computer must be on the same network as yours, and its firewall must let "
        "UDP and TCP on the game port (7772 unless the host chose another) in. A game on another port is found "
        "once you add that port below.");
}

} // namespace

GameBrowser::GameBrowser(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("gamebrowser"));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs_sources"));
    auto lan = std::make_unique<LanTableFinder>();
    m_lan = lan.get();
    m_lanRows = &addSource(tr("Local Network"), std::move(lan));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);
    layout->addWidget(buildPortRow());
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
        if (isVisible())
            startShownSources();
    });
    // Room for a handful of rows with every column readable.
    setMinimumSize(560, 220);
}

GameBrowser::~GameBrowser() = default;

TableListModel& GameBrowser::addSource(const QString& title, std::unique_ptr<TableSource> source,
                                       const QString& emptyHint)
{
    auto tab = std::make_unique<Tab>();
    tab->source = std::move(source);
    tab->rows = new TableListModel(this);
    tab->rows->watch(*tab->source);
    m_tabs->addTab(buildTab(*tab, emptyHint.isEmpty() ? nothingFound() : emptyHint), title);
    m_sources.push_back(std::move(tab));
    if (isVisible())
        startShownSources();
    return *m_sources.back()->rows;
}

QWidget* GameBrowser::buildTab(Tab& tab, const QString& emptyHint)
{
    auto* page = new QWidget(m_tabs);
    tab.sorted = new QSortFilterProxyModel(page);
    tab.sorted->setSourceModel(tab.rows);
    tab.sorted->setSortRole(TableListModel::SortKeyRole);
    tab.sorted->setDynamicSortFilter(true);
    tab.sorted->sort(0);
    tab.view = new QTableView(page);
    tab.view->setObjectName(QStringLiteral("table_games"));
    tab.view->setModel(tab.sorted);
    tab.view->setSelectionBehavior(QAbstractItemView::SelectRows);
    tab.view->setSelectionMode(QAbstractItemView::SingleSelection);
    tab.view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tab.view->verticalHeader()->hide();
    tab.view->horizontalHeader()->setSectionResizeMode(TableListModel::Name, QHeaderView::Stretch);
    tab.hint = new QLabel(emptyHint, page);
    tab.hint->setObjectName(QStringLiteral("label_nogames"));
    tab.hint->setWordWrap(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(tab.view);
    layout->addWidget(tab.hint);

    TableListModel* rows = tab.rows;
    QSortFilterProxyModel* sorted = tab.sorted;
    QLabel* hint = tab.hint;
    const auto addressAt = [rows, sorted](const QModelIndex& index) {
        return rows->row(sorted->mapToSource(index).row()).address;
    };
    connect(tab.view, &QAbstractItemView::clicked, this,
            [this, addressAt](const QModelIndex& index) { emit tableChosen(addressAt(index)); });
    connect(tab.view, &QAbstractItemView::doubleClicked, this,
            [this, addressAt](const QModelIndex& index) { emit joinRequested(addressAt(index)); });
    const auto showHint = [rows, hint] { hint->setVisible(rows->rowCount() == 0); };
    connect(rows, &QAbstractItemModel::rowsInserted, hint, showHint);
    connect(rows, &QAbstractItemModel::rowsRemoved, hint, showHint);
    connect(rows, &QAbstractItemModel::modelReset, hint, showHint);
    return page;
}

QWidget* GameBrowser::buildPortRow()
{
    auto* row = new QWidget(this);
    m_port = new QLineEdit(row);
    m_port->setObjectName(QStringLiteral("edit_port"));
    m_port->setPlaceholderText(tr("port"));
    m_port->setMaxLength(5);
    auto* add = new QPushButton(tr("Look on Port"), row);
    add->setObjectName(QStringLiteral("button_addport"));
    connect(add, &QPushButton::clicked, this, &GameBrowser::addPort);
    connect(m_port, &QLineEdit::returnPressed, this, &GameBrowser::addPort);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Also look for games on port:"), row));
    layout->addWidget(m_port);
    layout->addWidget(add);
    layout->addStretch();
    return row;
}

QTableView* GameBrowser::lanView() const
{
    return m_sources.front()->view;
}

QList<quint16> GameBrowser::extraPorts() const
{
    return m_lan->ports().mid(1);
}

void GameBrowser::setExtraPorts(const QList<quint16>& ports)
{
    m_lan->setExtraPorts(ports);
}

void GameBrowser::addPort()
{
    const auto port = parsePort(m_port->text());
    if (!port || m_lan->ports().contains(*port) || extraPorts().size() >= LanTableFinder::MaxExtraPorts)
        return;
    m_lan->setExtraPorts(extraPorts() << *port);
    m_port->clear();
    // Asks at once rather than at the next round.
    if (m_lan->running())
        m_lan->start();
    emit extraPortsChanged(extraPorts());
}

void GameBrowser::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    startShownSources();
}

void GameBrowser::startShownSources()
{
    // The local network is always asked; any other list only while its tab
    // is in front, so a far list that is slow to answer costs nothing here.
    const int current = m_tabs->currentIndex();
    for (int i = 0; i < int(m_sources.size()); ++i) {
        if (i == 0 || i == current)
            m_sources[size_t(i)]->source->start();
        else
            m_sources[size_t(i)]->source->stop();
    }
}

void GameBrowser::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    for (const auto& tab : m_sources)
        tab->source->stop();
}
