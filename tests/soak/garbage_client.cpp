#include "garbage_client.h"
#include "gd_version.h"

#include "net/protocol.h"

#include <array>

GarbageClient::GarbageClient(quint16 serverPort, quint32 seed, QObject* parent)
    : WireClient(parent), m_serverPort(serverPort), m_random(seed)
{
    keepMessages(false);
    connect(&m_timer, &QTimer::timeout, this, &GarbageClient::spray);
}

void GarbageClient::leave()
{
    m_timer.stop();
    // Half the time mid-message, as a dropped line would.
    if (isOpen() && m_random.bounded(2))
        sendRaw("CMD_chat+" + QByteArray::number(slot) + "+cut sho");
    m_random.bounded(2) ? abort() : close();
}

void GarbageClient::seen(const QByteArray& message)
{
    const QByteArray command = CommandLine::parse(message).command;
    if (command == CommandWord::full) {
        ++m_refusals;
        return close();
    }
    if (command != CommandWord::sendlogininfo)
        return;
    if (slot <= 6)
        return close();
    m_timer.start(20);
}

QByteArray GarbageClient::randomBytes()
{
    QByteArray bytes(int(m_random.bounded(1, 200)), '\0');
    for (char& c : bytes)
        c = char(m_random.bounded(256));
    return bytes;
}

QByteArray GarbageClient::spoofed()
{
    static const std::array<const char*, 9> forms{"CMD_logininfo+%1+" GD_VERSION_TEXT "+Imposter",
                                                  "CMD_kickhim+%1+%2+",
                                                  "CMD_chat+%1+boo|clRed",
                                                  "CMD_action+%1+boos|clRed",
                                                  "CMD_phrase+%1+ says: boo|clRed",
                                                  "CMD_playasound+%1+wave7+",
                                                  "CMD_selecttile+%1+%2+%3",
                                                  "CMD_selecttile+%9+%2+%3",
                                                  "CMD_justwatch+%2+1"};
    static const std::array<const char*, 8> bad{"0", "-1", "10", "99999999999", "x", "", "7", "-2147483648"};
    QByteArray m = forms[m_random.bounded(quint32(forms.size()))];
    // Another seat's slot, or no slot at all; cells far off the board.
    const QByteArray other = QByteArray::number(1 + m_random.bounded(6));
    m.replace("%1", m_random.bounded(2) ? other : QByteArray(bad[m_random.bounded(quint32(bad.size()))]));
    m.replace("%9", QByteArray::number(slot));
    m.replace("%2", bad[m_random.bounded(quint32(bad.size()))]);
    m.replace("%3", QByteArray::number(6 + m_random.bounded(100)));
    return m + MessageSplitter::Terminator;
}

void GarbageClient::spray()
{
    if (!isOpen())
        return m_timer.stop();
    const QByteArray chunk = m_random.bounded(2) ? randomBytes() : spoofed();
    m_sent += chunk.size();
    sendRaw(chunk);
}
