#include "join_history.h"

#include "chat/core/settings_file.h"
#include "client/core/game_address.h"

namespace {

QString addressKey(int index)
{
    return QStringLiteral("Address%1").arg(index + 1);
}

} // namespace

JoinHistory::JoinHistory(SettingsFile* file) : m_file(file)
{
}

QString JoinHistory::name() const
{
    return m_file ? m_file->otherValue(sectionName(), QStringLiteral("Name")).value_or(QString()) : QString();
}

QStringList JoinHistory::addresses() const
{
    QStringList list;
    for (int k = 0; m_file && k < Size; ++k) {
        const QString address = m_file->otherValue(sectionName(), addressKey(k)).value_or(QString());
        if (!address.isEmpty())
            list << address;
    }
    return list;
}

bool JoinHistory::remember(const QString& name, const QString& address)
{
    if (!m_file)
        return false;
    QStringList list = addresses();
    list.removeIf([&](const QString& a) { return a.compare(address, Qt::CaseInsensitive) == 0; });
    list.prepend(address);
    QList<std::pair<QString, QString>> values{{QStringLiteral("Name"), name}};
    for (int k = 0; k < Size; ++k)
        values.append({addressKey(k), list.value(k)});
    return m_file->setOtherValues(sectionName(), values);
}

QList<quint16> JoinHistory::ports() const
{
    QList<quint16> list;
    const QString text =
        m_file ? m_file->otherValue(sectionName(), QStringLiteral("Ports")).value_or(QString()) : QString();
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (const auto port = parsePort(part); port && !list.contains(*port) && list.size() < MaxPorts)
            list << *port;
    return list;
}

bool JoinHistory::setPorts(const QList<quint16>& ports)
{
    if (!m_file)
        return false;
    QStringList texts;
    for (const quint16 port : ports.mid(0, MaxPorts))
        texts << QString::number(port);
    return m_file->setOtherValues(sectionName(), {{QStringLiteral("Ports"), texts.join(QLatin1Char(','))}});
}
