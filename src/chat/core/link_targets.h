#pragma once

#include <QStringList>
#include <QUrl>
#include <optional>

// The targets of the links shown in the chat, numbered from 0 in the order they
// were shown for the whole run (clearing the chat keeps them, so a link still on
// screen opens its own target). No number is ever reused for another target;
// the targets of links that left the view for good may be forgotten.
class LinkTargets {
public:
    // Stores target under the next number and returns that number.
    int add(const QString& target);
    // The stored target, or nullopt for a number never handed out or forgotten.
    std::optional<QString> target(int number) const;
    // Numbers handed out so far.
    int count() const { return m_first + int(m_targets.size()); }
    // Targets still held.
    int held() const { return int(m_targets.size()); }
    // Forgets the targets numbered below `number`.
    void forgetBefore(int number);

    // The web address a link target opens: trailing blanks removed; "http://" and
    // "https://" targets as they are, "www." targets with "http://" in front.
    // Anything else (a file path, another scheme, a malformed address) opens
    // nothing.
    static std::optional<QUrl> webAddress(const QString& target);

private:
    QStringList m_targets; // numbers m_first and on
    int m_first = 0;
};
