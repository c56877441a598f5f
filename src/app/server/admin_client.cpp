#include "admin_client.h"

#include <QLocalSocket>

namespace {
// The answer's lines up to the empty line that ends it; false when the
// connection ends or falls silent first.
bool readAnswer(QLocalSocket& socket, QByteArray& answer)
{
    while (!answer.endsWith("\n\n")) {
        if (socket.canReadLine()) {
            answer += socket.readLine();
            continue;
        }
        if (socket.state() != QLocalSocket::ConnectedState || !socket.waitForReadyRead(AdminClient::WaitMs))
            return false;
    }
    return true;
}
} // namespace

int AdminClient::run(const QString& path, const QString& command, std::FILE* out, std::FILE* err)
{
    if (command.contains(QLatin1Char('\n')) || command.trimmed().isEmpty()) {
        std::fputs("gloopdash-server: --command takes one line of text\n", err);
        return 2;
    }
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(WaitMs)) {
        std::fprintf(err, "gloopdash-server: cannot reach %s: %s\n", qPrintable(path),
                     qPrintable(socket.errorString()));
        return 2;
    }
    socket.write(command.toUtf8() + '\n');
    QByteArray answer;
    const bool whole = readAnswer(socket, answer);
    // The empty line only ends the answer; the lines before it are the answer.
    std::fputs(answer.chopped(whole ? 1 : 0).constData(), out);
    std::fflush(out);
    if (!whole) {
        std::fputs("gloopdash-server: the table did not finish its answer\n", err);
        return 2;
    }
    return answer.startsWith("ok") ? 0 : 1;
}
