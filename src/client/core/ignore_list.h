#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>

// The players this copy does not want to hear, by name: an ignored player's
// chat lines, actions, phrase bubbles and chatter sounds are not shown here,
// a muted player's chatter sounds only are silenced. Nothing of it goes on
// the wire; the others at the table see no difference. Names are told apart
// without regard to case, as the table tells them apart.
class IgnoreList {
public:
    enum class Kind { Ignore, Mute };
    // Names kept of each kind; a longer list would only bloat the settings file.
    static constexpr int MaxNames = 100;
    static QString sectionName() { return QStringLiteral("gloopdash.ignore"); }

    // Where the list is kept: a section of its own in the settings file.
    struct Store {
        std::function<std::optional<QString>(const QString& key)> read;
        std::function<bool(const QList<std::pair<QString, QString>>& values)> write;
    };
    // Reads the list from `store` and keeps every change there from now on.
    void attach(Store store);

    bool isIgnored(const QString& name) const;
    // Whether the player's chatter sounds are silenced: muted, or ignored.
    bool isMuted(const QString& name) const;
    bool has(Kind kind, const QString& name) const;
    // Adds or removes a name; false when the list is full or the store
    // refused to write (the change then holds until the program ends).
    bool set(Kind kind, const QString& name, bool on);
    QStringList names(Kind kind) const { return kind == Kind::Ignore ? m_ignored : m_muted; }

    // True the first time something of an ignored player is held back since
    // it was ignored, for the one note that says so.
    bool firstHidden(const QString& name);

    // The player a phrase bubble's text ("Ann says: hi") comes from: the
    // longest of `names` it starts with, followed by a blank; empty if none.
    static QString speaker(const QString& text, const QStringList& names);

private:
    QStringList& list(Kind kind) { return kind == Kind::Ignore ? m_ignored : m_muted; }
    bool save();

    QStringList m_ignored;
    QStringList m_muted;
    QSet<QString> m_noted;
    Store m_store;
    // Keys written last time, so a shorter list can blank the rest.
    int m_storedIgnored = 0;
    int m_storedMuted = 0;
};
