#include "admin_socket.h"

#include <QFileInfo>
#include <QLocalSocket>
#include <sys/stat.h>

namespace {
// A file at the path that is a socket nobody answers on: a table that ended
// without cleaning up left it.
bool staleSocket(const QString& path, QString* error)
{
    struct stat info = {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    if (!S_ISSOCK(info.st_mode)) {
        *error = QStringLiteral("%1 exists and is not a socket").arg(path);
        return false;
    }
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(500)) {
        *error = QStringLiteral("another table answers on %1").arg(path);
        return false;
    }
    return true;
}
} // namespace

AdminSocket::AdminSocket(Handler handler, QObject* parent) : QObject(parent), m_handler(std::move(handler))
{
    connect(&m_server, &QLocalServer::newConnection, this, &AdminSocket::accept);
}

AdminSocket::~AdminSocket()
{
    // Nothing a closing console reports may reach a half-destroyed table.
    for (QLocalSocket* socket : m_server.findChildren<QLocalSocket*>()) {
        socket->disconnect(this);
        socket->abort();
    }
    m_server.close();
}

bool AdminSocket::listen(const QString& path, QString* error)
{
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        if (!staleSocket(path, error))
            return false;
        QLocalServer::removeServer(path);
    }
    // The socket file is made with the mode the umask leaves: owner only from
    // the first moment, rather than a chmod after others could have connected.
    const mode_t saved = ::umask(0177);
    const bool listening = m_server.listen(path);
    ::umask(saved);
    if (!listening) {
        *error = m_server.errorString();
        return false;
    }
    return true;
}

void AdminSocket::accept()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        if (m_consoles.size() >= MaxConsoles) {
            socket->write("error too many consoles\n\n");
            socket->disconnectFromServer();
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            continue;
        }
        // Qt stops taking bytes from the kernel past this, so a console that
        // sends without end waits for us instead of filling our memory.
        socket->setReadBufferSize(4 * LineCap);
        m_consoles.insert(socket, {});
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { forget(socket); });
    }
}

void AdminSocket::read(QLocalSocket* socket)
{
    auto it = m_consoles.find(socket);
    if (it == m_consoles.end())
        return;
    qint64 budget = BytesPerTurn;
    for (int handled = 0; handled < LinesPerTurn; ++handled) {
        const Taken taken = take(socket, *it, budget);
        if (taken == Taken::Drained)
            return;
        if (taken == Taken::TurnOver)
            break;
        const QByteArray line = std::exchange(it->line, {});
        if (!line.trimmed().isEmpty())
            answer(socket, m_handler(QString::fromUtf8(line)));
        // A console that never reads its answers is cut off.
        if (socket->bytesToWrite() > UnreadCap) {
            socket->abort();
            return;
        }
    }
    // More may wait: the table's own events go first.
    QMetaObject::invokeMethod(
        this, [this, socket] { read(socket); }, Qt::QueuedConnection);
}

AdminSocket::Taken AdminSocket::take(QLocalSocket* socket, Console& console, qint64& budget)
{
    char byte = 0;
    while (budget > 0 && socket->getChar(&byte)) {
        --budget;
        if (byte == '\n') {
            if (!std::exchange(console.skipping, false))
                return Taken::Line;
            continue;
        }
        if (console.skipping)
            continue;
        if (console.line.size() >= LineCap) {
            console.line.clear();
            console.skipping = true;
            answer(socket, {QStringLiteral("error line too long")});
            continue;
        }
        if (byte != '\r')
            console.line.append(byte);
    }
    return budget > 0 ? Taken::Drained : Taken::TurnOver;
}

void AdminSocket::answer(QLocalSocket* socket, const QStringList& lines)
{
    QByteArray text;
    for (const QString& line : lines)
        text += line.toUtf8() + '\n';
    socket->write(text + '\n');
}

void AdminSocket::forget(QLocalSocket* socket)
{
    m_consoles.remove(socket);
    socket->deleteLater();
}
