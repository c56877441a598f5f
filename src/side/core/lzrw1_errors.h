#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// Failure of the tally compressor: reading, writing or decoding a container.
// The text is shown to the player as it is, so it carries the file name.
class ELzrw1Exception : public std::exception {
public:
    explicit ELzrw1Exception(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) { }
    const QString& text() const noexcept { return m_text; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

// The block coder could not get its hash table.
class ELzrw1KHCompressor : public ELzrw1Exception {
public:
    using ELzrw1Exception::ELzrw1Exception;
};
