// Arbitrary bytes as a Fast block, as a Good stream and as input to both coders.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "tally/errors.h"
#include "tally/lzh.h"
#include "tally/lzrw1kh.h"

namespace {

using tally::TLZH;
using tally::TLZR;

void readBlock(const std::uint8_t* data, std::size_t size) {
    if (size > static_cast<std::size_t>(TLZR::kMaxBlockData)) return;
    // Exact sizes, so the address sanitizer sees any access outside them.
    const std::vector<std::uint8_t> block(data, data + size);
    std::vector<std::uint8_t> out(TLZR::kBlockSize);
    try {
        const int n = TLZR::DecompressBlock(block.data(), static_cast<int>(size), out.data());
        if (n < 0 || n > TLZR::kBlockSize) std::abort();
    } catch (const tally::ELzrw1Exception&) {
    }
}

// Hands the input out in small pieces to exercise the boundaries between them.
struct Pieces {
    std::span<const std::uint8_t> rest;
    std::vector<std::uint8_t> piece;
    std::span<const std::uint8_t> operator()() {
        const std::size_t n = rest.size() < 7 ? rest.size() : 7;
        piece.assign(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(n));
        rest = rest.subspan(n);
        return piece;
    }
};

void readStream(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return;
    const std::int64_t bound = data[0] | (data[1] << 8);
    Pieces source{{data + 2, size - 2}, {}};
    std::int64_t written = 0;
    const std::int64_t produced = TLZH().Decode(bound, std::ref(source), [&](auto piece) {
        written += static_cast<std::int64_t>(piece.size());
    });
    if (produced != written || produced > bound) std::abort();
}

void roundTrip(const std::uint8_t* data, std::size_t size) {
    if (size > static_cast<std::size_t>(TLZR::kBlockSize)) size = TLZR::kBlockSize;
    const std::vector<std::uint8_t> piece(data, data + size);
    std::vector<std::uint8_t> block(TLZR::kBufferSize), back(TLZR::kBlockSize);
    TLZR coder;
    const int length = coder.CompressBlock(piece.data(), static_cast<int>(size), block.data());
    if (length > static_cast<int>(size) + 1) std::abort();
    block.resize(static_cast<std::size_t>(length));
    const int n = TLZR::DecompressBlock(block.data(), length, back.data());
    if (n != static_cast<int>(size)) std::abort();
    if (size > 0 && std::memcmp(back.data(), piece.data(), size) != 0) std::abort();

    if (size > 4096) return;  // the LZHUF coder is slow enough as it is
    Pieces source{{piece.data(), size}, {}};
    std::vector<std::uint8_t> stream, again;
    TLZH().Encode(std::ref(source),
                  [&](auto p) { stream.insert(stream.end(), p.begin(), p.end()); });
    Pieces streamSource{{stream.data(), stream.size()}, {}};
    TLZH().Decode(static_cast<std::int64_t>(size), std::ref(streamSource),
                  [&](auto p) { again.insert(again.end(), p.begin(), p.end()); });
    if (again != piece) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    readBlock(data, size);
    readStream(data, size);
    roundTrip(data, size);
    return 0;
}
