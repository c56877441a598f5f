#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;
class QWidget;

// One running copy per desktop. The first copy holds the lock "kerrim" in the
// user's runtime folder and listens beside it; a later copy finds the lock
// taken, asks the first copy to bring its main window to the front, and ends.
// A lock left by a copy that died is taken over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& name = QStringLiteral("kerrim"), QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when no other copy runs (this copy is now the first); false when
    // another copy runs and has been asked to come to the front. A lock that
    // cannot be written at all (a full or read-only runtime folder) is no sign
    // of another copy: then this copy runs without the guard, true, and
    // problem() says why.
    bool check();
    // Why this copy runs without the guard, in the language installed when
    // asked; empty when it has the guard.
    QString problem() const;
    // The window a later copy's request brings to the front.
    void setWindow(QWidget* window) { m_window = window; }

    // Marks to other programs that the game runs ("gloopdash"); held until the
    // returned lock is destroyed. Nothing in the program tests it.
    static std::unique_ptr<QLockFile> holdMarker(const QString& name = QStringLiteral("gloopdash"));
    // The user's runtime folder, where the lock and the socket live.
    static QString runtimeFolder();

signals:
    // A later copy asked for the window (emitted after the window was raised).
    void raiseRequested();

private:
    void listen();
    void serveRequest();
    void raiseWindow();
    bool askFirstCopy() const;

    QString m_name;
    // The runtime folder the lock could not be written in; empty when guarded.
    QString m_unguardedFolder;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    QPointer<QWidget> m_window;
};
