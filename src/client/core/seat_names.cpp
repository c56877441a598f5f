#include "seat_names.h"

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
