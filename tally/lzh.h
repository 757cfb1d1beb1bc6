#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace tally {

// LZHUF coder: LZSS over a 4096-byte ring with a 60-byte look-ahead, its
// lengths and literals coded by an adaptive Huffman tree, its positions by a
// fixed code for the upper 6 bits plus 6 raw bits. Bits are packed from the
// most significant bit; the last byte is padded with 0 bits.
class TLZH {
  public:
    // Hands out the next piece of input; an empty span ends the input.
    using Source = std::function<std::span<const std::uint8_t>()>;
    // Takes the next piece of output.
    using Sink = std::function<void(std::span<const std::uint8_t>)>;

    // Codes everything the source gives. Returns the number of bytes coded.
    // Throws ElzhException when the tables cannot be had.
    std::int64_t Encode(const Source& source, const Sink& sink);

    // Decodes until `size` bytes were produced or the input runs out; never asks
    // for input past the last bit it needs. Returns the number of bytes produced,
    // which is less than `size` only for a stream that ends too early.
    std::int64_t Decode(std::int64_t size, const Source& source, const Sink& sink);
};

}  // namespace tally
