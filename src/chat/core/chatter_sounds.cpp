#include "chatter_sounds.h"

#include "chat_sink.h"
#include "colour_text.h"
#include "sound_player.h"

#include "net/protocol_to_server.h"

#include <QCoreApplication>

#include <array>

namespace {

// The wire carries only a sound's number; these names are shown in the
// sounds menu and in the chat, so they are translated.
const std::array<const char*, ChatterSounds::Count> captions = {
    QT_TRANSLATE_NOOP("ChatterSounds", "Doh"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Cough"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Hello"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Thank You"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Where have you been?"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Snoring"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Sneezing"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Sorry"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Welcome"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Yeehaa"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Yippee"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Oh No"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Applause"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Honk"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Oooh"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Razzberry"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Cheer"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Woman Laughing"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Man Laughing"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Crying"),
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
    const QString line =
        QCoreApplication::translate("ChatterSounds", "%1: <Chatter Sound> %2").arg(*player, caption(code));
    m_chat.addlinetochat({m.slot, line}, ColourText::Blue);
}

QString ChatterSounds::caption(int code)
{
    if (code < 1 || code > Count)
        return {};
    return QCoreApplication::translate("ChatterSounds", captions[code - 1]);
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
