#include "design_scale.h"

#include <QAbstractButton>
#include <QLabel>
#include <QVariant>
#include <QWidget>
#include <cmath>

namespace {

const char* const ScaleKey = "gd_design_scale";
const char* const RectKey = "gd_design_rect";
const char* const PixelsKey = "gd_design_pixels";
const char* const PointsKey = "gd_design_points";
const char* const IconKey = "gd_design_icon";
const char* const KeepTextKey = "gd_design_keeptext";

int scaledCoord(int v, qreal scale)
{
    return int(std::lround(v * scale));
}

} // namespace

QRect DesignScale::scaled(const QRect& design, qreal scale)
{
    const int left = scaledCoord(design.x(), scale);
    const int top = scaledCoord(design.y(), scale);
    return QRect(left, top, scaledCoord(design.x() + design.width(), scale) - left,
                 scaledCoord(design.y() + design.height(), scale) - top);
}

qreal DesignScale::scaleOf(const QWidget* w)
{
    for (const QWidget* p = w; p; p = p->parentWidget()) {
        const QVariant s = p->property(ScaleKey);
        if (s.isValid())
            return s.toReal();
    }
    return 1.0;
}

QRect DesignScale::designRect(const QWidget* w)
{
    const QVariant r = w->property(RectKey);
    return r.isValid() ? r.toRect() : w->geometry();
}

void DesignScale::setGeometry(QWidget* w, const QRect& design)
{
    w->setProperty(RectKey, design);
    w->setGeometry(scaled(design, scaleOf(w->parentWidget())));
}

void DesignScale::move(QWidget* w, const QPoint& design)
{
    QRect r = designRect(w);
    r.moveTo(design);
    setGeometry(w, r);
}

void DesignScale::resize(QWidget* w, const QSize& design)
{
    QRect r = designRect(w);
    r.setSize(design);
    setGeometry(w, r);
}

void DesignScale::keepSize(QWidget* w)
{
    const qreal scale = scaleOf(w->parentWidget());
    QRect r = designRect(w);
    r.setSize(QSize(int(std::lround(w->width() / scale)), int(std::lround(w->height() / scale))));
    w->setProperty(RectKey, r);
}

void DesignScale::keepText(QWidget* w)
{
    w->setProperty(KeepTextKey, true);
    // Pinned, so it never inherits a scaled font from the tree around it.
    if (!w->testAttribute(Qt::WA_SetFont))
        w->setFont(w->font());
}

void DesignScale::record(QWidget* w)
{
    if (!w->property(RectKey).isValid())
        w->setProperty(RectKey, w->geometry());
    if (w->property(KeepTextKey).toBool())
        return;
    if (!w->property(PixelsKey).isValid() && !w->property(PointsKey).isValid()) {
        const QFont f = w->font();
        if (f.pixelSize() > 0)
            w->setProperty(PixelsKey, f.pixelSize());
        else
            w->setProperty(PointsKey, f.pointSizeF());
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->property(IconKey).isValid())
        b->setProperty(IconKey, b->iconSize());
}

void DesignScale::fitPicture(QLabel* label, qreal scale)
{
    // Stretched (and smoothed) only when the window is not at design size: at
    // design size a picture keeps each of its pixels whole, also at ratio 2.
    label->setScaledContents(scale != 1.0);
}

void DesignScale::place(QWidget* w, qreal scale)
{
    record(w);
    w->setGeometry(scaled(designRect(w), scale));
    if (auto* l = qobject_cast<QLabel*>(w); l && !l->pixmap().isNull())
        fitPicture(l, scale);
    if (w->property(KeepTextKey).toBool())
        return;
    QFont f = w->font();
    const QVariant pixels = w->property(PixelsKey);
    if (pixels.isValid())
        f.setPixelSize(qMax(1, scaledCoord(pixels.toInt(), scale)));
    else
        f.setPointSizeF(qMax(1.0, w->property(PointsKey).toReal() * scale));
    w->setFont(f);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        const QSize icon = b->property(IconKey).toSize();
        b->setIconSize(QSize(scaledCoord(icon.width(), scale), scaledCoord(icon.height(), scale)));
    }
}

void DesignScale::apply(QWidget* root, qreal scale)
{
    root->setProperty(ScaleKey, scale);
    applyBelow(root, scale);
}

void DesignScale::applyBelow(QWidget* root, qreal scale)
{
    const QObjectList children = root->children();
    for (QObject* object : children) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow())
            continue;
        place(child, scale);
        if (!child->property(KeepTextKey).toBool())
            applyBelow(child, scale);
    }
}
