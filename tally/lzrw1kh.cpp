#include "tally/lzrw1kh.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>

#include "tally/errors.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tally {

namespace {

// Words read from memory are taken apart byte by byte in memory order.
static_assert(std::endian::native == std::endian::little);

// A hash table entry holds a position in its low 24 bits and the five bytes
// found there above them. Subtracting an entry from the one for position x
// leaves, in the low 48 bits, the distance when the first three bytes are
// equal and at least 2^24 - 2^16 when they are not: one masked compare tests
// both the bytes and the reach, without reading the earlier bytes. The empty
// entry's position 0xFFFF lies after every x, so it is never in reach.
constexpr std::uint64_t kEmpty = 0xFFFF;
constexpr std::uint64_t kEntryLow = (std::uint64_t{1} << 48) - 1;

inline std::uint64_t entryFor(std::uint32_t x, std::uint64_t bytes) {
    return (bytes << 24) | x;
}

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
    while (len + 8 <= limit) {
        const std::uint64_t diff = load64(a + len) ^ load64(b + len);
        if (diff != 0) return len + static_cast<std::uint32_t>(std::countr_zero(diff)) / 8;
        len += 8;
    }
    while (len < limit && a[len] == b[len])
        ++len;
    return len;
}

// The length of a copy from `from` to `at`, whose first 8 bytes differ by
// `diff` and of which at least 3 match; `left` (at least 16) bytes remain.
inline std::uint32_t copyLength(const std::uint8_t* from, const std::uint8_t* at,
                                std::uint64_t diff, std::uint32_t left) {
    if (diff != 0) return static_cast<std::uint32_t>(std::countr_zero(diff)) / 8;
    const std::uint64_t next = load64(from + 8) ^ load64(at + 8);
    if (next != 0) return 8 + static_cast<std::uint32_t>(std::countr_zero(next)) / 8;
    return 16 + matchLength(from + 16, at + 16, std::min(kMaxMatch, left) - 16);
}

// True when the 16 bytes from p all equal p[0].
inline bool sixteenEqual(const std::uint8_t* p) {
    const std::uint64_t pattern = 0x0101010101010101ULL * p[0];
    return (load64(p) ^ pattern) == 0 && (load64(p + 8) ^ pattern) == 0;
}

// The hash of the 3 bytes at each of `count` positions. Bits 4 to 15 of the
// product depend on nothing but the low 16 bits of its factors, so 16-bit
// multiplies give them exactly, eight at a time.
void hashPositions(const std::uint8_t* p, std::uint32_t count, std::uint16_t* hashes) {
    std::uint32_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i factor = _mm_set1_epi16(static_cast<short>(40543));
    const auto hashEight = [&](__m128i b0, __m128i b1, __m128i b2) {
        const __m128i k =
            _mm_xor_si128(_mm_xor_si128(_mm_slli_epi16(b0, 8), _mm_slli_epi16(b1, 4)), b2);
        return _mm_srli_epi16(_mm_mullo_epi16(k, factor), 4);
    };
    // The loads reach 2 bytes past the last position, which the count leaves.
    for (; i + 16 <= count; i += 16) {
        const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
        const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 2));
        const __m128i low = hashEight(_mm_unpacklo_epi8(v0, zero), _mm_unpacklo_epi8(v1, zero),
                                      _mm_unpacklo_epi8(v2, zero));
        const __m128i high = hashEight(_mm_unpackhi_epi8(v0, zero), _mm_unpackhi_epi8(v1, zero),
                                       _mm_unpackhi_epi8(v2, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(hashes + i), low);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(hashes + i + 8), high);
    }
#endif
    for (; i < count; ++i) {
        const auto k = static_cast<std::uint16_t>((p[i] << 8) ^ (p[i + 1] << 4) ^ p[i + 2]);
        hashes[i] = static_cast<std::uint16_t>(static_cast<std::uint16_t>(k * 40543u) >> 4);
    }
}

// The run of bytes equal to source[x], at least kMinRun of which are known.
inline std::uint32_t runAt(const std::uint8_t* source, std::uint32_t x, std::uint32_t n) {
    const std::uint32_t limit = std::min(n - x, kMaxRun);
    const std::uint64_t pattern = 0x0101010101010101ULL * source[x];
    std::uint32_t run = kMinRun;
    while (run + 8 <= limit) {
        const std::uint64_t diff = load64(source + x + run) ^ pattern;
        if (diff != 0) return run + static_cast<std::uint32_t>(std::countr_zero(diff)) / 8;
        run += 8;
    }
    while (run < limit && source[x + run] == source[x])
        ++run;
    return run;
}

// Items are written through a pointer and sized by the caller, so that the
// output position can stay in a register.
inline void putRun(std::uint8_t* at, std::uint32_t run, std::uint8_t byte) {
    const std::uint32_t stored = run - kMinRun;
    at[0] = 0;
    at[1] = static_cast<std::uint8_t>(stored >> 8);
    at[2] = static_cast<std::uint8_t>(stored);
    at[3] = byte;
}

inline void putControl(std::uint8_t* at, std::uint32_t control) {
    at[0] = static_cast<std::uint8_t>(control >> 8);
    at[1] = static_cast<std::uint8_t>(control);
}

inline void putCopy(std::uint8_t* at, std::uint32_t distance, std::uint32_t len) {
    const std::uint32_t item = (distance << 4) | (len - kMinMatch);
    at[0] = static_cast<std::uint8_t>(item >> 8);
    at[1] = static_cast<std::uint8_t>(item);
}

// The reader holds a control word bit-reversed, its first item in bit 0, with
// a marker bit above it: a trailing-zero count then finds the literals that
// follow and stops at the marker, and the word is used up when only the marker
// is left. (A trailing-zero count is fast on any x86-64 processor; a
// leading-zero count is slow unless built for newer ones.)
constexpr std::array<std::uint8_t, 256> kReversed = [] {
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            if (i & (1 << bit)) table[i] |= static_cast<std::uint8_t>(0x80 >> bit);
        }
    }
    return table;
}();

constexpr std::uint32_t kUsedUp = 1;

inline std::uint32_t controlWord(const std::uint8_t* p) {
    return kReversed[p[0]] | (std::uint32_t{kReversed[p[1]]} << 8) | 0x10000u;
}

// One step of the reader's unchecked path: the literals up to the next item,
// then that item. False when the item is for the checked path. FarIn: at least
// 4095 bytes have been written.
template <bool FarIn>
[[gnu::always_inline]] inline bool quickStep(const std::uint8_t*& ip, std::uint8_t*& op,
                                             std::uint32_t& control, std::uint8_t* dest) {
    // Never zero, thanks to the marker.
    const unsigned literals = static_cast<unsigned>(__builtin_ctz(control));
    std::memcpy(op, ip, 16);
    ip += literals;
    op += literals;
    control >>= literals;
    if (control == kUsedUp) {
        control = controlWord(ip);
        ip += 2;
        return true;
    }
    const std::uint32_t item = (std::uint32_t{ip[0]} << 8) | ip[1];
    const std::uint32_t distance = item >> 4;
    const std::uint32_t len = (item & 0x0Fu) + kMinMatch;
    const bool inReach = FarIn || distance <= static_cast<std::uint32_t>(op - dest);
    if (distance >= 8 && inReach) {
        // Eight bytes at a time never read what this copy has not yet written.
        const std::uint8_t* from = op - distance;
        std::memcpy(op, from, 8);
        std::memcpy(op + 8, from + 8, 8);
        std::memcpy(op + 16, from + 16, 8);
    } else if (distance == 0) {
        const std::uint32_t run = ((item << 8) | ip[2]) + kMinRun;
        if (run > static_cast<std::uint32_t>(TLZR::kBlockSize - (op - dest))) return false;
        std::memset(op, ip[3], run);
        op += run;
        ip += 4;
        control >>= 1;
        return true;
    } else if (inReach) {
        // Byte by byte, so that an overlapping copy repeats its pattern.
        const std::uint8_t* from = op - distance;
        for (std::uint32_t i = 0; i < len; ++i)
            op[i] = from[i];
    } else {
        return false;
    }
    op += len;
    ip += 2;
    control >>= 1;
    return true;
}

[[noreturn]] void damaged(const char* why) {
    throw ELzrw1Exception(std::string("LZRW1KH : damaged compressed block (") + why + ")");
}

}  // namespace

TLZR::TLZR() {
    try {
        hash_.reset(new std::uint64_t[kHashSize]);
        positionHash_.reset(new std::uint16_t[kBlockSize]);
    } catch (const std::bad_alloc&) {
        throw ELzrw1KHCompressor("LZRW1KH : no memory for HASH table");
    }
}

int TLZR::CompressBlock(const std::uint8_t* source, int count, std::uint8_t* dest) {
    if (count < 0 || count > kBlockSize) {
        throw ELzrw1Exception("LZRW1KH : block of " + std::to_string(count) +
                              " bytes is too large to compress");
    }
    std::uint64_t* const table = hash_.get();
    std::fill_n(table, kHashSize, kEmpty);

    const std::uint32_t n = static_cast<std::uint32_t>(count);
    const std::uint16_t* const hashes = positionHash_.get();
    // No copy starts in the last two bytes, so they need no hash.
    hashPositions(source, n >= kMinMatch ? n - 2 : 0, positionHash_.get());
    dest[0] = kCompressed;
    // Positions are kept as pointers and the bit count as a marker bit above
    // the control bits: the hot loop then fits in registers.
    std::uint8_t* out = dest + 3;
    std::uint8_t* const outLimit = dest + n;
    std::uint8_t* controlAt = dest + 1;
    std::uint32_t control = 1;
    std::uint32_t x = 0;

    // Sixteen bytes ahead of x, whole words can be read for the run test, the
    // hash and the first match test. While the output has room for a whole
    // group of 16 items (at most 4 bytes each, and the control word), and the
    // input for 15 copies and then one more word, neither end needs checking
    // item by item; only a run can go further. The last few hundred positions
    // take the plain path.
    const std::uint32_t wordLimit = n >= 16 ? n - 15 : 0;
    constexpr std::ptrdiff_t kGroupRoom = 2 + 16 * 4;
    constexpr std::uint32_t kGroupReach = 15 * kMaxMatch;
    // A group of items. The hot path is bound by the time from one position to
    // the next: for a copy, the lookups and the length. Where most copies are 3
    // or 4 bytes long (numbers in a table), the fourth and fifth bytes held in
    // the entries give the length without reading the earlier bytes; where
    // most are longer (text), testing that would be a mispredicted branch, so
    // the group's kind follows the copies of the group before.
    std::uint32_t literals = 0;
    std::uint32_t longCopies = 0;
    const auto group = [&]<bool ShortCopies>() {
        do {
            // After two literals in a row more are likely: then eight positions
            // are looked up in a plain loop, without the run test (no run of 16
            // can start there unless the eight bytes from x + 8 are equal) or
            // the bookkeeping of each item. It stops before a copy.
            if (literals >= 2 && control < 0x200) {
                const std::uint8_t* const at = source + x;
                const std::uint64_t ahead = load64(at + 8);
                if (((ahead ^ (ahead >> 8)) << 8) != 0) {
                    const std::uint16_t* const atHash = hashes + x;
                    std::memcpy(out, at, 8);
                    std::uint32_t i = 0;
                    for (; i < 8; ++i) {
                        const std::uint64_t entry = entryFor(x + i, load64(at + i));
                        const std::uint64_t old = table[atHash[i]];
                        if (((entry - old) & kEntryLow) <= kMaxDistance) break;
                        table[atHash[i]] = entry;
                    }
                    out += i;
                    x += i;
                    control <<= i;
                    if (i == 8) continue;
                    literals = 0;
                }
            }
            const std::uint8_t* const ip = source + x;
            const std::uint64_t word = load64(ip);
            const std::uint8_t byte = static_cast<std::uint8_t>(word);
            // All eight bytes are equal when the word equals itself shifted by one byte.
            if (((word ^ (word >> 8)) << 8) == 0 && load64(ip + 8) == word) {
                const std::uint32_t run = runAt(source, x, n);
                putRun(out, run, byte);
                out += 4;
                x += run;
                control = (control << 1) | 1;
                if (x + kGroupReach >= wordLimit) break;
                continue;
            }
            const std::uint64_t entry = entryFor(x, word);
            const std::uint64_t previous = table[hashes[x]];
            const std::uint64_t distance = (entry - previous) & kEntryLow;
            table[hashes[x]] = entry;
            if (distance <= kMaxDistance) {
                const std::uint64_t near = (entry ^ previous) >> 24;
                longCopies += near == 0;
                std::uint32_t len;
                if (ShortCopies && near != 0) {
                    len = static_cast<std::uint32_t>(std::countr_zero(near)) / 8;
                } else {
                    const std::uint8_t* const from = source + static_cast<std::uint16_t>(previous);
                    len = copyLength(from, ip, load64(from) ^ word, n - x);
                }
                putCopy(out, static_cast<std::uint32_t>(distance), len);
                out += 2;
                x += len;
                control = (control << 1) | 1;
                literals = 0;
                continue;
            }
            *out++ = byte;
            ++x;
            control <<= 1;
            ++literals;
        } while (control < 0x10000);
    };
    while (x + kGroupReach < wordLimit && outLimit - out >= kGroupRoom) {
        if (control >= 0x10000) {
            putControl(controlAt, control);
            controlAt = out;
            out += 2;
            control = 1;
        }
        const bool shortCopies = longCopies < 3;
        longCopies = 0;
        if (shortCopies) {
            group.template operator()<true>();
        } else {
            group.template operator()<false>();
        }
    }

    while (x < n && out <= outLimit) {
        if (control >= 0x10000) {
            putControl(controlAt, control);
            controlAt = out;
            out += 2;
            control = 1;
        }
        const std::uint8_t byte = source[x];
        if (n - x >= kMinRun && sixteenEqual(source + x)) {
            const std::uint32_t run = runAt(source, x, n);
            putRun(out, run, byte);
            out += 4;
            x += run;
            control = (control << 1) | 1;
            continue;
        }
        // Fewer than three bytes left: no copy can start here.
        if (n - x >= kMinMatch) {
            const std::uint32_t h = hashes[x];
            const std::uint64_t entry =
                entryFor(x, byte | (source[x + 1] << 8) | (source[x + 2] << 16));
            const std::uint64_t distance = (entry - table[h]) & kEntryLow;
            table[h] = entry;
            if (distance <= kMaxDistance) {
                const auto from = static_cast<std::uint32_t>(x - distance);
                const std::uint32_t len =
                    matchLength(source + from, source + x, std::min(kMaxMatch, n - x));
                if (len >= kMinMatch) {
                    putCopy(out, static_cast<std::uint32_t>(distance), len);
                    out += 2;
                    x += len;
                    control = (control << 1) | 1;
                    continue;
                }
            }
        }
        *out++ = byte;
        ++x;
        control <<= 1;
    }

    // The last control word is padded with 0 bits.
    const int bits = std::bit_width(control) - 1;
    putControl(controlAt, (control ^ (1u << bits)) << (16 - bits));

    if (out > outLimit) {
        dest[0] = kStored;
        if (n > 0) std::memcpy(dest + 1, source, n);
        return count + 1;
    }
    return static_cast<int>(out - dest);
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
    std::uint32_t control = controlWord(source + 1);
    std::uint32_t in = 3;
    std::uint32_t out = 0;

    // Unchecked path: while both buffers have room for 16 literals, a control
    // word and a copy, each step moves the literals up to the next copy as one
    // 16-byte block and then that copy, so the choice between the two kinds
    // never becomes a branch. Once 4095 bytes are out, no copy can reach
    // before the start.
    constexpr std::uint32_t kStepIn = 16 + 2 + 2;
    constexpr std::uint32_t kStepOut = 16 + 24;
    for (;;) {
        // Pointers here, not indices: fewer instructions per step.
        const std::uint8_t* ip = source + in;
        std::uint8_t* op = dest + out;
        const std::uint8_t* const ipStop = source + (end >= kStepIn ? end - kStepIn : 0);
        std::uint8_t* const opStop = dest + (limit - kStepOut);
        std::uint8_t* const farIn = dest + kMaxDistance;
        bool more = true;
        while (more && end >= kStepIn && ip <= ipStop && op <= opStop && op < farIn) {
            more = quickStep<false>(ip, op, control, dest);
        }
        while (more && end >= kStepIn && ip <= ipStop && op <= opStop) {
            more = quickStep<true>(ip, op, control, dest);
        }
        in = static_cast<std::uint32_t>(ip - source);
        out = static_cast<std::uint32_t>(op - dest);

        // One item, checked against both ends: near the ends, and for what
        // the unchecked path leaves alone.
        if (in >= end) break;
        if (control == kUsedUp) {
            if (end - in < 3) damaged("control word without items");
            control = controlWord(source + in);
            in += 2;
        }
        if ((control & 1) == 0) {
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
                for (std::uint32_t i = 0; i < len; ++i) {
                    dest[out + i] = dest[out + i - distance];
                }
                out += len;
                in += 2;
            }
        }
        control >>= 1;
    }
    return static_cast<int>(out);
}

}  // namespace tally
