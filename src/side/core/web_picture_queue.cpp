#include "side/core/web_picture_queue.h"

WebPictureQueue::WebPictureQueue(QObject* parent) : QObject(parent)
{
    m_getter.BinaryData = true;
    m_getter.AcceptTypes = QStringLiteral("image/*");
    connect(&m_getter, &THTTPGet::OnDoneData, this, &WebPictureQueue::arrived);
    connect(&m_getter, &THTTPGet::OnError, this, &WebPictureQueue::failed);
}

void WebPictureQueue::fetch(const QUrl& url)
{
    if (url.scheme() != QLatin1String("http") || m_waiting.size() >= MaxWaiting)
        return;
    m_waiting.append(url);
    if (!m_getter.busy())
        next();
}

void WebPictureQueue::next()
{
    while (!m_waiting.isEmpty()) {
        m_current = m_waiting.takeFirst();
        m_getter.URL = m_current.toString(QUrl::FullyEncoded);
        if (m_getter.GetString())
            return;
    }
}

void WebPictureQueue::arrived(const QByteArray& bytes)
{
    emit pictureArrived(m_current, bytes);
    next();
}

void WebPictureQueue::failed()
{
    next();
}
