// The block coder against a slow, plain copy of its writer: any change made for
// speed must leave every compressed byte as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

#include "tally/errors.h"
#include "tally/lzrw1.h"
#include "tally/lzrw1kh.h"
#include "tests/tally/testdata.h"

using tally::TLZR;
using tallytest::Bytes;

namespace {

// The writer one byte at a time: a run item for 16 or more equal bytes, else a
// copy found through the 4096-slot hash table, else a literal; the block is
// stored instead when the items need more bytes than the input.
Bytes referenceCompress(const Bytes& src) {
    const std::size_t n = src.size();
    std::vector<std::size_t> table(4096, SIZE_MAX);
    Bytes out{0x40, 0, 0};
    std::size_t controlAt = 1, bits = 0, control = 0;
    std::size_t x = 0;
    while (x < n) {
        if (bits == 16) {
            out[controlAt] = static_cast<std::uint8_t>(control >> 8);
            out[controlAt + 1] = static_cast<std::uint8_t>(control);
            controlAt = out.size();
            out.push_back(0);
            out.push_back(0);
            bits = 0;
            control = 0;
        }
        ++bits;
        control <<= 1;

        std::size_t equal = 1;
        while (x + equal < n && src[x + equal] == src[x])
            ++equal;
        if (equal >= 16) {
            const std::size_t run = std::min<std::size_t>(equal, 4095);
            out.push_back(0);
            out.push_back(static_cast<std::uint8_t>((run - 16) >> 8));
            out.push_back(static_cast<std::uint8_t>(run - 16));
            out.push_back(src[x]);
            control |= 1;
            x += run;
            continue;
        }
        if (n - x >= 3) {
            const unsigned k = (src[x] << 8) ^ (src[x + 1] << 4) ^ src[x + 2];
            const unsigned h = ((k * 40543u) >> 4) & 0xFFF;
            const std::size_t entry = table[h];
            table[h] = x;
            if (entry != SIZE_MAX && x - entry <= 4095) {
                std::size_t len = 0;
                while (len < 18 && x + len < n && src[entry + len] == src[x + len])
                    ++len;
                if (len >= 3) {
                    const std::size_t item = ((x - entry) << 4) | (len - 3);
                    out.push_back(static_cast<std::uint8_t>(item >> 8));
                    out.push_back(static_cast<std::uint8_t>(item));
                    control |= 1;
                    x += len;
                    continue;
                }
            }
        }
        out.push_back(src[x]);
        ++x;
    }
    control <<= 16 - bits;
    out[controlAt] = static_cast<std::uint8_t>(control >> 8);
    out[controlAt + 1] = static_cast<std::uint8_t>(control);
    if (out.size() > n) {
        out.assign(1, 0x80);
        out.insert(out.end(), src.begin(), src.end());
    }
    return out;
}

// The piece is placed `offset` bytes into a buffer that ends where it ends, so
// a read past it is caught by the address sanitizer and odd alignments are met.
Bytes compress(TLZR& coder, const Bytes& piece, std::size_t offset = 0) {
    Bytes placed(offset, 0x5A);
    placed.insert(placed.end(), piece.begin(), piece.end());
    Bytes block(TLZR::kBufferSize);
    block.resize(static_cast<std::size_t>(
        coder.CompressBlock(placed.data() + offset, static_cast<int>(piece.size()), block.data())));
    return block;
}

void expectSameAsReference(TLZR& coder, const Bytes& piece, const std::string& what) {
    const Bytes expected = referenceCompress(piece);
    for (std::size_t offset : {0u, 1u, 7u}) {
        ASSERT_EQ(compress(coder, piece, offset), expected)
            << what << ", " << piece.size() << " bytes at offset " << offset;
    }
}

// Random pieces whose bytes repeat earlier ones with the given chance, in
// stretches of 1 to 20: from nearly incompressible to highly repetitive.
Bytes repeating(std::size_t n, double chance, unsigned seed) {
    std::mt19937 gen(seed);
    std::bernoulli_distribution repeat(chance);
    Bytes out;
    while (out.size() < n) {
        if (out.size() > 20 && repeat(gen)) {
            const std::size_t back = gen() % std::min<std::size_t>(out.size(), 5000) + 1;
            const std::size_t from = out.size() - back;
            for (std::size_t i = 0, len = gen() % 20 + 1; i < len; ++i)
                out.push_back(out[from + i]);
        } else {
            out.push_back(static_cast<std::uint8_t>(gen() % 64));
        }
    }
    out.resize(n);
    return out;
}

const std::vector<std::size_t> kSizes = {0,   1,    2,    3,    4,     5,     15,    16,   17,  18,
                                         19,  31,   32,   33,   64,    255,   256,   257,  300, 301,
                                         302, 4095, 4096, 4097, 16384, 32766, 32767, 32768};

}  // namespace

TEST(ReferenceWriter, MatchesOnEverySizeAndKindOfPiece) {
    TLZR coder;
    for (std::size_t size : kSizes) {
        const unsigned seed = static_cast<unsigned>(size) + 100;
        expectSameAsReference(coder, tallytest::randomBytes(size, seed), "random");
        expectSameAsReference(coder, tallytest::textBytes(size, seed), "text");
        expectSameAsReference(coder, tallytest::runBytes(size, seed), "runs");
        expectSameAsReference(coder, Bytes(size, 0), "zeros");
        expectSameAsReference(coder, repeating(size, 0.5, seed), "repeats");
    }
}

TEST(ReferenceWriter, MatchesOnRunsAroundTheirLimits) {
    TLZR coder;
    for (std::size_t run :
         {14u, 15u, 16u, 17u, 18u, 19u, 4094u, 4095u, 4096u, 4110u, 4111u, 4112u, 8190u, 8191u}) {
        for (std::size_t before : {0u, 1u, 3u, 300u}) {
            Bytes piece = tallytest::textBytes(before, static_cast<unsigned>(run));
            piece.insert(piece.end(), run, 'r');
            const Bytes tail = tallytest::textBytes(40, static_cast<unsigned>(before));
            expectSameAsReference(coder, piece, "run at the end");
            piece.insert(piece.end(), tail.begin(), tail.end());
            expectSameAsReference(coder, piece, "run inside text");
        }
    }
}

TEST(ReferenceWriter, MatchesWhenCopiesReachTheirLimits) {
    TLZR coder;
    const Bytes noise = tallytest::randomBytes(4200, 8);
    // Repeats from just within to just beyond the 4095 bytes a copy can reach.
    for (std::size_t period : {1u, 2u, 3u, 4u, 17u, 18u, 19u, 4094u, 4095u, 4096u, 4097u}) {
        Bytes piece;
        while (piece.size() < 12000)
            piece.insert(piece.end(), noise.begin(), noise.begin() + period);
        expectSameAsReference(coder, piece, "period " + std::to_string(period));
    }
}

// Stretches of noise of every length up to 40 end in a copy, a run or more
// noise, so that a stretch of literals can end at any of its positions; small
// numbers between them make most copies 3 or 4 bytes long, text makes most longer.
TEST(ReferenceWriter, MatchesWhereverAStretchOfLiteralsEnds) {
    TLZR coder;
    const Bytes noise = tallytest::randomBytes(5000, 21);
    const Bytes text = tallytest::textBytes(3000, 22);
    std::mt19937 gen(23);
    for (int round = 0; round < 4; ++round) {
        Bytes piece(text.begin(), text.begin() + 400);
        std::size_t at = 0;
        for (std::size_t stretch = 0; stretch <= 40 && piece.size() < 32000; ++stretch) {
            piece.insert(piece.end(), noise.begin() + at, noise.begin() + at + stretch);
            at += stretch;
            switch ((stretch + round) % 4) {
                case 0:  // a copy of the text before
                    piece.insert(piece.end(), text.begin() + gen() % 300, text.begin() + 300);
                    break;
                case 1:  // a run, starting anywhere among the next eight positions
                    piece.insert(piece.end(), 16 + gen() % 8, static_cast<std::uint8_t>(gen()));
                    break;
                case 2:  // small numbers: short copies
                    for (int i = 0; i < 200; ++i) {
                        piece.push_back(static_cast<std::uint8_t>(gen() % 20));
                        piece.push_back(0);
                    }
                    break;
                default:  // a copy of noise just written
                    piece.insert(piece.end(), noise.begin() + at - stretch / 2, noise.begin() + at);
            }
        }
        piece.resize(std::min<std::size_t>(piece.size(), TLZR::kBlockSize));
        expectSameAsReference(coder, piece, "stretches, round " + std::to_string(round));
    }
}

TEST(ReferenceWriter, MatchesNearTheStoredFallback) {
    TLZR coder;
    // Pieces that compress to about their own size: some just fit, some do not.
    int nearLimit = 0;
    unsigned seed = 1;
    for (std::size_t size : {40u, 300u, 2000u, 32768u}) {
        for (double chance = 0.0; chance < 0.5; chance += 0.01) {
            const Bytes piece = repeating(size, chance, seed++);
            const Bytes expected = referenceCompress(piece);
            const Bytes got = compress(coder, piece);
            ASSERT_EQ(got, expected) << size << " bytes, repeat chance " << chance;
            if (expected[0] == 0x40) {
                nearLimit += expected.size() + 8 > size;
            }
        }
    }
    // Without pieces that come close to the limit this test would prove little.
    EXPECT_GE(nearLimit, 4);
}

TEST(ReferenceWriter, MatchesOnManyMixedPieces) {
    TLZR coder;
    std::mt19937 gen(77);
    for (int i = 0; i < 300; ++i) {
        Bytes piece;
        const std::size_t size = i < 100 ? gen() % 600 : gen() % 32769;
        while (piece.size() < size) {
            const unsigned kind = gen() % 5, len = gen() % 900 + 1, seed = gen();
            Bytes part = kind == 0   ? tallytest::textBytes(len, seed)
                         : kind == 1 ? tallytest::runBytes(len, seed)
                         : kind == 2 ? tallytest::randomBytes(len, seed)
                         : kind == 3 ? repeating(len, 0.3, seed)
                                     : Bytes(len);
            if (kind == 4) {
                // Small 16-bit numbers, as in a score table.
                for (std::size_t j = 0; j < len; j += 2)
                    part[j] = static_cast<std::uint8_t>(gen() % 100);
            }
            piece.insert(piece.end(), part.begin(), part.end());
        }
        piece.resize(size);
        expectSameAsReference(coder, piece, "mixed piece " + std::to_string(i));
    }
}

TEST(ReferenceWriter, MatchesOnTheFuzzCorpus) {
    TLZR coder;
    const std::filesystem::path dir =
        std::filesystem::path(QUIVELO_SOURCE_DIR) / "tests/fuzz/corpus/lzrw1_fuzz";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        Bytes piece = tallytest::readFile(entry.path().string());
        piece.resize(std::min<std::size_t>(piece.size(), TLZR::kBlockSize));
        expectSameAsReference(coder, piece, entry.path().filename().string());
        ++files;
    }
    EXPECT_GT(files, 0);
}

// A file written in Fast mode holds, after its header, each 32768-byte block
// as a 2-byte length and the block the reference writes.
TEST(ReferenceWriter, FastFilesHoldTheReferenceBlocks) {
    tallytest::ScratchDir dir;
    for (std::size_t size : {32767u, 32768u, 32769u, 65536u, 70001u}) {
        const Bytes data = repeating(size, 0.4, static_cast<unsigned>(size));
        tallytest::writeFile(dir.file("in"), data);
        tally::Tlzrw1 z;
        z.CompressMode = tally::TCompressMode::Fast;
        z.InputFile = dir.file("in");
        z.OutputFile = dir.file("out");
        z.Compress();
        const Bytes file = tallytest::readFile(dir.file("out"));
        std::size_t at = 8;
        for (std::size_t start = 0; start <= size; start += TLZR::kBlockSize) {
            const Bytes piece(data.begin() + static_cast<std::ptrdiff_t>(start),
                              data.begin() + static_cast<std::ptrdiff_t>(
                                                 std::min(size, start + TLZR::kBlockSize)));
            const Bytes expected = referenceCompress(piece);
            ASSERT_LE(at + 2 + expected.size(), file.size()) << size << " bytes";
            const std::size_t length = file[at] | (file[at + 1] << 8);
            ASSERT_EQ(length, expected.size()) << "block at " << start << " of " << size;
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), file.begin() + at + 2))
                << "block at " << start << " of " << size;
            at += 2 + length;
        }
        EXPECT_EQ(at, file.size()) << size << " bytes";
    }
}

TEST(ReferenceWriter, RefusesMoreThanOneBlock) {
    TLZR coder;
    const Bytes piece = tallytest::textBytes(TLZR::kBlockSize + 1, 3);
    Bytes block(TLZR::kBufferSize);
    EXPECT_THROW(coder.CompressBlock(piece.data(), static_cast<int>(piece.size()), block.data()),
                 tally::ELzrw1Exception);
}
