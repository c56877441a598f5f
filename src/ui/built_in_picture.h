#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

// The pictures built into the program (":/pictures/NAME"): copied where the
// build baked them (see pictures/baked_picture.h), else read by the decoder
// their name's ending names. Left to guess, Qt would load every image
// plugin installed to ask it whether it reads PNG before using its own
// reader: three libraries mapped and linked on the way to the first paint.
namespace BuiltInPicture {

// A null image when NAME is not built in or does not decode.
QImage image(const QString& name);
QPixmap pixmap(const QString& name);

// Any picture of the resources (Qt's own too) by its whole path.
QImage fromPath(const QString& path);

} // namespace BuiltInPicture
