#include <gtest/gtest.h>

#include "tally/errors.h"
#include "tally/lzrw1kh.h"
#include "tests/tally/testdata.h"

using tally::TLZR;
using tallytest::Bytes;

namespace {

Bytes compress(TLZR& coder, const Bytes& piece) {
    Bytes block(TLZR::kBufferSize);
    block.resize(coder.CompressBlock(piece.data(), static_cast<int>(piece.size()), block.data()));
    return block;
}

// Walks a compressed block item by item, checking every item against the
// limits a writer must keep, and returns what it decodes to.
Bytes walkItems(const Bytes& block, std::size_t pieceSize) {
    Bytes out;
    std::size_t pos = 3;
    unsigned control = (block[1] << 8) | block[2];
    int bits = 16;
    while (pos < block.size()) {
        if (bits == 0) {
            control = (block[pos] << 8) | block[pos + 1];
            pos += 2;
            bits = 16;
        }
        if ((control & 0x8000) == 0) {
            out.push_back(block[pos++]);
        } else if (block[pos] == 0 && block[pos + 1] < 0x10) {
            const unsigned count = ((block[pos + 1] << 8) | block[pos + 2]) + 16;
            EXPECT_LE(count, 4095u);
            out.insert(out.end(), count, block[pos + 3]);
            pos += 4;
        } else {
            const unsigned item = (block[pos] << 8) | block[pos + 1];
            const unsigned distance = item >> 4, length = (item & 15) + 3;
            EXPECT_LE(distance, 4095u);
            EXPECT_LE(distance, out.size());
            EXPECT_LE(out.size() + length, pieceSize);
            if (distance > out.size()) return out;
            for (unsigned i = 0; i < length; ++i)
                out.push_back(out[out.size() - distance]);
            pos += 2;
        }
        control <<= 1;
        --bits;
    }
    return out;
}

// The writer exactly as described, one step at a time, to hold the optimised
// coder to the same bytes.
Bytes referenceBlock(const Bytes& src) {
    const std::uint32_t n = static_cast<std::uint32_t>(src.size());
    std::vector<std::uint16_t> table(4096, 0xFFFF);
    Bytes dst(n + 16);
    dst[0] = 0x40;
    std::uint32_t out = 3, controlPos = 1, control = 0, bits = 0, x = 0;
    auto shiftIn = [&](unsigned bit) { control = ((control << 1) | bit) & 0xFFFF; };
    while (x < n && out <= n) {
        if (bits == 16) {
            dst[controlPos] = control >> 8;
            dst[controlPos + 1] = control & 0xFF;
            controlPos = out;
            out += 2;
            bits = 0;
        }
        std::uint32_t run = 1;
        while (x + run < n && run < 4095 && src[x + run] == src[x])
            ++run;
        std::uint32_t len = 0, entry = 0xFFFF;
        if (run < 16 && x + 2 < n) {
            const std::uint32_t k = (src[x] * 256u) ^ (src[x + 1] * 16u) ^ src[x + 2];
            const std::uint32_t h = ((k * 40543u) >> 4) & 0xFFF;
            entry = table[h];
            table[h] = static_cast<std::uint16_t>(x);
            if (entry != 0xFFFF && x - entry < 4096) {
                while (len < 18 && x + len < n && src[entry + len] == src[x + len])
                    ++len;
            }
        }
        if (run >= 16) {
            dst[out] = 0;
            dst[out + 1] = (run - 16) >> 8;
            dst[out + 2] = (run - 16) & 0xFF;
            dst[out + 3] = src[x];
            out += 4;
            x += run;
            shiftIn(1);
        } else if (len >= 3) {
            const std::uint32_t item = ((x - entry) << 4) | (len - 3);
            dst[out] = item >> 8;
            dst[out + 1] = item & 0xFF;
            out += 2;
            x += len;
            shiftIn(1);
        } else {
            dst[out++] = src[x++];
            shiftIn(0);
        }
        ++bits;
    }
    control = (control << (16 - bits)) & 0xFFFF;
    dst[controlPos] = control >> 8;
    dst[controlPos + 1] = control & 0xFF;
    if (out > n) {
        dst.assign(1, 0x80);
        dst.insert(dst.end(), src.begin(), src.end());
        return dst;
    }
    dst.resize(out);
    return dst;
}

Bytes decompress(const Bytes& block) {
    Bytes out(TLZR::kBlockSize);
    out.resize(TLZR::DecompressBlock(block.data(), static_cast<int>(block.size()), out.data()));
    return out;
}

}  // namespace

TEST(BlockCoder, EmptyAndTinyPiecesAreStored) {
    TLZR coder;
    EXPECT_EQ(compress(coder, {}), Bytes{0x80});
    for (const Bytes& piece : {Bytes{7}, Bytes{7, 7}, Bytes{1, 2, 1}}) {
        Bytes expected{0x80};
        expected.insert(expected.end(), piece.begin(), piece.end());
        EXPECT_EQ(compress(coder, piece), expected);
        EXPECT_EQ(decompress(expected), piece);
    }
}

TEST(BlockCoder, PieceWithoutRepeatsIsStored) {
    TLZR coder;
    Bytes piece(256);
    for (int i = 0; i < 256; ++i)
        piece[i] = static_cast<std::uint8_t>(i);
    const Bytes block = compress(coder, piece);
    ASSERT_EQ(block.size(), piece.size() + 1);
    EXPECT_EQ(block[0], 0x80);
    EXPECT_EQ(Bytes(block.begin() + 1, block.end()), piece);
}

TEST(BlockCoder, ItemsHaveTheirExactLayout) {
    TLZR coder;
    // 20 equal bytes: one run item of count 20.
    EXPECT_EQ(compress(coder, Bytes(20, 'x')), (Bytes{0x40, 0x80, 0x00, 0x00, 0x00, 0x04, 'x'}));
    // 15 equal bytes are too few for a run: a literal, then a copy 1 back of 14.
    EXPECT_EQ(compress(coder, Bytes(15, 'x')), (Bytes{0x40, 0x40, 0x00, 'x', 0x00, 0x1B}));
    // 5000 equal bytes: the longest run, then the rest.
    EXPECT_EQ(compress(coder, Bytes(5000, 'y')),
              (Bytes{0x40, 0xC0, 0x00, 0x00, 0x0F, 0xEF, 'y', 0x00, 0x03, 0x79, 'y'}));
    // Sixteen literals fill the first control word; the second stands before item 17.
    const std::string alphabet = "ABCDEFGHIJKLMNOPABCDEFGHIJKLMNOP";
    Bytes expected{0x40, 0x00, 0x00};
    expected.insert(expected.end(), alphabet.begin(), alphabet.begin() + 16);
    expected.insert(expected.end(), {0x80, 0x00, 0x01, 0x0D});
    EXPECT_EQ(compress(coder, Bytes(alphabet.begin(), alphabet.end())), expected);
}

TEST(BlockCoder, OneHashSlotPerPosition) {
    TLZR coder;
    // "fxo" hashes to the slot of "ABC" (3483), so the second "ABC" finds "fxo"
    // there and goes out as a literal; the copy starts one byte later.
    const std::string text = "ABCDEFGHIJKLMNOPQRSTfxoABCDEFGHIJKLMNOPQRST";
    const std::string literals = "ABCDEFGHIJKLMNOPQRSTfxoA";
    Bytes expected{0x40, 0x00, 0x00};
    expected.insert(expected.end(), literals.begin(), literals.begin() + 16);
    expected.insert(expected.end(), {0x00, 0x80});
    expected.insert(expected.end(), literals.begin() + 16, literals.end());
    expected.insert(expected.end(), {0x01, 0x7F, 'T'});  // 23 back, 18 long
    EXPECT_EQ(compress(coder, Bytes(text.begin(), text.end())), expected);
}

TEST(BlockCoder, ItemsStayWithinTheirLimitsAndDecodeBack) {
    TLZR coder;
    std::vector<Bytes> pieces = {tallytest::textBytes(32768, 1), tallytest::runBytes(32768, 2),
                                 tallytest::textBytes(1000, 3), Bytes(32768, 0)};
    for (const Bytes& piece : pieces) {
        const Bytes block = compress(coder, piece);
        ASSERT_EQ(block[0], 0x40) << "piece of " << piece.size() << " should compress";
        EXPECT_EQ(walkItems(block, piece.size()), piece);
        EXPECT_EQ(decompress(block), piece);
    }
}

TEST(BlockCoder, CopiesReachBackAtMost4095Bytes) {
    TLZR coder;
    const Bytes noise = tallytest::randomBytes(4097, 5);
    for (std::size_t period : {4095u, 4096u, 4097u}) {
        Bytes piece;
        while (piece.size() < 20000)
            piece.insert(piece.end(), noise.begin(), noise.begin() + period);
        const Bytes block = compress(coder, piece);
        if (period == 4095) {
            ASSERT_EQ(block[0], 0x40);
            EXPECT_EQ(walkItems(block, piece.size()), piece);
        } else {
            // Out of reach, random bytes have nothing to copy.
            EXPECT_EQ(block.size(), piece.size() + 1);
        }
    }
}

TEST(BlockCoder, WritesTheDescribedBytes) {
    TLZR coder;
    std::mt19937 gen(21);
    std::vector<Bytes> pieces;
    for (std::size_t size :
         {0u, 1u, 2u, 3u, 15u, 16u, 17u, 18u, 19u, 31u, 33u, 100u, 4096u, 32767u, 32768u}) {
        pieces.push_back(tallytest::textBytes(size, size));
        pieces.push_back(tallytest::runBytes(size, size));
        pieces.push_back(tallytest::randomBytes(size, size));
    }
    for (int i = 0; i < 60; ++i) {
        // Stretches of text, runs, noise and small numbers, as in real files.
        Bytes piece;
        const std::size_t size = gen() % 32769;
        while (piece.size() < size) {
            const unsigned kind = gen() % 4, len = gen() % 700 + 1, seed = gen();
            Bytes part = kind == 0   ? tallytest::textBytes(len, seed)
                         : kind == 1 ? tallytest::runBytes(len, seed)
                         : kind == 2 ? tallytest::randomBytes(len, seed)
                                     : Bytes(len);
            if (kind == 3) {
                for (std::size_t j = 0; j < len; j += 2)
                    part[j] = static_cast<std::uint8_t>(gen() % 20);
            }
            piece.insert(piece.end(), part.begin(), part.end());
        }
        piece.resize(size);
        pieces.push_back(piece);
    }
    for (const Bytes& piece : pieces) {
        const Bytes block = compress(coder, piece);
        ASSERT_EQ(block, referenceBlock(piece)) << "piece of " << piece.size() << " bytes";
        ASSERT_EQ(decompress(block), piece);
    }
}

TEST(BlockCoder, RejectsPiecesLargerThanABlock) {
    TLZR coder;
    Bytes piece(TLZR::kBlockSize + 1), block(TLZR::kBufferSize + 16);
    EXPECT_THROW(coder.CompressBlock(piece.data(), TLZR::kBlockSize + 1, block.data()),
                 tally::ELzrw1Exception);
}

TEST(BlockReader, RejectsBlocksTheWriterCannotProduce) {
    const Bytes run4095 = {0x00, 0x0F, 0xEF, 'r'};
    Bytes tooLong{0x40, 0xFF, 0x80};  // nine runs of 4095 bytes
    for (int i = 0; i < 9; ++i)
        tooLong.insert(tooLong.end(), run4095.begin(), run4095.end());
    Bytes literalPast{0x40, 0xFF, 0x00};  // eight runs, then literals past 32768
    for (int i = 0; i < 8; ++i)
        literalPast.insert(literalPast.end(), run4095.begin(), run4095.end());
    literalPast.insert(literalPast.end(), 9, 'l');
    // The same faults with enough well-formed items behind them to be met on
    // the fast path: literals to the end of the control word, then a word of
    // 16 more.
    auto withTail = [](Bytes block, std::size_t literalsLeft) {
        block.insert(block.end(), literalsLeft, 't');
        block.insert(block.end(), {0x00, 0x00});
        block.insert(block.end(), 16, 'u');
        return block;
    };
    Bytes tooLongFar{0x40, 0xFF, 0x00};  // seven runs of 4095, then one of 4111
    for (int i = 0; i < 7; ++i)
        tooLongFar.insert(tooLongFar.end(), run4095.begin(), run4095.end());
    tooLongFar.insert(tooLongFar.end(), {0x00, 0x0F, 0xFF, 'r'});
    tooLongFar = withTail(tooLongFar, 8);
    Bytes beforeStart{0x40, 0x00, 0x00};  // 16 literals, then a copy 100 back
    beforeStart.insert(beforeStart.end(), 16, 'l');
    beforeStart.insert(beforeStart.end(), {0x80, 0x00, 0x06, 0x40});
    const Bytes beforeStartFar = withTail(beforeStart, 15);
    const std::vector<Bytes> damaged = {
        tooLong,
        literalPast,
        tooLongFar,
        beforeStartFar,
        {0x40, 0x80, 0x00, 0x00, 0x10},        // copy 1 back with nothing written
        {0x40, 0x40, 0x00, 'a', 0x00, 0x20},   // copy 2 back after one byte
        {0x40, 0x80, 0x00, 0x05},              // copy item cut off
        {0x40, 0x80, 0x00, 0x00, 0x00, 0x04},  // run item cut off
        {0x40, 0x00, 0x00, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0x00},
    };
    for (const Bytes& block : damaged) {
        Bytes out(TLZR::kBlockSize + 64, 0xEE);
        EXPECT_THROW(
            TLZR::DecompressBlock(block.data(), static_cast<int>(block.size()), out.data()),
            tally::ELzrw1Exception);
        EXPECT_EQ(out[TLZR::kBlockSize], 0xEE);
    }
    const Bytes tooBig(TLZR::kMaxBlockData + 1, 0x80);
    Bytes out(TLZR::kBufferSize);
    EXPECT_THROW(TLZR::DecompressBlock(tooBig.data(), static_cast<int>(tooBig.size()), out.data()),
                 tally::ELzrw1Exception);
}

TEST(BlockReader, AcceptsWhatAReaderMustAccept) {
    EXPECT_EQ(decompress({}).size(), 0u);
    EXPECT_EQ(decompress({0x40}).size(), 0u);
    // Any flag other than 0x80 means compressed.
    EXPECT_EQ(decompress({0x13, 0x40, 0x00, 'a', 0x00, 0x1B}), Bytes(15, 'a'));
    // An overlapping copy repeats its pattern.
    EXPECT_EQ(decompress({0x40, 0x20, 0x00, 'a', 'b', 0x00, 0x24}),
              tallytest::Bytes({'a', 'b', 'a', 'b', 'a', 'b', 'a', 'b', 'a'}));
}
