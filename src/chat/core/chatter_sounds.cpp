#include "chatter_sounds.h"

#include "sound_player.h"

#include "net/protocol_to_server.h"

#include <array>

namespace {

const std::array<const char*, ChatterSounds::Count> captions = {
    "Doh", "Cough", "Hello", "Thank You", "Where have you been?",
    "Snoring", "Sneezing", "Sorry", "Welcome", "Yeehaa",
    "Yippee", "Oh No", "Applause", "Honk", "Oooh",
    "Razzberry", "Cheer", "Woman Laughing", "Man Laughing", "Crying",
};

// The line shown in place of a chatter sound is in blue.
const QColor chatterLineColour(0, 0, 255);

} // namespace

ChatterSounds::ChatterSounds(SoundPlayer& player, PlayerName playerName, AddLine addLine)
    : m_player(player), m_playerName(std::move(playerName)), m_addLine(std::move(addLine))
{
}

void ChatterSounds::playasound(const ToClient::PlayASound& m)
{
    const QString name = QString::fromUtf8(ToClient::soundName(m));
    if (m_hear) {
        m_player.play(name);
        return;
    }
    const int code = codeOfName(name);
    if (!Table::isSeat(m.slot) || code == 0 || !m_playerName || !m_addLine)
        return;
    const auto player = m_playerName(m.slot);
    if (!player)
        return;
    m_addLine(QString::number(m.slot) + u'+' + *player + QStringLiteral(": <Chatter Sound> ") + caption(code),
              chatterLineColour);
}

QString ChatterSounds::caption(int code)
{
    if (code < 1 || code > Count)
        return {};
    return QString::fromLatin1(captions[code - 1]);
}

int ChatterSounds::codeOfName(const QString& name)
{
    if (!name.startsWith(QLatin1String("wave"), Qt::CaseInsensitive))
        return 0;
    const QString digits = name.mid(4);
    bool ok = false;
    const int code = digits.toInt(&ok);
    if (!ok || QString::number(code) != digits || code < 1 || code > Count)
        return 0;
    return code;
}

QByteArray ChatterSounds::request(int code, int myslot, bool loggedin)
{
    if (code < 1 || code > Count || !Table::isSeat(myslot) || !loggedin)
        return {};
    return ToServer::wave(myslot, code).bytes();
}
