// Feeds arbitrary bytes to everything that reads a tally file: one coded block
// on its own, the "WRZL" container, the table text and the tally check on top.
// Whatever reads must write back to the same thing: a container's text codes
// and decodes unchanged, and a table's text, once read, saves to a text that
// reads and saves the same again.
#include "fuzz_support.h"
#include "side/core/lzrw1_errors.h"
#include "side/core/string_grid.h"
#include "side/core/tally_file.h"
#include "side/core/tlzr.h"
#include "side/core/tlzrw1.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void blockAlone(const uint8_t* data, size_t size)
{
    if (size > size_t(TLZR::MaxBlockSize))
        return;
    // Exactly the room the decoder is promised: ASan catches any byte past it.
    std::vector<uint8_t> out(TLZR::WorkBufferSize);
    const int n = TLZR::decompress(data, int(size), out.data());
    if (n > TLZR::PieceSize)
        std::abort();
}

void container(const QByteArray& bytes)
{
    QByteArray text;
    try {
        text = Tlzrw1::decompressBytes(bytes);
    } catch (const ELzrw1Exception&) {
        return;
    }
    if (Tlzrw1::decompressBytes(Tlzrw1::compressBytes(text)) != text)
        std::abort();
    try {
        (void)TallyFile::decode(bytes, QStringLiteral("fuzz"));
    } catch (const ELzrw1Exception&) {
    }
}

void tableText(const QByteArray& bytes)
{
    StringGrid grid;
    if (!LoadStringGrid(grid, bytes))
        return;
    // Saving turns line breaks inside cells into blanks; from then on a table
    // goes round unchanged.
    const QByteArray saved = SaveStringGrid(grid);
    StringGrid again;
    if (!LoadStringGrid(again, saved) || SaveStringGrid(again) != saved)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = FuzzSupport::bytes(data, size);
    blockAlone(data, size);
    container(bytes);
    tableText(bytes);
    // Any bytes at all code into a container that gives them back.
    if (Tlzrw1::decompressBytes(Tlzrw1::compressBytes(bytes)) != bytes)
        std::abort();
    return 0;
}
