#include "memory_sock.h"

MemorySock::MemorySock(const QString& peerHost, QObject* parent) : TSock(parent)
{
    setConnected(peerHost);
}

void MemorySock::peerSends(const QByteArray& bytes)
{
    if (m_open)
        arrived(bytes);
}

void MemorySock::peerCloses()
{
    peerHungUp();
}
