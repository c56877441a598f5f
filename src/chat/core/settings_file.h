#pragma once

#include "game_settings.h"

#include <QFlags>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

class IniText;

// The settings file "rezeruvar.ini", section "gloopdash", in the player's
// settings folder (PlayerFolders).
//
// Loading reads every key with its default. Saving writes the preferences
// (all but the phrases) in a fixed order; until the file has been loaded in
// this run it writes only the keys the user changed in this run, so that a
// toggle before the connection is confirmed does not overwrite the stored
// preferences with the window's built-in state. Every write reads the whole
// file, edits the keys and replaces the file in one rename, leaving other
// sections and lines untouched.
class SettingsFile {
public:
    enum class Key {
        TextSize = 0x01,
        TextColor = 0x02,
        PlaySounds = 0x04,
        HighScore = 0x08,
        WinnersPath = 0x10,
        Tiles = 0x20,
        Bounds = 0x40, // Top, Left, Width and Height together
        ChatterSounds = 0x80,
        // Written only once the player has changed it in this run, so files
        // that never did keep their look; outside AllKeys for that reason.
        ListOnNetwork = 0x100,
    };
    Q_DECLARE_FLAGS(Keys, Key)
    static constexpr Keys AllKeys = Keys(0xFF);

    static QString fileName() { return QStringLiteral("rezeruvar.ini"); }
    static QString sectionName() { return QStringLiteral("gloopdash"); }

    // folder holds the file; by default the player's settings folder, which
    // the first save creates.
    explicit SettingsFile(const QString& folder = {});

    QString path() const { return m_path; }

    // Reads every key; a missing file or key gives its default. Never creates
    // the file. From now on saves write every key.
    GameSettings load();
    bool hasLoaded() const { return m_loaded; }

    // Writes the preferences of current. changed names what the user just
    // changed (Bounds only when the window was moved or resized); before the
    // first load only the keys changed so far in this run are written.
    bool save(const GameSettings& current, Keys changed);

    // The phrase editor's store: Phrase1 ... Phrase9, empty ones included.
    bool savePhrases(const std::array<QString, GameSettings::PhraseCount>& phrases);

    // A section of the same file other than the game's own, for what the
    // game's section does not hold (such as the addresses last joined). These
    // never touch the "gloopdash" section.
    std::optional<QString> otherValue(const QString& section, const QString& key) const;
    bool setOtherValues(const QString& section, const QList<std::pair<QString, QString>>& values);

    // "Unable to write to <path>" after a refused write, else empty. A refused
    // write leaves the file as it was.
    QString errorText() const { return m_error; }

private:
    bool edit(const std::function<void(IniText&)>& change);

    QString m_path;
    bool m_makeFolder = false;
    bool m_loaded = false;
    Keys m_changed;
    QString m_error;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(SettingsFile::Keys)
