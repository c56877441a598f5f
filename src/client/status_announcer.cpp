#include "status_announcer.h"

#include <QAccessible>

StatusAnnouncer::StatusAnnouncer(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("status_announce"));
    setAccessibleDescription(tr("Game status"));
    setTextFormat(Qt::PlainText);
    // Shown, so it is not reported as hidden, but one pixel that paints nothing
    // and lets clicks through.
    setGeometry(0, 0, 1, 1);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void StatusAnnouncer::announce(const QString& text)
{
    setText(text);
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}
