#pragma once

#include "net/table_listing.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <functional>

// The public tables on the internet table list, for the game browser: asks
// the list for the fullest tables while the browser shows them, again every
// 10 s, and keeps the last answer. Rows carry the same fields as a table's
// answer on the local network, plus the address to join. The request itself
// goes through `Fetch` (the game's HTTP worker), which answers through
// received() on this object's thread.
class InternetTableList : public QObject {
    Q_OBJECT
public:
    static constexpr int RefreshMs = 10000;
    // The most rows asked for and kept.
    static constexpr int MaxRows = 200;
    using Fetch = std::function<void(const QString& url)>;

    explicit InternetTableList(const QString& coordinator, QObject* parent = nullptr);

    // The list's address: GLOOPDASH_COORDINATOR when set, else the build's.
    static QString defaultCoordinator();
    QString requestUrl() const;

    void setFetch(Fetch fetch) { m_fetch = std::move(fetch); }
    // Asks now and every RefreshMs until close().
    void open();
    void close();
    bool isOpen() const { return m_timer.isActive(); }

    // The answer to the last request: the body, or ok false when it failed.
    void received(bool ok, const QByteArray& body);

    const QList<TableListing>& tables() const { return m_tables; }
    // Tables the list holds, beyond those shown.
    qint64 total() const { return m_total; }

signals:
    void tablesChanged();
    void failed();

private:
    void ask();

    QString m_coordinator;
    Fetch m_fetch;
    QTimer m_timer;
    QList<TableListing> m_tables;
    qint64 m_total = 0;
};
