#include "ignore_list.h"

namespace {
// Stored as "Ignored=2", "Ignore1=Ann", "Ignore2=Bob", "Muted=1", "Mute1=Cy":
// a name may hold "=" or ";" or lead with blanks, so it is never a key.
QString countKey(IgnoreList::Kind kind)
{
    return kind == IgnoreList::Kind::Ignore ? QStringLiteral("Ignored") : QStringLiteral("Muted");
}

QString nameKey(IgnoreList::Kind kind, int n)
{
    return (kind == IgnoreList::Kind::Ignore ? QStringLiteral("Ignore") : QStringLiteral("Mute")) + QString::number(n);
}

bool contains(const QStringList& names, const QString& name)
{
    return names.contains(name, Qt::CaseInsensitive);
}

QStringList readNames(const IgnoreList::Store& store, IgnoreList::Kind kind)
{
    bool number = false;
    const int count = qMin(store.read(countKey(kind)).value_or(QString()).toInt(&number), IgnoreList::MaxNames);
    QStringList names;
    for (int n = 1; number && n <= count; ++n) {
        const QString name = store.read(nameKey(kind, n)).value_or(QString());
        if (!name.isEmpty() && !contains(names, name))
            names << name;
    }
    return names;
}
} // namespace

void IgnoreList::attach(Store store)
{
    m_store = std::move(store);
    m_ignored = readNames(m_store, Kind::Ignore);
    m_muted = readNames(m_store, Kind::Mute);
    m_storedIgnored = int(m_ignored.size());
    m_storedMuted = int(m_muted.size());
}

bool IgnoreList::isIgnored(const QString& name) const
{
    return contains(m_ignored, name);
}

bool IgnoreList::isMuted(const QString& name) const
{
    return contains(m_muted, name) || isIgnored(name);
}

bool IgnoreList::has(Kind kind, const QString& name) const
{
    return contains(kind == Kind::Ignore ? m_ignored : m_muted, name);
}

bool IgnoreList::set(Kind kind, const QString& name, bool on)
{
    QStringList& names = list(kind);
    if (name.isEmpty() || on == contains(names, name))
        return true;
    if (on && names.size() >= MaxNames)
        return false;
    if (on) {
        names << name;
    } else {
        names.removeIf([&name](const QString& n) { return n.compare(name, Qt::CaseInsensitive) == 0; });
        if (kind == Kind::Ignore)
            m_noted.remove(name.toCaseFolded());
    }
    return save();
}

bool IgnoreList::save()
{
    if (!m_store.write)
        return true;
    QList<std::pair<QString, QString>> values;
    for (const Kind kind : {Kind::Ignore, Kind::Mute}) {
        const QStringList& names = list(kind);
        int& stored = kind == Kind::Ignore ? m_storedIgnored : m_storedMuted;
        values.append({countKey(kind), QString::number(names.size())});
        for (int n = 1; n <= qMax(stored, int(names.size())); ++n)
            values.append({nameKey(kind, n), names.value(n - 1)});
        stored = int(names.size());
    }
    return m_store.write(values);
}

bool IgnoreList::firstHidden(const QString& name)
{
    const QString key = name.toCaseFolded();
    if (m_noted.contains(key))
        return false;
    m_noted.insert(key);
    return true;
}

QString IgnoreList::speaker(const QString& text, const QStringList& names)
{
    QString best;
    for (const QString& name : names)
        if (name.size() > best.size() && text.startsWith(name + QLatin1Char(' ')))
            best = name;
    return best;
}
