#include "side/core/tlzr.h"

#include "side/core/lzrw1_errors.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace {

constexpr int HashSize = 4096;
constexpr std::uint16_t HashEmpty = 0xFFFF;
constexpr int MaxCopy = 18;
constexpr int MinCopy = 3;
constexpr int MaxOffset = 4095;
constexpr int MinRun = 16;
constexpr int MaxRun = 4095;

inline int firstDifference(std::uint64_t diff)
{
    return (std::endian::native == std::endian::little ? std::countr_zero(diff) : std::countl_zero(diff)) / 8;
}

// How many bytes from x on equal the byte at x, up to MaxRun.
inline int runLength(const std::uint8_t* src, int x, int n)
{
    const int end = std::min(n, x + MaxRun);
    const std::uint8_t b = src[x];
    const std::uint64_t pattern = 0x0101010101010101ull * b;
    int i = x;
    while (i + 8 <= end) {
        std::uint64_t word;
        std::memcpy(&word, src + i, 8);
        if (const std::uint64_t diff = word ^ pattern)
            return i + firstDifference(diff) - x;
        i += 8;
    }
    while (i < end && src[i] == b)
        ++i;
    return i - x;
}

// Only bits 4 to 15 of the product are used, so the result is the same whatever
// the width of the multiplication: files coded anywhere hash alike.
inline int hashAt(const std::uint8_t* p)
{
    const std::uint32_t key = ((((std::uint32_t(p[0]) << 4) ^ p[1]) << 4) ^ p[2]);
    return int(((key * 40543u) >> 4) & 0xFFFu);
}

// How many of the first `limit` bytes at a and b agree, eight at a time.
inline int matchLength(const std::uint8_t* a, const std::uint8_t* b, int limit)
{
    int count = 0;
    while (count + 8 <= limit) {
        std::uint64_t wa;
        std::uint64_t wb;
        std::memcpy(&wa, a + count, 8);
        std::memcpy(&wb, b + count, 8);
        if (const std::uint64_t diff = wa ^ wb)
            return count + firstDifference(diff);
        count += 8;
    }
    while (count < limit && a[count] == b[count])
        ++count;
    return count;
}

inline void putWord(std::uint8_t* at, unsigned word)
{
    at[0] = std::uint8_t(word >> 8);
    at[1] = std::uint8_t(word);
}

} // namespace

TLZR::TLZR()
{
    try {
        m_hash.assign(HashSize, HashEmpty);
    } catch (const std::bad_alloc&) {
        throw ELzrw1KHCompressor(QStringLiteral("LZRW1KH : no memory for HASH table"));
    }
}

// Looks up the three bytes at x in the hash table and records x there. The last
// two positions of a piece cannot start a copy of 3, so they are not hashed; the
// table is never consulted after them, so the coded bytes are unaffected.
inline bool TLZR::tryCopy(const std::uint8_t* src, int x, int n, int& length, int& offset)
{
    if (x + MinCopy > n)
        return false;
    const int h = hashAt(src + x);
    const int p = m_hash[h];
    m_hash[h] = std::uint16_t(x);
    if (p == HashEmpty || x - p > MaxOffset)
        return false;
    const int count = matchLength(src + x, src + p, std::min(MaxCopy, n - x));
    if (count < MinCopy)
        return false;
    length = count;
    offset = x - p;
    return true;
}

int TLZR::compress(const std::uint8_t* src, int n, std::uint8_t* dst)
{
    std::fill(m_hash.begin(), m_hash.end(), HashEmpty);
    dst[0] = FlagCoded;
    int controlAt = 1;
    int y = 3;
    int x = 0;
    int items = 0;
    unsigned control = 0;
    while (x < n && y <= n) {
        if (items == 16) {
            putWord(dst + controlAt, control);
            controlAt = y;
            y += 2;
            control = 0;
            items = 0;
        }
        const int run = runLength(src, x, n);
        int length = 0;
        int offset = 0;
        if (run >= MinRun) {
            dst[y] = 0;
            dst[y + 1] = std::uint8_t((run - MinRun) >> 8);
            dst[y + 2] = std::uint8_t(run - MinRun);
            dst[y + 3] = src[x];
            y += 4;
            x += run;
            control = (control << 1) | 1u;
        } else if (tryCopy(src, x, n, length, offset)) {
            putWord(dst + y, unsigned(offset * 16 + (length - MinCopy)));
            y += 2;
            x += length;
            control = (control << 1) | 1u;
        } else {
            dst[y++] = src[x++];
            control <<= 1;
        }
        ++items;
    }
    putWord(dst + controlAt, control << (16 - items));
    if (y > n) {
        dst[0] = FlagStored;
        if (n > 0)
            std::memcpy(dst + 1, src, size_t(n));
        return n + 1;
    }
    return y;
}

int TLZR::decompress(const std::uint8_t* src, int len, std::uint8_t* dst)
{
    if (len <= 0)
        return 0;
    if (src[0] == FlagStored) {
        if (len - 1 > PieceSize)
            return -1;
        if (len > 1)
            std::memcpy(dst, src + 1, size_t(len - 1));
        return len - 1;
    }
    if (len < 3)
        return 0;
    // The control word sits in the top 16 bits, so leading zeros count the
    // literals that come next.
    std::uint32_t control = ((std::uint32_t(src[1]) << 8) | src[2]) << 16;
    int bits = 16;
    int x = 3;
    int y = 0;
    while (x < len) {
        if (bits == 0) {
            if (x + 2 > len)
                return -1;
            control = ((std::uint32_t(src[x]) << 8) | src[x + 1]) << 16;
            x += 2;
            bits = 16;
            continue;
        }
        if (!(control & 0x80000000u)) {
            // A stretch of literals, copied at once. The last control word's
            // unused bits are 0 too, so the stretch also stops at the block's end.
            int literals = control ? std::countl_zero(control) : 32;
            literals = std::min({literals, bits, len - x});
            if (literals > PieceSize - y)
                return -1;
            if (x + 16 <= len && y + 16 <= WorkBufferSize)
                std::memcpy(dst + y, src + x, 16);
            else
                std::memcpy(dst + y, src + x, size_t(literals));
            x += literals;
            y += literals;
            control <<= literals;
            bits -= literals;
            continue;
        }
        control <<= 1;
        --bits;
        if (x + 2 > len)
            return -1;
        const int offset = (int(src[x]) << 4) | (src[x + 1] >> 4);
        if (offset == 0) {
            if (x + 4 > len)
                return -1;
            const int count = ((int(src[x + 1]) << 8) | src[x + 2]) + MinRun;
            if (count > PieceSize - y)
                return -1;
            std::memset(dst + y, src[x + 3], size_t(count));
            y += count;
            x += 4;
            continue;
        }
        const int length = (src[x + 1] & 0x0F) + MinCopy;
        if (offset > y || length > PieceSize - y)
            return -1;
        std::uint8_t* out = dst + y;
        const std::uint8_t* from = out - offset;
        if (offset >= 8 && y + 24 <= WorkBufferSize) {
            // Eight bytes at a time: each chunk reads only bytes already final.
            // Bytes written past the copy's end are overwritten later or unused.
            for (int i = 0; i < 24; i += 8)
                std::memcpy(out + i, from + i, 8);
        } else {
            // Close repeats: each byte may be one this copy has just written.
            for (int i = 0; i < length; ++i)
                out[i] = from[i];
        }
        y += length;
        x += 2;
    }
    return y;
}
