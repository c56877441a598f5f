#include "side/core/tlzrw1.h"

#include "base/whole_file.h"
#include "side/core/lzrw1_errors.h"
#include "side/core/tlzr.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

namespace {

const QByteArray BlockHeader("WRZL");

[[noreturn]] void fail(const QString& text)
{
    throw ELzrw1Exception(text);
}

QString readError(const QString& path)
{
    return QStringLiteral("Lzrw1 : Error reading from input file : ") + path;
}

QString sizeMismatch()
{
    return QStringLiteral("Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");
}

// The two work buffers, one for the plain side and one for the coded side.
struct WorkBuffers {
    std::vector<std::uint8_t> plain;
    std::vector<std::uint8_t> coded;
    WorkBuffers()
    {
        try {
            plain.resize(TLZR::WorkBufferSize);
            coded.resize(TLZR::WorkBufferSize);
        } catch (const std::bad_alloc&) {
            fail(QStringLiteral("Lzrw1 (de)compression : Failed to get memory for I/O buffers !"));
        }
    }
};

void writeAll(QIODevice& out, const char* data, qint64 n, const QString& outName)
{
    if (out.write(data, n) != n)
        fail(QStringLiteral("Lzrw1 : Error writing to output file : ") + outName);
}

void readExactly(QIODevice& in, char* data, qint64 n, const QString& inName)
{
    if (in.read(data, n) != n)
        fail(readError(inName));
}

void putLe(char* at, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = char((value >> (8 * i)) & 0xFF);
}

quint32 getLe(const char* at, int bytes)
{
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | std::uint8_t(at[i]);
    return value;
}

// Reads up to one piece; a short count means the input has ended.
qint64 readPiece(QIODevice& in, std::uint8_t* buffer, const QString& inName)
{
    qint64 got = 0;
    while (got < TLZR::PieceSize) {
        const qint64 n = in.read(reinterpret_cast<char*>(buffer) + got, TLZR::PieceSize - got);
        if (n < 0)
            fail(readError(inName) + QStringLiteral(" (LZRW1/KH)"));
        if (n == 0)
            break;
        got += n;
    }
    return got;
}

void openInput(QFile& in)
{
    if (QFileInfo(in.fileName()).isDir() || !in.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Lzrw1 (de)compression : Failed to open input file : ") + in.fileName());
}

void openOutput(QSaveFile& out)
{
    if (!out.open(QIODevice::WriteOnly))
        fail(QStringLiteral("Lzrw1 (de)compression : Failed to open output file : ") + out.fileName());
}

void commitOutput(QSaveFile& out)
{
    if (!WholeFile::commit(out))
        fail(QStringLiteral("Lzrw1 : Error writing to output file : ") + out.fileName());
}

} // namespace

qint64 Tlzrw1::compressDevice(QIODevice& in, qint64 size, QIODevice& out, const QString& inName, const QString& outName)
{
    if (size < 0 || size > qint64(std::numeric_limits<quint32>::max()))
        fail(QStringLiteral("Lzrw1 compression : Failed to obtain the size of : ") + inName);
    WorkBuffers buffers;
    TLZR coder;
    char header[8];
    std::memcpy(header, BlockHeader.constData(), 4);
    putLe(header + 4, quint32(size), 4);
    writeAll(out, header, 8, outName);
    qint64 written = 8;
    qint64 total = 0;
    for (;;) {
        const qint64 n = readPiece(in, buffers.plain.data(), inName);
        total += n;
        const int length = coder.compress(buffers.plain.data(), int(n), buffers.coded.data());
        char prefix[2];
        putLe(prefix, quint32(length), 2);
        writeAll(out, prefix, 2, outName);
        writeAll(out, reinterpret_cast<const char*>(buffers.coded.data()), length, outName);
        written += 2 + length;
        if (n < TLZR::PieceSize)
            break;
    }
    // An input that changed length while it was read would leave a header that
    // lies about the text; refuse rather than write a file that cannot be read.
    if (total != size)
        fail(readError(inName) + QStringLiteral(" (LZRW1/KH)"));
    return written;
}

qint64 Tlzrw1::decompressDevice(QIODevice& in, QIODevice& out, const QString& inName, const QString& outName)
{
    char header[8];
    readExactly(in, header, 4, inName);
    const QByteArray id(header, 4);
    if (id != BlockHeader)
        fail(inName + QStringLiteral(" : Lzrw1 decompression : this file has no valid header !"));
    readExactly(in, header + 4, 4, inName);
    const qint64 expected = getLe(header + 4, 4);
    WorkBuffers buffers;
    qint64 total = 0;
    int decoded = 0;
    do {
        char prefix[2];
        readExactly(in, prefix, 2, inName);
        const int length = int(getLe(prefix, 2));
        if (length > TLZR::MaxBlockSize)
            fail(readError(inName));
        readExactly(in, reinterpret_cast<char*>(buffers.coded.data()), length, inName);
        decoded = TLZR::decompress(buffers.coded.data(), length, buffers.plain.data());
        if (decoded < 0 || total + decoded > expected)
            fail(sizeMismatch());
        writeAll(out, reinterpret_cast<const char*>(buffers.plain.data()), decoded, outName);
        total += decoded;
    } while (decoded == TLZR::PieceSize);
    if (total != expected)
        fail(sizeMismatch());
    return total;
}

QByteArray Tlzrw1::compressBytes(const QByteArray& text, const QString& name)
{
    QBuffer in;
    in.setData(text);
    in.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    compressDevice(in, text.size(), out, name, name);
    return out.data();
}

QByteArray Tlzrw1::decompressBytes(const QByteArray& container, const QString& name)
{
    QBuffer in;
    in.setData(container);
    in.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    decompressDevice(in, out, name, name);
    return out.data();
}

qint64 Tlzrw1::Compress()
{
    QFile in(m_input);
    openInput(in);
    QSaveFile out(m_output);
    openOutput(out);
    const qint64 size = in.isSequential() ? -1 : in.size();
    const qint64 written = compressDevice(in, size, out, m_input, m_output);
    commitOutput(out);
    return written;
}

qint64 Tlzrw1::Decompress()
{
    QFile in(m_input);
    openInput(in);
    QSaveFile out(m_output);
    openOutput(out);
    const qint64 written = decompressDevice(in, out, m_input, m_output);
    commitOutput(out);
    return written;
}
