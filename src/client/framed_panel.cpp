#include "framed_panel.h"

#include <QPainter>

FramedPanel::FramedPanel(const QColor& border, const QColor& fill, QWidget* parent)
    : QWidget(parent), m_border(border), m_fill(fill)
{
}

void FramedPanel::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

void FramedPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_picture.isNull())
        p.fillRect(rect(), m_fill);
    else
        p.drawPixmap(rect(), m_picture);
    p.setPen(m_border);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
