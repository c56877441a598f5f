#include "built_in_picture.h"

#include "jpeg_image.h"
#include "ui_log.h"

#include <QFile>
#include <QImageReader>

QImage BuiltInPicture::image(const QString& name)
{
    const QString path = QStringLiteral(":/pictures/") + name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QByteArray format = dot < 0 ? QByteArray() : name.mid(dot + 1).toLower().toLatin1();
    if (format == "jpg")
        return JpegImage::fromFile(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcUi) << "no built-in picture" << name;
        return {};
    }
    QImageReader reader(&file, format);
    reader.setAutoDetectImageFormat(false);
    const QImage decoded = reader.read();
    if (decoded.isNull())
        qCWarning(lcUi) << "cannot read the built-in picture" << name << ":" << reader.errorString();
    return decoded;
}

QPixmap BuiltInPicture::pixmap(const QString& name)
{
    return QPixmap::fromImage(image(name));
}
