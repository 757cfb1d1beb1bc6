#include "tally/lzrw1kh.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>

#include "tally/errors.h"

namespace tally {

namespace {

constexpr std::uint16_t kEmpty = 0xFFFF;
constexpr std::uint32_t kMinMatch = 3;
constexpr std::uint32_t kMaxMatch = 18;
constexpr std::uint32_t kMaxDistance = 4095;
constexpr std::uint32_t kMinRun = 16;
constexpr std::uint32_t kMaxRun = 4095;

inline std::uint64_t load64(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Length of the common prefix of a and b, at most `limit`; a lies before b.
inline std::uint32_t matchLength(const std::uint8_t* a, const std::uint8_t* b,
                                 std::uint32_t limit) {
    std::uint32_t len = 0;
    if constexpr (std::endian::native == std::endian::little) {
        while (len + 8 <= limit) {
            const std::uint64_t diff = load64(a + len) ^ load64(b + len);
            if (diff != 0) return len + static_cast<std::uint32_t>(std::countr_zero(diff)) / 8;
            len += 8;
        }
    }
    while (len < limit && a[len] == b[len]) ++len;
    return len;
}

// True when the 16 bytes from p all equal p[0].
inline bool sixteenEqual(const std::uint8_t* p) {
    const std::uint64_t pattern = 0x0101010101010101ULL * p[0];
    return (load64(p) ^ pattern) == 0 && (load64(p + 8) ^ pattern) == 0;
}

inline std::uint32_t hashOf(const std::uint8_t* p) {
    const std::uint32_t k = (std::uint32_t{p[0]} << 8) ^ (std::uint32_t{p[1]} << 4) ^ p[2];
    return ((k * 40543u) >> 4) & 0xFFF;
}

[[noreturn]] void damaged(const char* why) {
    throw ELzrw1Exception(std::string("LZRW1KH : damaged compressed block (") + why + ")");
}

// The unchecked path: an item of a group of four whose kinds are known. A run,
// a copy from less than 8 back and a damaged copy are left to the checked path.
template <bool IsCopy>
inline bool quickItem(const std::uint8_t* source, std::uint32_t& in, std::uint8_t* dest,
                      std::uint32_t& out) {
    if constexpr (!IsCopy) {
        dest[out++] = source[in++];
        return true;
    } else {
        const std::uint32_t hi = source[in], lo = source[in + 1];
        const std::uint32_t distance = (hi << 4) | (lo >> 4);
        if (distance < 8 || distance > out) return false;
        // Eight bytes at a time never read what this copy has not yet written.
        std::uint8_t* to = dest + out;
        const std::uint8_t* from = to - distance;
        std::memcpy(to, from, 8);
        std::memcpy(to + 8, from + 8, 8);
        std::memcpy(to + 16, from + 16, 8);
        out += (lo & 0x0Fu) + kMinMatch;
        in += 2;
        return true;
    }
}

// Four items, the first one's kind in bit 3 of Kinds. Returns how many were done.
template <unsigned Kinds>
inline int quickFour(const std::uint8_t* source, std::uint32_t& in, std::uint8_t* dest,
                     std::uint32_t& out) {
    if (!quickItem<(Kinds & 8) != 0>(source, in, dest, out)) return 0;
    if (!quickItem<(Kinds & 4) != 0>(source, in, dest, out)) return 1;
    if (!quickItem<(Kinds & 2) != 0>(source, in, dest, out)) return 2;
    if (!quickItem<(Kinds & 1) != 0>(source, in, dest, out)) return 3;
    return 4;
}

// One dispatch per four items instead of one hard-to-predict branch per item.
int quickGroup(unsigned kinds, const std::uint8_t* source, std::uint32_t& in, std::uint8_t* dest,
               std::uint32_t& out) {
    switch (kinds) {
#define QUIVELO_FOUR(k) \
    case k:             \
        return quickFour<k>(source, in, dest, out);
        QUIVELO_FOUR(1)
        QUIVELO_FOUR(2)
        QUIVELO_FOUR(3)
        QUIVELO_FOUR(4)
        QUIVELO_FOUR(5)
        QUIVELO_FOUR(6)
        QUIVELO_FOUR(7)
        QUIVELO_FOUR(8)
        QUIVELO_FOUR(9)
        QUIVELO_FOUR(10)
        QUIVELO_FOUR(11)
        QUIVELO_FOUR(12)
        QUIVELO_FOUR(13)
        QUIVELO_FOUR(14)
        QUIVELO_FOUR(15)
#undef QUIVELO_FOUR
        default:
            return quickFour<0>(source, in, dest, out);
    }
}

}  // namespace

TLZR::TLZR() {
    try {
        hash_.reset(new std::uint16_t[kHashSize]);
    } catch (const std::bad_alloc&) {
        throw ELzrw1KHCompressor("LZRW1KH : no memory for HASH table");
    }
}

int TLZR::CompressBlock(const std::uint8_t* source, int count, std::uint8_t* dest) {
    if (count < 0 || count > kBlockSize) {
        throw ELzrw1Exception("LZRW1KH : block of " + std::to_string(count) +
                              " bytes is too large to compress");
    }
    std::uint16_t* table = hash_.get();
    std::fill_n(table, kHashSize, kEmpty);

    const std::uint32_t n = static_cast<std::uint32_t>(count);
    dest[0] = kCompressed;
    std::uint32_t out = 3;
    std::uint32_t controlPos = 1;
    std::uint32_t control = 0;
    int bits = 0;
    std::uint32_t x = 0;

    while (x < n && out <= n) {
        if (bits == 16) {
            dest[controlPos] = static_cast<std::uint8_t>(control >> 8);
            dest[controlPos + 1] = static_cast<std::uint8_t>(control);
            controlPos = out;
            out += 2;
            bits = 0;
        }
        const std::uint8_t byte = source[x];
        ++bits;

        if (n - x >= kMinRun && sixteenEqual(source + x)) {
            const std::uint32_t limit = std::min(n - x, kMaxRun);
            std::uint32_t run = kMinRun;
            while (run < limit && source[x + run] == byte) ++run;
            const std::uint32_t stored = run - kMinRun;
            dest[out] = 0;
            dest[out + 1] = static_cast<std::uint8_t>(stored >> 8);
            dest[out + 2] = static_cast<std::uint8_t>(stored);
            dest[out + 3] = byte;
            out += 4;
            x += run;
            control = (control << 1) | 1;
            continue;
        }

        // Fewer than three bytes left: no copy can start here.
        if (n - x >= kMinMatch) {
            const std::uint32_t h = hashOf(source + x);
            const std::uint32_t entry = table[h];
            table[h] = static_cast<std::uint16_t>(x);
            if (entry != kEmpty && x - entry <= kMaxDistance) {
                const std::uint32_t len =
                    matchLength(source + entry, source + x, std::min(kMaxMatch, n - x));
                if (len >= kMinMatch) {
                    const std::uint32_t item = ((x - entry) << 4) | (len - kMinMatch);
                    dest[out] = static_cast<std::uint8_t>(item >> 8);
                    dest[out + 1] = static_cast<std::uint8_t>(item);
                    out += 2;
                    x += len;
                    control = (control << 1) | 1;
                    continue;
                }
            }
        }

        dest[out++] = byte;
        ++x;
        control <<= 1;
    }

    control <<= 16 - bits;
    dest[controlPos] = static_cast<std::uint8_t>(control >> 8);
    dest[controlPos + 1] = static_cast<std::uint8_t>(control);

    if (out > n) {
        dest[0] = kStored;
        if (n > 0) std::memcpy(dest + 1, source, n);
        return count + 1;
    }
    return static_cast<int>(out);
}

int TLZR::DecompressBlock(const std::uint8_t* source, int length, std::uint8_t* dest) {
    if (length < 0 || length > kMaxBlockData) {
        throw ELzrw1Exception("LZRW1KH : damaged compressed block (length " +
                              std::to_string(length) + " is out of range)");
    }
    if (length <= 1) return 0;
    const std::uint32_t end = static_cast<std::uint32_t>(length);
    if (source[0] == kStored) {
        std::memcpy(dest, source + 1, end - 1);
        return length - 1;
    }
    // A compressed block without a single item produces nothing.
    if (end < 3) return 0;

    constexpr std::uint32_t limit = kBlockSize;
    // Room the unchecked path needs: 16 literals, or four items of at most 2
    // bytes in and 24 bytes out.
    constexpr std::uint32_t kQuickIn = 16;
    constexpr std::uint32_t kQuickOut = 4 * 24;
    // The control word sits in the top 16 bits, so a leading-zero count finds
    // the literals that follow.
    std::uint32_t control = (std::uint32_t{source[1]} << 24) | (std::uint32_t{source[2]} << 16);
    int bits = 16;
    std::uint32_t in = 3;
    std::uint32_t out = 0;

    while (in < end) {
        if (bits == 0) {
            if (end - in < 3) damaged("control word without items");
            control = (std::uint32_t{source[in]} << 24) | (std::uint32_t{source[in + 1]} << 16);
            in += 2;
            bits = 16;
        }
        if (end - in >= kQuickIn && limit - out >= kQuickOut) {
            if ((control >> 28) == 0) {
                const int literals = std::min(std::countl_zero(control), bits);
                std::memcpy(dest + out, source + in, 16);
                in += static_cast<std::uint32_t>(literals);
                out += static_cast<std::uint32_t>(literals);
                control <<= literals;
                bits -= literals;
                continue;
            }
            if (bits >= 4) {
                const int done = quickGroup(control >> 28, source, in, dest, out);
                control <<= done;
                bits -= done;
                if (done == 4) continue;
            }
        }

        // One item, checked against both ends.
        if ((control & 0x80000000u) == 0) {
            if (out >= limit) damaged("output longer than a block");
            dest[out++] = source[in++];
        } else {
            if (end - in < 2) damaged("item cut off");
            const std::uint32_t distance =
                (std::uint32_t{source[in]} << 4) | (std::uint32_t{source[in + 1]} >> 4);
            if (distance == 0) {
                if (end - in < 4) damaged("run item cut off");
                const std::uint32_t run =
                    ((std::uint32_t{source[in + 1]} << 8) | source[in + 2]) + kMinRun;
                if (run > limit - out) damaged("output longer than a block");
                std::memset(dest + out, source[in + 3], run);
                out += run;
                in += 4;
            } else {
                const std::uint32_t len = (source[in + 1] & 0x0Fu) + kMinMatch;
                if (distance > out) damaged("copy reaches before the start of the block");
                if (len > limit - out) damaged("output longer than a block");
                // Byte by byte, so that an overlapping copy repeats its pattern.
                for (std::uint32_t i = 0; i < len; ++i) dest[out + i] = dest[out + i - distance];
                out += len;
                in += 2;
            }
        }
        control <<= 1;
        --bits;
    }
    return static_cast<int>(out);
}

}  // namespace tally
