#include "ui/jpeg_image.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <vector>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void errorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings (a truncated file among them) are not worth a line on stderr; the
// decoder pads what is missing and goes on.
void quietMessage(j_common_ptr)
{
}

// Adobe's CMYK JPEGs store the inks inverted; either way the ink amounts are
// mapped to RGB by subtracting them from white.
void cmykRowToRgba(const JSAMPLE* in, uchar* out, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x) {
        int c = in[4 * x], m = in[4 * x + 1], y = in[4 * x + 2], k = in[4 * x + 3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[4 * x] = uchar(c * k / 255);
        out[4 * x + 1] = uchar(m * k / 255);
        out[4 * x + 2] = uchar(y * k / 255);
        out[4 * x + 3] = 255;
    }
}

// Runs the decode proper; returns false with err->message set on a fatal error.
// Kept free of C++ objects with destructors between setjmp and longjmp.
bool decode(jpeg_decompress_struct& cinfo, ErrorManager& err, QImage& image, const QByteArray& data,
            std::vector<JSAMPLE>& cmykRow)
{
    if (setjmp(err.jump))
        return false;
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.image_width > JpegImage::MaxSide || cinfo.image_height > JpegImage::MaxSide) {
        std::snprintf(err.message, sizeof err.message, "picture too large (%ux%u)", cinfo.image_width,
                      cinfo.image_height);
        return false;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
    jpeg_start_decompress(&cinfo);
    image = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGBA8888);
    if (image.isNull()) {
        std::snprintf(err.message, sizeof err.message, "out of memory");
        return false;
    }
    if (cmyk)
        cmykRow.resize(size_t(cinfo.output_width) * 4);
    while (cinfo.output_scanline < cinfo.output_height) {
        uchar* line = image.scanLine(int(cinfo.output_scanline));
        JSAMPROW row = cmyk ? cmykRow.data() : line;
        jpeg_read_scanlines(&cinfo, &row, 1);
        if (cmyk)
            cmykRowToRgba(cmykRow.data(), line, cinfo.output_width, cinfo.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

} // namespace

bool JpegImage::looksLikeJpeg(const QByteArray& data)
{
    return data.size() >= 3 && uchar(data[0]) == 0xFF && uchar(data[1]) == 0xD8 && uchar(data[2]) == 0xFF;
}

QImage JpegImage::fromData(const QByteArray& data, QString* error)
{
    if (!looksLikeJpeg(data)) {
        if (error)
            *error = QStringLiteral("not a JPEG file");
        return {};
    }
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = errorExit;
    err.pub.output_message = quietMessage;

    QImage image;
    std::vector<JSAMPLE> cmykRow;
    const bool ok = decode(cinfo, err, image, data, cmykRow);
    jpeg_destroy_decompress(&cinfo);
    if (!ok) {
        if (error)
            *error = QString::fromLocal8Bit(err.message);
        return {};
    }
    return image;
}

QImage JpegImage::fromFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return {};
    }
    return fromData(file.readAll(), error);
}
