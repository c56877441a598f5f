#pragma once

#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>
#include <memory>
#include <vector>

// Asks a table's game port with discovery queries the size the game's browser
// sends, one every interval, turn by turn from several loopback source
// addresses (each stays under a table's rate limit per source), and times each
// answer from the write to the read. Against a bare UDP echo the same queries
// come back unchanged: the reference.
class DiscoveryAsker : public QObject {
    Q_OBJECT
public:
    struct Options {
        quint16 port = 0;
        int count = 1000;
        int intervalMs = 10;
        int sources = 20;
        // Answers still awaited this long after the last query are lost.
        int graceMs = 1000;
    };
    explicit DiscoveryAsker(const Options& options, QObject* parent = nullptr);

    void start();
    // Round trips of the queries answered, in microseconds.
    const QList<double>& roundTrips() const { return m_roundTrips; }
    qint64 bytesSent() const { return m_bytesSent; }
    qint64 bytesReceived() const { return m_bytesReceived; }
    qsizetype longestReply() const { return m_longestReply; }
    // From the first query to the last, in milliseconds.
    double spanMs() const { return double(m_lastNs - m_firstNs) / 1e6; }

signals:
    void finished();

private:
    void ask();
    void read(QUdpSocket& socket);

    Options m_options;
    std::vector<std::unique_ptr<QUdpSocket>> m_sockets;
    QTimer m_pace;
    int m_asked = 0;
    QHash<QByteArray, qint64> m_sentNs;
    QList<double> m_roundTrips;
    qint64 m_bytesSent = 0;
    qint64 m_bytesReceived = 0;
    qsizetype m_longestReply = 0;
    qint64 m_firstNs = 0;
    qint64 m_lastNs = 0;
};
