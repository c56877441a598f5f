#pragma once

#include "side/core/thttpget.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QUrl>

// Fetches the pictures a web page needs, one after another over plain HTTP, so
// a page with many pictures never opens many connections at once.
class WebPictureQueue : public QObject {
    Q_OBJECT
public:
    explicit WebPictureQueue(QObject* parent = nullptr);

    // Queues an http address; others, and any past MaxWaiting, are ignored.
    void fetch(const QUrl& url);
    qsizetype waiting() const { return m_waiting.size(); }

    static constexpr qsizetype MaxWaiting = 64;

signals:
    void pictureArrived(const QUrl& url, const QByteArray& bytes);

private:
    void next();
    void arrived(const QByteArray& bytes);
    void failed();

    THTTPGet m_getter;
    QList<QUrl> m_waiting;
    QUrl m_current;
};
