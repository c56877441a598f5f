#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// The tally compressor: turns a text into a "WRZL" container of LZRW1-KH blocks
// and back. Every failure raises ELzrw1Exception with a text that names the file.
//
// The container starts with "WRZL" and the text length (4 bytes, little-endian);
// then blocks, each a 2-byte little-endian length and the block. The text is cut
// into pieces of 32768 bytes; the last block always comes from a shorter piece,
// so a text whose length is a multiple of 32768 ends with an empty stored block.
//
// Only the block form is written or read. A container marked "!HZL" (the other
// coder, which no copy of the game writes) is refused like any other unknown
// header, so an unreadable tally is kept aside rather than guessed at.
class Tlzrw1 {
public:
    enum CompressMode { Fast };

    void setInputFile(const QString& path) { m_input = path; }
    void setOutputFile(const QString& path) { m_output = path; }
    void setCompressMode(CompressMode mode) { m_mode = mode; }
    const QString& InputFile() const { return m_input; }
    const QString& OutputFile() const { return m_output; }
    CompressMode compressMode() const { return m_mode; }

    // Input file to container file; returns the bytes written. The output file
    // is replaced only when everything succeeded: after a failure an earlier
    // file of that name is untouched and no new one exists.
    qint64 Compress();
    // Container file to plain file; returns the bytes written. Same guarantee.
    qint64 Decompress();

    // The same coding on bytes in memory; `name` stands for the file in texts.
    static QByteArray compressBytes(const QByteArray& text, const QString& name = {});
    static QByteArray decompressBytes(const QByteArray& container, const QString& name = {});

    // The coding itself, device to device. `size` is the number of bytes
    // `in` will deliver. Nothing is allocated from the container's header: the
    // output grows only with blocks actually decoded and never past the header's
    // length.
    static qint64 compressDevice(QIODevice& in, qint64 size, QIODevice& out, const QString& inName,
                                 const QString& outName);
    static qint64 decompressDevice(QIODevice& in, QIODevice& out, const QString& inName, const QString& outName);

private:
    QString m_input;
    QString m_output;
    CompressMode m_mode = Fast;
};
