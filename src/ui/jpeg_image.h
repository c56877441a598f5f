#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes JPEG pictures through libjpeg into QImage. A damaged or unsupported
// file gives a null image (with a reason), never an ended process: libjpeg's own
// error handler would call exit().
class JpegImage {
public:
    static QImage fromData(const QByteArray& data, QString* error = nullptr);
    // Also reads Qt resources (":/pictures/...").
    static QImage fromFile(const QString& path, QString* error = nullptr);
    // True when the bytes start like a JPEG file.
    static bool looksLikeJpeg(const QByteArray& data);

    // Pictures larger than this in either direction are refused before any
    // pixel memory is taken.
    static constexpr int MaxSide = 16384;
};
