#pragma once

#include "client/core/lan_table_finder.h"

#include <QList>
#include <QString>
#include <QStringList>

class SettingsFile;

// The name and the last five addresses joined from the join dialog, newest
// first, kept in a section of their own in the settings file.
class JoinHistory {
public:
    static constexpr int Size = 5;
    static constexpr int MaxPorts = LanTableFinder::MaxExtraPorts;
    static QString sectionName() { return QStringLiteral("gloopdash.join"); }

    // `file` must outlive the history; nothing is stored without one.
    explicit JoinHistory(SettingsFile* file = nullptr);

    QString name() const;
    QStringList addresses() const;
    // Puts `address` first (once, letter case ignored) and keeps five.
    bool remember(const QString& name, const QString& address);
    // The ports besides 7772 the game browser looks for games on ("Ports",
    // comma-separated); what is not a port is left out.
    QList<quint16> ports() const;
    bool setPorts(const QList<quint16>& ports);

private:
    SettingsFile* m_file;
};
