#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <optional>

// A picture as the program holds it once decoded: its size, pixel format,
// colour table and rows, ready to be copied into a QImage. The pictures the
// game window shows at once are baked at build time from their PNG files, so
// that the window copies them instead of inflating and unfiltering them on
// its way to the first paint. Written and read on the machine that builds the
// program, in its byte order.
namespace BakedPicture {

QByteArray bake(const QImage& image);

// The picture `data` holds, or nothing unless it is one whole baked picture
// of a size and format a QImage takes.
std::optional<QImage> read(QByteArrayView data);

// Larger pictures are refused before any pixel memory is taken.
constexpr int MaxSide = 4096;

} // namespace BakedPicture
