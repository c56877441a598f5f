#pragma once

#include "game_settings.h"

#include <QFlags>
#include <QString>

#include <functional>

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

    // "Unable to write to <path>" after a refused write (a read-only folder, a
    // full disk), else empty. A refused write leaves the file as it was.
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
