#include "game_style.h"

#include "built_in_picture.h"

#include <QGuiApplication>
#include <QStyleOption>

namespace {

QIcon arrows(const QString& prefix, std::initializer_list<int> sizes)
{
    QIcon icon;
    for (const int size : sizes) {
        const QImage picture = BuiltInPicture::fromPath(
            QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png").arg(prefix).arg(size));
        if (!picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    }
    return icon;
}

} // namespace

QIcon GameStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option, const QWidget* widget) const
{
    const bool rightToLeft = (option ? option->direction : QGuiApplication::layoutDirection()) == Qt::RightToLeft;
    switch (standardIcon) {
    case SP_ToolBarHorizontalExtensionButton:
        return arrows(rightToLeft ? QStringLiteral("toolbar-ext-h-rtl") : QStringLiteral("toolbar-ext-h"), {8, 16, 32});
    case SP_ToolBarVerticalExtensionButton: return arrows(QStringLiteral("toolbar-ext-v"), {5, 10, 20});
    default: return QProxyStyle::standardIcon(standardIcon, option, widget);
    }
}
