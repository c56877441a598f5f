#pragma once

#include <QWidget>

class InternetTableList;
class QLabel;
class QPushButton;
class QTreeWidget;
class THTTPGet;

// The game browser's list of public tables on the internet: name, players of
// six, watchers, the game's state and the address, fullest first, refreshed
// every 10 s while the tab shows. A double-click or Join asks to join the
// table, as a table found on the local network is joined.
class InternetTablesTab : public QWidget {
    Q_OBJECT
public:
    // `coordinator`: the list's address (InternetTableList::defaultCoordinator()).
    explicit InternetTablesTab(const QString& coordinator, QWidget* parent = nullptr);
    ~InternetTablesTab() override;

    InternetTableList& list() const { return *m_list; }
    QTreeWidget* tableView() const { return m_view; }
    QLabel* statusLabel() const { return m_status; }

signals:
    // "host:port" of the table picked.
    void joinRequested(const QString& address);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fill();
    void joinSelected();

    InternetTableList* m_list = nullptr;
    THTTPGet* m_http = nullptr;
    QTreeWidget* m_view = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_join = nullptr;
};
