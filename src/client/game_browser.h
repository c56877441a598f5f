#pragma once

#include <QList>
#include <QWidget>
#include <memory>

class LanTableFinder;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTabWidget;
class QTableView;
class TableListModel;
class TableSource;

// The games a player can join without typing an address: one tab per source
// of tables (the local network first), each a live list that asks while the
// browser shows and stops when it hides. A click chooses a table's address, a
// double-click joins it. When nothing answers, the list says what to check.
class GameBrowser : public QWidget {
    Q_OBJECT
public:
    explicit GameBrowser(QWidget* parent = nullptr);
    ~GameBrowser() override;

    // Adds a tab listing what `source` finds; the browser keeps the source.
    // `emptyHint` says what to check while the list is empty (the local
    // network's advice when not given).
    TableListModel& addSource(const QString& title, std::unique_ptr<TableSource> source, const QString& emptyHint = {});

    LanTableFinder& lan() const { return *m_lan; }
    TableListModel& lanRows() const { return *m_lanRows; }
    QTableView* lanView() const;
    QTabWidget* tabs() const { return m_tabs; }

    // Ports besides the game port the local network is asked on.
    QList<quint16> extraPorts() const;
    void setExtraPorts(const QList<quint16>& ports);

signals:
    void tableChosen(const QString& address);
    void joinRequested(const QString& address);
    void extraPortsChanged(const QList<quint16>& ports);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void startShownSources();
    struct Tab;
    QWidget* buildTab(Tab& tab, const QString& emptyHint);
    QWidget* buildPortRow();
    void addPort();

    QTabWidget* m_tabs = nullptr;
    QLineEdit* m_port = nullptr;
    std::vector<std::unique_ptr<Tab>> m_sources;
    LanTableFinder* m_lan = nullptr;
    TableListModel* m_lanRows = nullptr;
};
