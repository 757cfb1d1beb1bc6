#include "tally/lzh.h"

#include <array>
#include <memory>
#include <new>
#include <vector>

#include "tally/errors.h"
#include "tally/lzhhuffman.h"

namespace tally {

namespace {

constexpr int kRing = 4096;     // N
constexpr int kLookAhead = 60;  // F
constexpr int kThreshold = 2;   // longest string still sent as literals
constexpr int kNil = kRing;     // no node
constexpr int kFirstWrite = kRing - kLookAhead;
constexpr std::size_t kChunk = 32768;

// The fixed code of a position's upper 6 bits: lengths and left-aligned codes.
constexpr std::array<std::uint8_t, 64> kPositionLength = {
    3, 4, 4, 4, 5, 5, 5, 5, 5, 5, 5, 5, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 7, 7, 7, 7, 7, 7, 7, 7,
    7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8};
constexpr std::array<std::uint8_t, 64> kPositionCode = {
    0x00, 0x20, 0x30, 0x40, 0x50, 0x58, 0x60, 0x68, 0x70, 0x78, 0x80, 0x88, 0x90, 0x94, 0x98, 0x9C,
    0xA0, 0xA4, 0xA8, 0xAC, 0xB0, 0xB4, 0xB8, 0xBC, 0xC0, 0xC2, 0xC4, 0xC6, 0xC8, 0xCA, 0xCC, 0xCE,
    0xD0, 0xD2, 0xD4, 0xD6, 0xD8, 0xDA, 0xDC, 0xDE, 0xE0, 0xE2, 0xE4, 0xE6, 0xE8, 0xEA, 0xEC, 0xEE,
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF};

// The decoding side of the same code, indexed by the next 8 bits.
struct PositionDecode {
    std::array<std::uint8_t, 256> upper{};
    std::array<std::uint8_t, 256> length{};
};

constexpr PositionDecode makePositionDecode() {
    PositionDecode d;
    for (int s = 0; s < 64; ++s) {
        const int span = 1 << (8 - kPositionLength[s]);
        for (int i = 0; i < span; ++i) {
            d.upper[kPositionCode[s] + i] = static_cast<std::uint8_t>(s);
            d.length[kPositionCode[s] + i] = kPositionLength[s];
        }
    }
    return d;
}
constexpr PositionDecode kPositionDecode = makePositionDecode();

[[noreturn]] void noTables() {
    throw ElzhException("LZH : Cannot get memory for dictionary tables");
}

class ByteInput {
  public:
    explicit ByteInput(const TLZH::Source& source) : source_(source) {}
    // False at the end of the input.
    bool next(std::uint8_t& byte) {
        if (pos_ == piece_.size()) {
            if (ended_) return false;
            piece_ = source_();
            pos_ = 0;
            if (piece_.empty()) {
                ended_ = true;
                return false;
            }
        }
        byte = piece_[pos_++];
        return true;
    }

  private:
    const TLZH::Source& source_;
    std::span<const std::uint8_t> piece_;
    std::size_t pos_ = 0;
    bool ended_ = false;
};

class ByteOutput {
  public:
    explicit ByteOutput(const TLZH::Sink& sink) : sink_(sink) { buffer_.reserve(kChunk); }
    void put(std::uint8_t byte) {
        buffer_.push_back(byte);
        if (buffer_.size() == kChunk) flush();
    }
    void flush() {
        if (!buffer_.empty()) sink_(buffer_);
        buffer_.clear();
    }

  private:
    const TLZH::Sink& sink_;
    std::vector<std::uint8_t> buffer_;
};

class BitOutput {
  public:
    explicit BitOutput(ByteOutput& out) : out_(out) {}
    // Appends the low `count` bits of `bits` (count at most 24), highest first.
    void put(std::uint32_t bits, int count) {
        acc_ = (acc_ << count) | (bits & ((1u << count) - 1));
        pending_ += count;
        while (pending_ >= 8) {
            pending_ -= 8;
            out_.put(static_cast<std::uint8_t>(acc_ >> pending_));
        }
    }
    void finish() {
        if (pending_ > 0) out_.put(static_cast<std::uint8_t>(acc_ << (8 - pending_)));
        pending_ = 0;
    }

  private:
    ByteOutput& out_;
    std::uint32_t acc_ = 0;
    int pending_ = 0;
};

class BitInput {
  public:
    explicit BitInput(ByteInput& in) : in_(in) {}
    // Past the end of the input every bit reads as 0 and ended() turns true.
    unsigned bit() {
        if (left_ == 0) {
            if (!in_.next(byte_)) {
                ended_ = true;
                return 0;
            }
            left_ = 8;
        }
        --left_;
        return (byte_ >> left_) & 1u;
    }
    unsigned bits(int count) {
        unsigned v = 0;
        while (count-- > 0)
            v = (v << 1) | bit();
        return v;
    }
    bool ended() const { return ended_; }

  private:
    ByteInput& in_;
    std::uint8_t byte_ = 0;
    int left_ = 0;
    bool ended_ = false;
};

// The ring and its binary search trees: one tree per first byte, the nodes
// being ring positions.
class Dictionary {
  public:
    Dictionary()
        : text(kRing + kLookAhead - 1, 0), left_(kRing + 1), right_(kRing + 257), dad_(kRing + 1) {
        for (int i = kRing + 1; i <= kRing + 256; ++i)
            right_[i] = kNil;
        for (int i = 0; i < kRing; ++i)
            dad_[i] = kNil;
    }

    std::vector<std::uint8_t> text;  // the ring, its first F - 1 bytes repeated at the end
    int matchPosition = 0;           // distance - 1 of the longest match
    int matchLength = 0;

    void insert(int r) {
        int cmp = 1;
        const std::uint8_t* key = &text[r];
        int p = kRing + 1 + key[0];
        right_[r] = left_[r] = kNil;
        matchLength = 0;
        for (;;) {
            if (cmp >= 0) {
                if (right_[p] == kNil) {
                    right_[p] = r;
                    dad_[r] = p;
                    return;
                }
                p = right_[p];
            } else {
                if (left_[p] == kNil) {
                    left_[p] = r;
                    dad_[r] = p;
                    return;
                }
                p = left_[p];
            }
            int i = 1;
            for (; i < kLookAhead; ++i) {
                cmp = key[i] - text[p + i];
                if (cmp != 0) break;
            }
            if (i > kThreshold) {
                const int position = ((r - p) & (kRing - 1)) - 1;
                if (i > matchLength) {
                    matchPosition = position;
                    matchLength = i;
                    if (matchLength >= kLookAhead) break;
                }
                if (i == matchLength && position < matchPosition) matchPosition = position;
            }
        }
        // A full-length match: r takes p's place in the tree.
        dad_[r] = dad_[p];
        left_[r] = left_[p];
        right_[r] = right_[p];
        dad_[left_[p]] = r;
        dad_[right_[p]] = r;
        if (right_[dad_[p]] == p) {
            right_[dad_[p]] = r;
        } else {
            left_[dad_[p]] = r;
        }
        dad_[p] = kNil;
    }

    void remove(int p) {
        if (dad_[p] == kNil) return;
        int q;
        if (right_[p] == kNil) {
            q = left_[p];
        } else if (left_[p] == kNil) {
            q = right_[p];
        } else {
            q = left_[p];
            if (right_[q] != kNil) {
                do {
                    q = right_[q];
                } while (right_[q] != kNil);
                right_[dad_[q]] = left_[q];
                dad_[left_[q]] = dad_[q];
                left_[q] = left_[p];
                dad_[left_[p]] = q;
            }
            right_[q] = right_[p];
            dad_[right_[p]] = q;
        }
        dad_[q] = dad_[p];
        if (right_[dad_[p]] == p) {
            right_[dad_[p]] = q;
        } else {
            left_[dad_[p]] = q;
        }
        dad_[p] = kNil;
    }

  private:
    std::vector<int> left_, right_, dad_;
};

void encodeSymbol(LzhHuffman& tree, BitOutput& bits, int symbol) {
    std::uint32_t code;
    int length;
    tree.codeOf(symbol, code, length);
    bits.put(code, length);
    tree.update(symbol);
}

void encodePosition(BitOutput& bits, int position) {
    const int upper = position >> 6;
    bits.put(kPositionCode[upper] >> (8 - kPositionLength[upper]), kPositionLength[upper]);
    bits.put(static_cast<std::uint32_t>(position & 0x3F), 6);
}

int decodeSymbol(LzhHuffman& tree, BitInput& bits) {
    int c = tree.root();
    while (!LzhHuffman::isLeaf(c))
        c = tree.child(c, bits.bit());
    const int symbol = LzhHuffman::symbolOf(c);
    tree.update(symbol);
    return symbol;
}

int decodePosition(BitInput& bits) {
    const unsigned first = bits.bits(8);
    const unsigned upper = kPositionDecode.upper[first];
    const int more = kPositionDecode.length[first] - 2;
    const unsigned lower = (first << more) | bits.bits(more);
    return static_cast<int>((upper << 6) | (lower & 0x3F));
}

}  // namespace

std::int64_t TLZH::Encode(const Source& source, const Sink& sink) {
    ByteInput in(source);
    std::uint8_t c;
    if (!in.next(c)) return 0;

    std::unique_ptr<Dictionary> dict;
    std::unique_ptr<LzhHuffman> tree;
    try {
        dict = std::make_unique<Dictionary>();
        tree = std::make_unique<LzhHuffman>();
    } catch (const std::bad_alloc&) {
        noTables();
    }
    ByteOutput out(sink);
    BitOutput bits(out);
    std::vector<std::uint8_t>& text = dict->text;

    int s = 0;
    int r = kFirstWrite;
    for (int i = s; i < r; ++i)
        text[i] = ' ';
    int len = 0;
    bool more = true;
    while (more) {
        text[r + len] = c;
        ++len;
        more = len < kLookAhead && in.next(c);
    }
    std::int64_t coded = len;
    for (int i = 1; i <= kLookAhead; ++i)
        dict->insert(r - i);
    dict->insert(r);

    do {
        if (dict->matchLength > len) dict->matchLength = len;
        if (dict->matchLength <= kThreshold) {
            dict->matchLength = 1;
            encodeSymbol(*tree, bits, text[r]);
        } else {
            encodeSymbol(*tree, bits, 255 - kThreshold + dict->matchLength);
            encodePosition(bits, dict->matchPosition);
        }
        const int lastMatchLength = dict->matchLength;
        int i = 0;
        for (; i < lastMatchLength && in.next(c); ++i) {
            dict->remove(s);
            text[s] = c;
            if (s < kLookAhead - 1) text[s + kRing] = c;
            s = (s + 1) & (kRing - 1);
            r = (r + 1) & (kRing - 1);
            dict->insert(r);
        }
        coded += i;
        while (i++ < lastMatchLength) {
            dict->remove(s);
            s = (s + 1) & (kRing - 1);
            r = (r + 1) & (kRing - 1);
            if (--len) dict->insert(r);
        }
    } while (len > 0);

    bits.finish();
    out.flush();
    return coded;
}

std::int64_t TLZH::Decode(std::int64_t size, const Source& source, const Sink& sink) {
    if (size <= 0) return 0;
    std::vector<std::uint8_t> text;
    std::unique_ptr<LzhHuffman> tree;
    try {
        text.assign(kRing, ' ');
        tree = std::make_unique<LzhHuffman>();
    } catch (const std::bad_alloc&) {
        noTables();
    }
    ByteInput in(source);
    BitInput bits(in);
    ByteOutput out(sink);

    int r = kFirstWrite;
    std::int64_t count = 0;
    auto emit = [&](std::uint8_t byte) {
        out.put(byte);
        text[r] = byte;
        r = (r + 1) & (kRing - 1);
        ++count;
    };
    while (count < size) {
        const int symbol = decodeSymbol(*tree, bits);
        if (bits.ended()) break;
        if (symbol < 256) {
            emit(static_cast<std::uint8_t>(symbol));
            continue;
        }
        const int position = decodePosition(bits);
        if (bits.ended()) break;
        const int from = (r - position - 1) & (kRing - 1);
        const int length = symbol - 255 + kThreshold;
        for (int k = 0; k < length && count < size; ++k)
            emit(text[(from + k) & (kRing - 1)]);
    }
    out.flush();
    return count;
}

}  // namespace tally
