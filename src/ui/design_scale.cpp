#include "design_scale.h"

#include <QAbstractButton>
#include <QLabel>
#include <QVariant>
#include <QWidget>
#include <cmath>

// Everything the scale keeps about one widget, held in one property: a
// property is looked up by name through every class of the widget, and the
// window's first layout places some 250 widgets, so each widget's record is
// read once per placing and written only when it changes.
struct DesignRecord {
    QRect rect;
    bool hasRect = false;
    bool keepText = false;
    // The design font size: in pixels when > 0, else in points.
    bool hasFont = false;
    int pixels = 0;
    qreal points = 0;
    QSize icon;
    bool hasIcon = false;
};

Q_DECLARE_METATYPE(DesignRecord)

namespace {

const char* const ScaleKey = "gd_design_scale";
const char* const DesignKey = "gd_design";

DesignRecord designOf(const QWidget* w)
{
    return w->property(DesignKey).value<DesignRecord>();
}

void store(QWidget* w, const DesignRecord& d)
{
    w->setProperty(DesignKey, QVariant::fromValue(d));
}

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
    const DesignRecord d = designOf(w);
    return d.hasRect ? d.rect : w->geometry();
}

void DesignScale::setGeometry(QWidget* w, const QRect& design)
{
    DesignRecord d = designOf(w);
    d.rect = design;
    d.hasRect = true;
    store(w, d);
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
    DesignRecord d = designOf(w);
    if (!d.hasRect)
        d.rect = w->geometry();
    d.hasRect = true;
    d.rect.setSize(QSize(int(std::lround(w->width() / scale)), int(std::lround(w->height() / scale))));
    store(w, d);
}

void DesignScale::keepText(QWidget* w)
{
    DesignRecord d = designOf(w);
    d.keepText = true;
    store(w, d);
    // Pinned, so it never inherits a scaled font from the tree around it.
    if (!w->testAttribute(Qt::WA_SetFont))
        w->setFont(w->font());
}

// Takes what a widget seen for the first time shows as its design; returns
// whether `d` changed.
bool DesignScale::record(QWidget* w, DesignRecord& d)
{
    bool changed = false;
    if (!d.hasRect) {
        d.rect = w->geometry();
        d.hasRect = changed = true;
    }
    if (d.keepText)
        return changed;
    if (!d.hasFont) {
        const QFont f = w->font();
        if (f.pixelSize() > 0)
            d.pixels = f.pixelSize();
        else
            d.points = f.pointSizeF();
        d.hasFont = changed = true;
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && !d.hasIcon) {
        d.icon = b->iconSize();
        d.hasIcon = changed = true;
    }
    return changed;
}

void DesignScale::fitPicture(QLabel* label, qreal scale)
{
    // Stretched (and smoothed) only when the window is not at design size: at
    // design size a picture keeps each of its pixels whole, also at ratio 2.
    label->setScaledContents(scale != 1.0);
}

bool DesignScale::place(QWidget* w, qreal scale)
{
    DesignRecord d = designOf(w);
    if (record(w, d))
        store(w, d);
    w->setGeometry(scaled(d.rect, scale));
    if (auto* l = qobject_cast<QLabel*>(w); l && !l->pixmap().isNull())
        fitPicture(l, scale);
    if (d.keepText)
        return false;
    QFont f = w->font();
    if (d.pixels > 0)
        f.setPixelSize(qMax(1, scaledCoord(d.pixels, scale)));
    else
        f.setPointSizeF(qMax(1.0, d.points * scale));
    w->setFont(f);
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setIconSize(QSize(scaledCoord(d.icon.width(), scale), scaledCoord(d.icon.height(), scale)));
    return true;
}

void DesignScale::apply(QWidget* root, qreal scale)
{
    root->setProperty(ScaleKey, scale);
    applyBelow(root, scale);
}

void DesignScale::placeLate(QWidget* w)
{
    const qreal scale = scaleOf(w->parentWidget());
    if (place(w, scale))
        applyBelow(w, scale);
}

void DesignScale::applyBelow(QWidget* root, qreal scale)
{
    const QObjectList children = root->children();
    for (QObject* object : children) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow())
            continue;
        if (place(child, scale))
            applyBelow(child, scale);
    }
}
