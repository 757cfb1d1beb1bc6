#pragma once

#include <cstdint>
#include <memory>

namespace tally {

// LZRW1/KH block coder: LZRW1 with an added run item. Each block is coded on
// its own; positions, distances and lengths are 16-bit quantities.
class TLZR {
  public:
    static constexpr int kBlockSize = 32768;
    // Every block buffer is this large: the writer may run a few bytes past the
    // input size before it falls back to a stored block.
    static constexpr int kBufferSize = kBlockSize + 16;
    static constexpr int kMaxBlockData = kBlockSize + 1;

    static constexpr std::uint8_t kStored = 0x80;
    static constexpr std::uint8_t kCompressed = 0x40;

    // Throws ELzrw1KHCompressor when the hash table cannot be had.
    TLZR();

    // Codes `count` bytes (0 to kBlockSize) of `source` into `dest`, which must
    // hold kBufferSize bytes. Returns the length of the block data (1 to kMaxBlockData).
    int CompressBlock(const std::uint8_t* source, int count, std::uint8_t* dest);

    // Decodes `length` bytes of block data into `dest`, which must hold kBlockSize
    // bytes; bytes of `dest` beyond the returned count may be overwritten.
    // Throws ELzrw1Exception for a block the writer cannot have produced.
    static int DecompressBlock(const std::uint8_t* source, int length, std::uint8_t* dest);

  private:
    static constexpr int kHashSize = 4096;
    std::unique_ptr<std::uint64_t[]> hash_;
    // The hash of every position of the block, worked out ahead of the matcher.
    std::unique_ptr<std::uint16_t[]> positionHash_;
};

}  // namespace tally
