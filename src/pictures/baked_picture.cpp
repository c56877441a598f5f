#include "baked_picture.h"

#include <array>
#include <cstring>

namespace {

constexpr QByteArrayView Magic("GDPIC001");

// What follows the magic: width, height, pixel format, bytes per row and the
// number of colours in the table, then the table, then the rows.
struct Header {
    qint32 width = 0;
    qint32 height = 0;
    qint32 format = 0;
    qint32 bytesPerLine = 0;
    qint32 colours = 0;
};

constexpr qsizetype HeaderSize = Magic.size() + qsizetype(sizeof(Header));

bool plausible(const Header& h)
{
    return h.width > 0 && h.height > 0 && h.width <= BakedPicture::MaxSide && h.height <= BakedPicture::MaxSide
        && h.format > QImage::Format_Invalid && h.format < QImage::NImageFormats && h.colours >= 0 && h.colours <= 256
        && h.bytesPerLine > 0;
}

} // namespace

QByteArray BakedPicture::bake(const QImage& image)
{
    const Header h{image.width(), image.height(), int(image.format()), int(image.bytesPerLine()),
                   int(image.colorCount())};
    QByteArray out;
    out.reserve(HeaderSize + qsizetype(h.colours) * 4 + image.sizeInBytes());
    out.append(Magic);
    out.append(reinterpret_cast<const char*>(&h), sizeof h);
    for (const QRgb colour : image.colorTable())
        out.append(reinterpret_cast<const char*>(&colour), sizeof colour);
    out.append(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    return out;
}

std::optional<QImage> BakedPicture::read(QByteArrayView data)
{
    if (data.size() < HeaderSize || !data.startsWith(Magic))
        return std::nullopt;
    Header h;
    std::memcpy(&h, data.data() + Magic.size(), sizeof h);
    if (!plausible(h))
        return std::nullopt;
    const qsizetype tableBytes = qsizetype(h.colours) * 4;
    const qsizetype rowBytes = qsizetype(h.bytesPerLine) * h.height;
    if (data.size() != HeaderSize + tableBytes + rowBytes)
        return std::nullopt;
    QImage image(h.width, h.height, QImage::Format(h.format));
    if (image.isNull() || image.bytesPerLine() != h.bytesPerLine || image.sizeInBytes() != rowBytes)
        return std::nullopt;
    std::memcpy(image.bits(), data.data() + HeaderSize + tableBytes, size_t(rowBytes));
    if (h.colours > 0) {
        QList<QRgb> table(h.colours);
        std::memcpy(table.data(), data.data() + HeaderSize, size_t(tableBytes));
        image.setColorTable(table);
    }
    return image;
}
