#include "seat_names.h"

#include "net/text_limits.h"

const QString SeatNames::Waiting = QStringLiteral("<Waiting>");

SeatNames::SeatNames(QObject* parent) : QObject(parent)
{
    m_names.fill(Waiting);
}

QString SeatNames::name(int slot) const
{
    return Table::isSeat(slot) ? m_names[static_cast<std::size_t>(slot)] : Waiting;
}

bool SeatNames::seated(int slot) const
{
    return name(slot) != Waiting;
}

void SeatNames::setName(int slot, const QString& name)
{
    if (!Table::isSeat(slot))
        return;
    QString& held = m_names[static_cast<std::size_t>(slot)];
    if (held == name)
        return;
    held = name;
    emit nameChanged(slot, name);
}

void SeatNames::clear()
{
    for (int slot = 1; slot <= Table::Seats; ++slot)
        setName(slot, Waiting);
}

QString SeatNames::shortened(const QByteArray& utf8)
{
    // No character takes more than four bytes: the rest is never decoded.
    QString name = QString::fromUtf8(utf8.left(4 * TextLimits::Name));
    if (name.size() > TextLimits::Name)
        name.truncate(name.at(TextLimits::Name).isLowSurrogate() ? TextLimits::Name - 1 : TextLimits::Name);
    return name;
}
