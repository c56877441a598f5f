#include "side/core/tlzr.h"

#include "side/core/lzrw1_errors.h"

#include <algorithm>
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

int runLength(const std::uint8_t* src, int x, int n)
{
    const int end = std::min(n, x + MaxRun);
    const std::uint8_t b = src[x];
    int i = x + 1;
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
bool TLZR::tryCopy(const std::uint8_t* src, int x, int n, int& length, int& offset)
{
    if (x + MinCopy > n)
        return false;
    const int h = hashAt(src + x);
    const int p = m_hash[h];
    m_hash[h] = std::uint16_t(x);
    if (p == HashEmpty || x - p > MaxOffset)
        return false;
    const int limit = std::min(MaxCopy, n - x);
    int count = 0;
    while (count < limit && src[x + count] == src[p + count])
        ++count;
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
    unsigned control = (unsigned(src[1]) << 8) | src[2];
    int bits = 16;
    int x = 3;
    int y = 0;
    while (x < len) {
        if (bits == 0) {
            if (x + 2 > len)
                return -1;
            control = (unsigned(src[x]) << 8) | src[x + 1];
            x += 2;
            bits = 16;
            continue;
        }
        const bool isCopy = (control & 0x8000u) != 0;
        control <<= 1;
        --bits;
        if (!isCopy) {
            if (y >= PieceSize)
                return -1;
            dst[y++] = src[x++];
            continue;
        }
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
        if (offset >= length) {
            std::memcpy(out, from, size_t(length));
        } else {
            // Overlapping copy: each byte may be one this copy has just written.
            for (int i = 0; i < length; ++i)
                out[i] = from[i];
        }
        y += length;
        x += 2;
    }
    return y;
}
