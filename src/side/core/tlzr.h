#pragma once

#include <cstdint>
#include <vector>

// LZRW1-KH block coder. Each piece of at most 32768 bytes becomes one block that
// decodes on its own: copies never reach into an earlier block, and the hash
// table starts empty for every piece. The byte layout must stay exactly as it is
// so that tally files move between copies of the game.
class TLZR {
public:
    static constexpr int PieceSize = 32768;
    // A stored piece is its flag byte plus the piece.
    static constexpr int MaxBlockSize = PieceSize + 1;
    // The coder may run a few bytes past the piece length before it notices
    // that coding does not pay and stores the piece instead.
    static constexpr int WorkBufferSize = PieceSize + 16;

    static constexpr std::uint8_t FlagStored = 0x80;
    static constexpr std::uint8_t FlagCoded = 0x40;

    // Throws ELzrw1KHCompressor when the hash table cannot be had.
    TLZR();

    // Codes src[0, n) (n <= PieceSize) into dst, which holds WorkBufferSize
    // bytes; returns the block length.
    int compress(const std::uint8_t* src, int n, std::uint8_t* dst);

    // Decodes one block of len bytes into dst, which holds WorkBufferSize bytes
    // (the room past PieceSize lets short copies move whole words). Returns the
    // number of bytes decoded, or -1 for a block that no coder writes: one that
    // decodes past PieceSize, copies from before the start of its output or has
    // an item cut off by its end. Never reads or writes outside the buffers.
    static int decompress(const std::uint8_t* src, int len, std::uint8_t* dst);

private:
    bool tryCopy(const std::uint8_t* src, int x, int n, int& length, int& offset);

    std::vector<std::uint16_t> m_hash;
};
