// Feeds arbitrary bytes through the message splitter, the command-line split and
// the field reader, as a connection's byte stream would reach them.
#include "fuzz_support.h"
#include "net/field_reader.h"
#include "net/message.h"
#include "net/message_splitter.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MessageSplitter splitter(4096);
    const QByteArray bytes = FuzzSupport::bytes(data, size);
    // Two reads, split where the first byte says, as a stream arrives in pieces.
    const qsizetype cut = size ? qsizetype(data[0]) % (qsizetype(size) + 1) : 0;
    QList<QByteArray> messages = splitter.feed(bytes.left(cut));
    messages += splitter.feed(bytes.mid(cut));
    for (const QByteArray& message : messages) {
        const CommandLine line = CommandLine::parse(message);
        FieldReader fields(line.payload);
        while (!fields.atEnd()) {
            if (fields.remainder().contains('+'))
                (void)fields.nextInt();
            else
                (void)fields.last();
        }
    }
    return 0;
}
