#include "single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>

namespace {

const QByteArray RaiseRequest = QByteArrayLiteral("raise\n");
// The first copy takes the lock before it listens; a copy started in that
// moment keeps trying this long.
constexpr int ConnectPatienceMs = 3000;

} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent) : QObject(parent), m_name(name)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::runtimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    return folder;
}

std::unique_ptr<QLockFile> SingleInstance::holdMarker(const QString& name)
{
    auto marker = std::make_unique<QLockFile>(runtimeFolder() + u'/' + name + QStringLiteral(".lock"));
    marker->setStaleLockTime(0);
    marker->tryLock(0);
    return marker;
}

QString SingleInstance::problem() const
{
    if (m_unguardedFolder.isEmpty())
        return {};
    return tr("Cannot write the lock file in %1 (the folder is full or read-only): Gloop Dash "
              "runs without its check for another running copy.")
        .arg(m_unguardedFolder);
}

bool SingleInstance::check()
{
    m_lock = std::make_unique<QLockFile>(runtimeFolder() + u'/' + m_name + QStringLiteral(".lock"));
    // Age alone never makes a running copy's lock stale; a dead owner's does.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        listen();
        return true;
    }
    // Only a lock held by a live copy means another copy runs; any other
    // failure is the folder's, and ending silently would leave the player
    // with no game and no word why.
    if (m_lock->error() != QLockFile::LockFailedError) {
        m_unguardedFolder = QDir::toNativeSeparators(runtimeFolder());
        m_lock.reset();
        return true;
    }
    m_lock.reset();
    askFirstCopy();
    return false;
}

void SingleInstance::listen()
{
    const QString path = runtimeFolder() + u'/' + m_name + QStringLiteral(".sock");
    // A socket file left by a copy that died would refuse our listen.
    QLocalServer::removeServer(path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path))
        return;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::serveRequest);
}

void SingleInstance::serveRequest()
{
    while (QLocalSocket* peer = m_server->nextPendingConnection()) {
        // The asking copy may hang up right after writing; its line is read
        // on whichever signal comes first.
        const auto answer = [this, peer] {
            if (peer->property("served").toBool() || !peer->canReadLine())
                return;
            peer->setProperty("served", true);
            if (peer->readLine(64) == RaiseRequest)
                raiseWindow();
        };
        connect(peer, &QLocalSocket::readyRead, this, answer);
        connect(peer, &QLocalSocket::disconnected, this, [peer, answer] {
            answer();
            peer->deleteLater();
        });
    }
}

void SingleInstance::raiseWindow()
{
    if (m_window) {
        if (m_window->isMinimized()) {
            m_window->showNormal();
        } else {
            m_window->raise();
            m_window->activateWindow();
        }
    }
    emit raiseRequested();
}

bool SingleInstance::askFirstCopy() const
{
    const QString path = runtimeFolder() + u'/' + m_name + QStringLiteral(".sock");
    const QDeadlineTimer deadline(ConnectPatienceMs);
    QLocalSocket socket;
    while (true) {
        socket.connectToServer(path);
        if (socket.waitForConnected(int(qMax<qint64>(1, deadline.remainingTime()))))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    socket.write(RaiseRequest);
    return socket.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime())));
}
