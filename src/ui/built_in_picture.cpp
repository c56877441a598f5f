#include "built_in_picture.h"

#include "jpeg_image.h"
#include "pictures/baked_picture.h"
#include "ui_log.h"

#include <QFile>
#include <QImageReader>
#include <QResource>
#include <utility>

QImage BuiltInPicture::image(const QString& name)
{
    // The pictures the window shows at once were baked at build time.
    const QResource baked(QStringLiteral(":/baked/") + name);
    if (baked.isValid() && baked.compressionAlgorithm() == QResource::NoCompression) {
        if (auto picture = BakedPicture::read(QByteArrayView(baked.data(), baked.size())))
            return *std::move(picture);
        qCWarning(lcUi) << "the baked picture" << name << "is damaged; decoding its file";
    }
    return fromPath(QStringLiteral(":/pictures/") + name);
}

QPixmap BuiltInPicture::pixmap(const QString& name)
{
    return QPixmap::fromImage(image(name));
}

QImage BuiltInPicture::fromPath(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const QByteArray format = dot < 0 ? QByteArray() : path.mid(dot + 1).toLower().toLatin1();
    if (format == "jpg")
        return JpegImage::fromFile(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcUi) << "no built-in picture" << path;
        return {};
    }
    QImageReader reader(&file, format);
    reader.setAutoDetectImageFormat(false);
    QImage decoded = reader.read();
    if (decoded.isNull())
        qCWarning(lcUi) << "cannot read the built-in picture" << path << ":" << reader.errorString();
    return decoded;
}
