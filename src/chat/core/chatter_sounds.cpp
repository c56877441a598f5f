#include "chatter_sounds.h"

#include "chat_sink.h"
#include "colour_text.h"
#include "sound_player.h"

#include "net/protocol_to_server.h"

#include <array>

namespace {

const std::array<const char*, ChatterSounds::Count> captions = {
    "Doh",       "Cough",    "Hello",          "Thank You",    "Where have you been?",
    "Snoring",   "Sneezing", "Sorry",          "Welcome",      "Yeehaa",
    "Yippee",    "Oh No",    "Applause",       "Honk",         "Oooh",
    "Razzberry", "Cheer",    "Woman Laughing", "Man Laughing", "Crying",
};

} // namespace

ChatterSounds::ChatterSounds(SoundPlayer& player, const Seats& seats, ChatSink& chat)
    : m_player(player), m_seats(seats), m_chat(chat)
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
    if (!Table::isSeat(m.slot) || code == 0)
        return;
    const auto player = m_seats.playerName(m.slot);
    if (!player)
        return;
    // The line shown in place of a chatter sound is in blue.
    m_chat.addlinetochat({m.slot, *player + QStringLiteral(": <Chatter Sound> ") + caption(code)}, ColourText::Blue);
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
