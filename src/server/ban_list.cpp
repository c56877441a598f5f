#include "ban_list.h"

#include <QHostAddress>

namespace {
// An IPv4 peer reached over an IPv6 socket shows as "::ffff:a.b.c.d"; bans
// written for "a.b.c.d" must hold for it.
QHostAddress plain(const QHostAddress& address)
{
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    return mapped ? QHostAddress(v4) : address;
}

bool covers(const QString& key, const QHostAddress& address)
{
    if (key.contains(QLatin1Char('/')))
        return address.isInSubnet(QHostAddress::parseSubnet(key));
    return plain(QHostAddress(key)) == address;
}
} // namespace

bool BanList::Entry::isAddress() const
{
    return !addressKey(key).isEmpty();
}

QString BanList::addressKey(const QString& text)
{
    if (text.contains(QLatin1Char('/'))) {
        const auto [network, prefix] = QHostAddress::parseSubnet(text);
        if (network.isNull())
            return {};
        return plain(network).toString() + QLatin1Char('/') + QString::number(prefix);
    }
    const QHostAddress address(text);
    return address.isNull() ? QString() : plain(address).toString();
}

std::optional<BanList::Entry> BanList::find(const QByteArray& name, const QString& address, const QDateTime& now) const
{
    const QString player = QString::fromUtf8(name);
    const QHostAddress from = plain(QHostAddress(address));
    for (const Entry& e : m_entries) {
        if (e.endsBy(now))
            continue;
        // A name ban is matched by text even when the key reads as an address:
        // a player may be called "10.0.0.5".
        if (!player.isEmpty() && e.key.compare(player, Qt::CaseInsensitive) == 0)
            return e;
        if (!from.isNull() && e.isAddress() && covers(e.key, from))
            return e;
    }
    return std::nullopt;
}

qsizetype BanList::indexOf(const QString& key) const
{
    const QString address = addressKey(key);
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const QString& other = m_entries[i].key;
        if (address.isEmpty() ? other.compare(key, Qt::CaseInsensitive) == 0 : other == address)
            return i;
    }
    return -1;
}

BanList::Entry BanList::add(const QString& key, const QDateTime& until)
{
    const QString address = addressKey(key);
    Entry entry{address.isEmpty() ? key : address, until.isValid() ? until.toUTC() : QDateTime()};
    const qsizetype at = indexOf(entry.key);
    if (at < 0)
        m_entries.append(entry);
    else
        m_entries[at] = entry;
    return entry;
}

bool BanList::remove(const QString& key)
{
    const qsizetype at = indexOf(key);
    if (at < 0)
        return false;
    m_entries.removeAt(at);
    return true;
}

bool BanList::dropEnded(const QDateTime& now)
{
    return m_entries.removeIf([&now](const Entry& e) { return e.endsBy(now); }) > 0;
}

QByteArray BanList::toText() const
{
    QByteArray text;
    for (const Entry& e : m_entries) {
        text += e.key.toUtf8();
        if (e.until.isValid())
            text += '\t' + e.until.toString(Qt::ISODate).toUtf8();
        text += '\n';
    }
    return text;
}

BanList BanList::fromText(const QByteArray& text, int* skipped)
{
    BanList list;
    int bad = 0;
    for (const QByteArray& raw : text.split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#')))
            continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        const QString key = line.left(tab).trimmed();
        const QDateTime until = tab < 0 ? QDateTime() : QDateTime::fromString(line.mid(tab + 1).trimmed(), Qt::ISODate);
        // An end that does not read, or an end without a key, is no ban at all.
        if (key.isEmpty() || (tab >= 0 && !until.isValid())) {
            ++bad;
            continue;
        }
        list.add(key, until);
    }
    if (skipped)
        *skipped = bad;
    return list;
}
