#include "table_probe.h"

namespace {
constexpr QByteArrayView FirstWord("CMD_");
} // namespace

TableProbe::TableProbe(QObject* parent) : QObject(parent)
{
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        finish();
        emit failed(ClientSession::JoinFailure::TimedOut);
    });
    connect(&m_socket, &QTcpSocket::readyRead, this, &TableProbe::read);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &TableProbe::error);
}

void TableProbe::probe(const QString& host, quint16 port, int timeoutMs)
{
    finish();
    m_busy = true;
    m_first.clear();
    m_timeout.start(timeoutMs);
    m_socket.connectToHost(host, port);
}

void TableProbe::read()
{
    if (!m_busy)
        return;
    m_first += m_socket.read(FirstWord.size() - m_first.size());
    if (!FirstWord.startsWith(m_first)) {
        finish();
        emit failed(ClientSession::JoinFailure::NotAGameServer);
    } else if (m_first.size() == FirstWord.size()) {
        finish();
        emit answered();
    }
}

void TableProbe::error(QAbstractSocket::SocketError error)
{
    if (!m_busy)
        return;
    using F = ClientSession::JoinFailure;
    finish();
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError: emit failed(F::Refused); break;
    case QAbstractSocket::HostNotFoundError: emit failed(F::NotFound); break;
    // Hung up before a word: whatever listens there is no game.
    case QAbstractSocket::RemoteHostClosedError: emit failed(F::NotAGameServer); break;
    default: emit failed(F::Unreachable); break;
    }
}

void TableProbe::finish()
{
    m_busy = false;
    m_timeout.stop();
    m_socket.abort();
}
