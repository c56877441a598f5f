#pragma once

#include "net/table_listing.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <QUrl>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

// Keeps one table on the internet table list: registers it, refreshes it
// every 15 s and soon after its players or state change, and takes it off
// the list when the table stops. Requests go out asynchronously on this
// object's thread, so a slow or absent list never holds up play; a failure
// is logged and retried later, each time after a longer pause.
class TableRegistrar : public QObject {
    Q_OBJECT
public:
    static constexpr int RefreshMs = 15000;
    // A change is sent within this long; changes in between go together.
    static constexpr int ChangeDelayMs = 1000;
    static constexpr int FirstRetryMs = 2000;
    static constexpr int LongestRetryMs = 60000;
    static constexpr int RequestTimeoutMs = 5000;

    // `coordinator`: the list's address (its /v1/tables is used); `listing`
    // tells the table as it is now; `log` takes one line per event.
    TableRegistrar(const QUrl& coordinator, std::function<TableListing()> listing,
                   std::function<void(const QString&)> log, QObject* parent = nullptr);
    ~TableRegistrar() override;

    void start();
    // Players or the game's state changed.
    void changed();
    // Takes the table off the list; `withdrawn` follows once the list
    // answered, failed, or did not answer within RequestTimeoutMs.
    void withdraw();
    bool listed() const { return m_listed; }
    // The list's endpoint for a coordinator address.
    static QUrl endpoint(const QUrl& coordinator);

signals:
    void withdrawn();
    // After every answer to a registration or refresh (tests, the log).
    void answered(bool ok);

private:
    void send();
    void finished(QNetworkReply* reply);
    void retryLater(const QString& why);

    QUrl m_url;
    std::function<TableListing()> m_listing;
    std::function<void(const QString&)> m_log;
    QNetworkAccessManager* m_network = nullptr;
    QByteArray m_secret;
    QTimer m_next;
    QNetworkReply* m_pending = nullptr;
    bool m_changedMeanwhile = false;
    bool m_listed = false;
    bool m_stopping = false;
    int m_retryMs = FirstRetryMs;
};
