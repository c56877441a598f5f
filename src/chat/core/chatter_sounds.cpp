#include "chatter_sounds.h"

#include "sound_player.h"

#include "net/message.h"

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

void ChatterSounds::playasound(const QByteArray& data)
{
    const QString text = QString::fromUtf8(data);
    const QString slotText = text.section(u'+', 0, 0);
    const QString name = text.section(u'+', 1, 1);
    if (m_hear) {
        m_player.play(name);
        return;
    }
    // The slot names a label only in its plain decimal form (1 ... 6).
    bool ok = false;
    const int slot = slotText.toInt(&ok);
    const int code = codeOfName(name);
    if (!ok || QString::number(slot) != slotText || slot < 1 || slot > MaxPlayerSlot || code == 0
        || !m_playerName || !m_addLine)
        return;
    const auto player = m_playerName(slot);
    if (!player)
        return;
    m_addLine(slotText + u'+' + *player + QStringLiteral(": <Chatter Sound> ") + caption(code),
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
    if (code < 1 || code > Count || myslot < 1 || myslot > MaxPlayerSlot || !loggedin)
        return {};
    return Message("CMD_playasound").field(myslot).field("wave" + QByteArray::number(code)).field("").bytes();
}
