#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// Who may not sit at this table: player names, addresses and address ranges
// ("10.1.0.0/16"), each for good or until a moment. A name is told apart
// without regard to case, as the table tells names apart; an address matches
// however it was written (an IPv4 address and its IPv6-mapped form are one).
class BanList {
public:
    struct Entry {
        // A name, an address in its usual text form, or a range.
        QString key;
        // Invalid: for good. Otherwise in UTC.
        QDateTime until;

        bool isAddress() const;
        bool endsBy(const QDateTime& now) const { return until.isValid() && until <= now; }
        bool operator==(const Entry&) const = default;
    };

    // The entry that keeps a login out at `now`: one naming the player, or one
    // covering the address it came from.
    std::optional<Entry> find(const QByteArray& name, const QString& address, const QDateTime& now) const;
    // Adds a ban, or replaces the one of the same key (a new term wins, so a
    // ban for good can be shortened). Addresses are stored in their usual form.
    Entry add(const QString& key, const QDateTime& until);
    // False when no entry had this key.
    bool remove(const QString& key);
    // Forgets the bans whose time is up; true when any went.
    bool dropEnded(const QDateTime& now);
    const QList<Entry>& entries() const { return m_entries; }

    // The file's form: one entry a line, the key, then for a ban that ends a
    // tab and the moment it ends (ISO 8601, UTC).
    QByteArray toText() const;
    // Reads the file's form. Blank lines and lines starting with "#" are
    // notes; a line with a bad end moment is counted in *skipped and left out.
    static BanList fromText(const QByteArray& text, int* skipped = nullptr);
    // An address or range in its usual text form; empty when `text` is neither.
    static QString addressKey(const QString& text);

private:
    qsizetype indexOf(const QString& key) const;

    QList<Entry> m_entries;
};
