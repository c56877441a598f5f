#include "settings_file.h"

#include "base/player_folders.h"
#include "base/whole_file.h"
#include "chat_log.h"
#include "ini_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Font sizes beyond this are not a chat text size but a damaged file; they
// would make the chat view lay out pages per letter.
constexpr int MaxTextSize = 400;

int readInt(const IniText& ini, const QString& key, int fallback)
{
    const auto text = ini.value(SettingsFile::sectionName(), key);
    const auto v = text ? GameSettings::readInteger(*text) : std::nullopt;
    return v.value_or(fallback);
}

QString readText(const IniText& ini, const QString& key, const QString& fallback)
{
    return ini.value(SettingsFile::sectionName(), key).value_or(fallback);
}

bool readOnOff(const IniText& ini, const QString& key)
{
    return GameSettings::readOnOff(ini.value(SettingsFile::sectionName(), key));
}

QString phraseKey(int index)
{
    return QStringLiteral("Phrase%1").arg(index + 1);
}

void writeKeys(IniText& ini, const GameSettings& s, SettingsFile::Keys keys)
{
    using K = SettingsFile::Key;
    const QString sec = SettingsFile::sectionName();
    auto put = [&](K k, const QString& name, const QString& value) {
        if (keys.testFlag(k))
            ini.setValue(sec, name, value);
    };
    put(K::TextSize, QStringLiteral("Textsize"), QString::number(s.textSize));
    put(K::TextColor, QStringLiteral("Textcolor"), s.textColor);
    put(K::PlaySounds, QStringLiteral("Playsounds"), GameSettings::writeOnOff(s.playSounds));
    put(K::HighScore, QStringLiteral("Highscore"), GameSettings::writeOnOff(s.highScore));
    put(K::WinnersPath, QStringLiteral("Winnerspath"), GameSettings::writeOnOff(s.winnersPath));
    put(K::Tiles, QStringLiteral("Tiles"), s.tiles);
    put(K::Bounds, QStringLiteral("Top"), QString::number(s.top));
    put(K::Bounds, QStringLiteral("Left"), QString::number(s.left));
    put(K::Bounds, QStringLiteral("Width"), QString::number(s.width));
    put(K::Bounds, QStringLiteral("Height"), QString::number(s.height));
    put(K::ChatterSounds, QStringLiteral("ChatterSounds"), GameSettings::writeOnOff(s.chatterSounds));
    put(K::ListOnNetwork, QStringLiteral("ListOnNetwork"), GameSettings::writeOnOff(s.listOnNetwork));
}

} // namespace

SettingsFile::SettingsFile(const QString& folder)
    : m_path(QDir(folder.isEmpty() ? PlayerFolders::forThisProgram().settingsFolder() : folder).filePath(fileName())),
      m_makeFolder(folder.isEmpty())
{
}

GameSettings SettingsFile::load()
{
    m_loaded = true;
    QFile file(m_path);
    const IniText ini(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    GameSettings s;
    const int size = readInt(ini, QStringLiteral("Textsize"), s.textSize);
    if (size > 0 && size <= MaxTextSize)
        s.textSize = size;
    s.textColor = readText(ini, QStringLiteral("Textcolor"), s.textColor);
    for (int k = 0; k < GameSettings::PhraseCount; ++k)
        s.phrases[k] = readText(ini, phraseKey(k), QString());
    s.playSounds = readOnOff(ini, QStringLiteral("Playsounds"));
    s.highScore = readOnOff(ini, QStringLiteral("Highscore"));
    s.winnersPath = readOnOff(ini, QStringLiteral("Winnerspath"));
    s.top = readInt(ini, QStringLiteral("Top"), s.top);
    s.left = readInt(ini, QStringLiteral("Left"), s.left);
    s.width = readInt(ini, QStringLiteral("Width"), s.width);
    s.height = readInt(ini, QStringLiteral("Height"), s.height);
    s.chatterSounds = readOnOff(ini, QStringLiteral("ChatterSounds"));
    s.tiles = readText(ini, QStringLiteral("Tiles"), QString());
    s.listOnNetwork = readOnOff(ini, QStringLiteral("ListOnNetwork"));
    return s;
}

bool SettingsFile::save(const GameSettings& current, Keys changed)
{
    m_changed |= changed;
    const Keys keys = (m_loaded ? AllKeys : m_changed) | (m_changed & Key::ListOnNetwork);
    if (!keys)
        return true;
    return edit([&](IniText& ini) { writeKeys(ini, current, keys); });
}

bool SettingsFile::savePhrases(const std::array<QString, GameSettings::PhraseCount>& phrases)
{
    return edit([&](IniText& ini) {
        for (int k = 0; k < GameSettings::PhraseCount; ++k)
            ini.setValue(sectionName(), phraseKey(k), phrases[k]);
    });
}

std::optional<QString> SettingsFile::otherValue(const QString& section, const QString& key) const
{
    if (section.compare(sectionName(), Qt::CaseInsensitive) == 0)
        return std::nullopt;
    QFile file(m_path);
    const IniText ini(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    return ini.value(section, key);
}

bool SettingsFile::setOtherValues(const QString& section, const QList<std::pair<QString, QString>>& values)
{
    if (section.compare(sectionName(), Qt::CaseInsensitive) == 0)
        return false;
    return edit([&](IniText& ini) {
        for (const auto& [key, value] : values)
            ini.setValue(section, key, value);
    });
}

bool SettingsFile::edit(const std::function<void(IniText&)>& change)
{
    m_error.clear();
    QByteArray old;
    QFile current(m_path);
    if (current.exists()) {
        // Rewriting a file we could not read would drop its other sections.
        if (!current.open(QIODevice::ReadOnly)) {
            m_error = QCoreApplication::translate("SettingsFile", "Unable to write to %1").arg(m_path);
            qCWarning(lcChat) << "could not read the settings file before writing it" << m_path;
            return false;
        }
        old = current.readAll();
        current.close();
    }
    IniText ini(old);
    change(ini);
    // The player's settings folder of an installed copy may not exist before
    // the first save; a folder the caller named must exist already.
    if (m_makeFolder)
        QDir().mkpath(QFileInfo(m_path).absolutePath());
    if (!WholeFile::write(m_path, ini.content())) {
        m_error = QCoreApplication::translate("SettingsFile", "Unable to write to %1").arg(m_path);
        qCWarning(lcChat) << "could not write the settings file" << m_path;
        return false;
    }
    return true;
}
