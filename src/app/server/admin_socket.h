#pragma once

#include <QByteArray>
#include <QHash>
#include <QLocalServer>
#include <QObject>
#include <QStringList>
#include <functional>

class QLocalSocket;

// The operator's console (--admin PATH): a Unix socket that only its owner may
// open (mode 0600), taking one command a line and answering lines, the first
// of which starts "ok" or "error", then an empty line. It lives on the table's
// thread, so a command sees the table between two of its messages. Whatever a
// console sends (overlong lines, bytes that are no text, answers it never
// reads, many consoles at once) costs bounded memory and time.
class AdminSocket : public QObject {
    Q_OBJECT
public:
    // Longest command line; a longer one is answered "error line too long"
    // and dropped up to its end.
    static constexpr qsizetype LineCap = 1024;
    // Consoles open at once; one more is told "error too many consoles".
    static constexpr int MaxConsoles = 16;
    // Answers a console may leave unread before it is closed.
    static constexpr qint64 UnreadCap = qint64(64) * 1024;
    // Lines, and bytes, handled in one go before other events get their turn.
    static constexpr int LinesPerTurn = 32;
    static constexpr qint64 BytesPerTurn = 16 * LineCap;

    using Handler = std::function<QStringList(const QString& line)>;
    explicit AdminSocket(Handler handler, QObject* parent = nullptr);
    // Closes the consoles and removes the socket file.
    ~AdminSocket() override;

    // Listens at `path`. A socket file left there by a table that is gone is
    // replaced; a live one, or a file that is no socket, is not touched.
    bool listen(const QString& path, QString* error);
    int consoles() const { return int(m_consoles.size()); }

private:
    struct Console {
        QByteArray line;
        // Inside an overlong line: bytes are dropped until its end.
        bool skipping = false;
    };

    void accept();
    void read(QLocalSocket* socket);
    enum class Taken { Line, Drained, TurnOver };
    // Takes bytes up to a line end, while `budget` lasts.
    Taken take(QLocalSocket* socket, Console& console, qint64& budget);
    void answer(QLocalSocket* socket, const QStringList& lines);
    void forget(QLocalSocket* socket);

    Handler m_handler;
    QLocalServer m_server;
    QHash<QLocalSocket*, Console> m_consoles;
};
