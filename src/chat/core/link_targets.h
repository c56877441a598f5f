#pragma once

#include <QStringList>
#include <QUrl>
#include <optional>

// The targets of the links shown in the chat, numbered from 0 in the order they
// were shown for the whole run (clearing the chat keeps them, so a link still on
// screen opens its own target). The table grows with every link, so no number is
// ever reused for another target.
class LinkTargets {
public:
    // Stores target under the next number and returns that number.
    int add(const QString& target);
    // The stored target, or nullopt for a number never handed out.
    std::optional<QString> target(int number) const;
    int count() const { return int(m_targets.size()); }

    // The web address a link target opens: trailing blanks removed; "http://" and
    // "https://" targets as they are, "www." targets with "http://" in front.
    // Anything else (a file path, another scheme, a malformed address) opens
    // nothing.
    static std::optional<QUrl> webAddress(const QString& target);

private:
    QStringList m_targets;
};
