// Arbitrary bytes as a Good (LZHUF) stream, handed out in small pieces as the
// file reader does: decoding never passes the size it was asked for; and short
// inputs code and decode to themselves.
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <span>
#include <vector>

#include "tally/lzh.h"

namespace {

using tally::TLZH;

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
    // Up to 4 KiB asked for: enough for every code, quick enough to fuzz.
    const std::int64_t bound = data[0] | ((data[1] & 0x0F) << 8);
    Pieces source{{data + 2, size - 2}, {}};
    std::int64_t written = 0;
    const std::int64_t produced = TLZH().Decode(bound, std::ref(source), [&](auto piece) {
        written += static_cast<std::int64_t>(piece.size());
    });
    if (produced != written || produced > bound) std::abort();
}

void roundTrip(const std::uint8_t* data, std::size_t size) {
    if (size > 512) size = 512;  // the adaptive tree makes long inputs slow
    const std::vector<std::uint8_t> piece(data, data + size);
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
    readStream(data, size);
    roundTrip(data, size);
    return 0;
}
