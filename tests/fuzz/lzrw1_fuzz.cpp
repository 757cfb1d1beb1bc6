// Arbitrary bytes as a Fast block and as input to the block coder: any block is
// refused or decoded within its buffer, and every input codes and decodes to itself.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tally/errors.h"
#include "tally/lzrw1kh.h"

namespace {

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
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    readBlock(data, size);
    roundTrip(data, size);
    return 0;
}
