#include <gtest/gtest.h>

#include "tally/lzh.h"
#include "tests/tally/testdata.h"

using tally::TLZH;
using tallytest::Bytes;

namespace {

// Hands out `data` in pieces of `pieceSize`, counting the requests.
struct PieceSource {
    const Bytes& data;
    std::size_t pieceSize;
    std::size_t pos = 0;
    int requests = 0;
    std::span<const std::uint8_t> operator()() {
        ++requests;
        const std::size_t n = std::min(pieceSize, data.size() - pos);
        std::span<const std::uint8_t> piece(data.data() + pos, n);
        pos += n;
        return piece;
    }
};

Bytes encode(const Bytes& data) {
    PieceSource source{data, 1000};
    Bytes out;
    TLZH().Encode(std::ref(source), [&](std::span<const std::uint8_t> p) {
        out.insert(out.end(), p.begin(), p.end());
    });
    return out;
}

Bytes decode(const Bytes& stream, std::int64_t size, int* requests = nullptr) {
    PieceSource source{stream, 777};
    Bytes out;
    TLZH().Decode(size, std::ref(source), [&](std::span<const std::uint8_t> p) {
        out.insert(out.end(), p.begin(), p.end());
    });
    if (requests != nullptr) *requests = source.requests;
    return out;
}

}  // namespace

// Worked out by hand from the starting tree, where node k's parent is 314 + k / 2
// and its bit is k & 1: 'A' (leaf 65) is 111001101; after it, 'A' has swapped
// places with leaf 313 and nothing else moved, so the length-4 symbol 257 is
// still 10001101. Position 1 is the fixed code 000 and the raw bits 000001.
TEST(Lzhuf, DecodesAHandBuiltStream) {
    const Bytes stream = {0xE6, 0xC6, 0x80, 0x40};
    const std::string expected = "A A A";  // the copy starts in the ring's blanks
    EXPECT_EQ(decode(stream, 5), Bytes(expected.begin(), expected.end()));
}

TEST(Lzhuf, CodesALiteralWithTheStartingTree) {
    EXPECT_EQ(encode({'A'}), (Bytes{0xE6, 0x80}));
    EXPECT_TRUE(encode({}).empty());
}

TEST(Lzhuf, RoundTripsVariedData) {
    Bytes mixed = tallytest::textBytes(50000, 4);
    const Bytes noise = tallytest::randomBytes(120000, 5);  // enough symbols to rebuild the tree
    mixed.insert(mixed.end(), noise.begin(), noise.end());
    const Bytes runs = tallytest::runBytes(70000, 6);
    mixed.insert(mixed.end(), runs.begin(), runs.end());
    for (const Bytes& data : {Bytes(1, ' '), Bytes(100, ' '), Bytes(3, 'q'),
                              tallytest::textBytes(61, 7), tallytest::textBytes(30000, 8), mixed}) {
        const Bytes stream = encode(data);
        int requests = 0;
        EXPECT_EQ(decode(stream, static_cast<std::int64_t>(data.size()), &requests), data);
        // Every bit of the stream is needed, and none past it.
        EXPECT_EQ(requests, static_cast<int>((stream.size() + 776) / 777));
    }
    EXPECT_LT(encode(tallytest::textBytes(30000, 8)).size(), 30000u / 3);
}

TEST(Lzhuf, StopsWhereTheInputEnds) {
    const Bytes data = tallytest::textBytes(20000, 9);
    Bytes stream = encode(data);
    stream.resize(stream.size() / 2);
    const Bytes part = decode(stream, static_cast<std::int64_t>(data.size()));
    EXPECT_LT(part.size(), data.size());
    EXPECT_TRUE(std::equal(part.begin(), part.end(), data.begin()));
    // A size beyond the stream's content is never reached either; at most the
    // padding bits of the last byte can read as a few more literals.
    const Bytes whole = decode(encode(data), 1 << 30);
    EXPECT_GE(whole.size(), data.size());
    EXPECT_LE(whole.size(), data.size() + 7);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), whole.begin()));
}
