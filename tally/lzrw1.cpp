#include "tally/lzrw1.h"

#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <vector>

#include "tally/errors.h"
#include "tally/lzrw1files.h"

namespace tally {

namespace {

constexpr char kFastSignature[4] = {'W', 'R', 'Z', 'L'};
constexpr char kGoodSignature[4] = {'!', 'H', 'Z', 'L'};
constexpr std::size_t kHeaderSize = 8;
constexpr std::int64_t kAdviseMinimum = 3 * TLZR::kBlockSize;

std::vector<std::uint8_t> buffer(const char* failure) {
    try {
        return std::vector<std::uint8_t>(TLZR::kBufferSize);
    } catch (const std::bad_alloc&) {
        throw ELzrw1Exception(failure);
    }
}

// The captions divide by the bytes read; nothing read shows as 0.
std::string percent(std::int64_t part, std::int64_t whole) {
    return std::to_string(whole == 0 ? 0 : part * 100 / whole);
}

void putLe32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t getLe32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

const char* const kIoBuffers = "Lzrw1 (de)compression : Failed to get memory for I/O buffers !";

}  // namespace

struct Tlzrw1::Run {
    SourceFile in;
    TargetFile out;
    std::vector<std::uint8_t> inBuf = buffer(kIoBuffers);
    std::vector<std::uint8_t> outBuf = buffer(kIoBuffers);
    std::int64_t size = 0;  // uncompressed size
    std::int64_t bytesIn = 0;
    std::int64_t bytesOut = 0;
};

void Tlzrw1::progress() {
    if (onProgress) onProgress();
}

void Tlzrw1::openFiles(Run& run) {
    if (!run.in.open(InputFile)) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open input file : " + InputFile);
    }
    // Creating the output would wipe the input.
    if (sameFile(InputFile, OutputFile)) {
        throw ELzrw1Exception("Lzrw1 (de)compression : input and output are the same file : " +
                              InputFile);
    }
    if (!run.out.create(OutputFile)) {
        throw ELzrw1Exception("Lzrw1 (de)compression : Failed to open output file : " + OutputFile);
    }
}

std::int64_t Tlzrw1::Compress() {
    const TCompressMode mode = CompressMode == TCompressMode::Auto ? Advise() : CompressMode;
    Run run;
    const char* signature = mode == TCompressMode::Fast ? kFastSignature : kGoodSignature;

    run.size = fileSizeOf(InputFile);
    if (run.size < 0) {
        throw ELzrw1Exception("Lzrw1 compression : Failed to obtain the size of : " + InputFile);
    }
    if (run.size > std::numeric_limits<std::int32_t>::max()) {
        throw ELzrw1Exception("Lzrw1 compression : the file is too large to compress : " +
                              InputFile);
    }
    openFiles(run);

    std::uint8_t header[kHeaderSize];
    std::memcpy(header, signature, 4);
    putLe32(header + 4, static_cast<std::uint32_t>(run.size));
    if (!run.out.write(header, kHeaderSize)) {
        throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + OutputFile);
    }
    progress();
    run.bytesOut = kHeaderSize;

    if (mode == TCompressMode::Fast) {
        compressFast(run);
    } else {
        compressGood(run);
    }
    // The header already carries the size, so a file that changed meanwhile
    // would decompress to something else.
    if (run.bytesIn != run.size) {
        throw ELzrw1Exception("Lzrw1 compression : the file changed while it was read : " +
                              InputFile);
    }
    if (!run.out.keep()) {
        throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + OutputFile);
    }
    Caption = InputFile + " : Lzrw1 : successfully compressed at " +
              percent(run.bytesOut, run.bytesIn) + "%";
    return run.bytesOut;
}

void Tlzrw1::compressFast(Run& run) {
    std::uint8_t* inBuf = run.inBuf.data();
    std::uint8_t* outBuf = run.outBuf.data();
    std::size_t got;
    do {
        got = run.in.read(inBuf, TLZR::kBlockSize);
        if (run.in.failed()) {
            throw ELzrw1Exception("Lzrw1 : Error reading from input file : " + InputFile +
                                  " (LZRW1/KH)");
        }
        progress();
        run.bytesIn += static_cast<std::int64_t>(got);
        const int length = lzr_.CompressBlock(inBuf, static_cast<int>(got), outBuf);
        const std::uint8_t lengthBytes[2] = {static_cast<std::uint8_t>(length),
                                             static_cast<std::uint8_t>(length >> 8)};
        if (!run.out.write(lengthBytes, 2)) {
            throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + OutputFile);
        }
        progress();
        if (!run.out.write(outBuf, static_cast<std::size_t>(length))) {
            throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + OutputFile);
        }
        progress();
        run.bytesOut += 2 + length;
        Caption = "(LZRW1/KH) Bytes in : " + std::to_string(run.bytesIn) +
                  " Bytes out : " + std::to_string(run.bytesOut);
    } while (got == static_cast<std::size_t>(TLZR::kBlockSize));
}

// The LZHUF coder reads and writes through the operation's buffers, counting and
// reporting as it goes; both directions use the same two ends.
std::pair<TLZH::Source, TLZH::Sink> Tlzrw1::lzhEnds(Run& run) {
    auto caption = [this, &run] {
        Caption = "(LZH) Bytes in : " + std::to_string(run.bytesIn) +
                  " Bytes out : " + std::to_string(run.bytesOut);
    };
    TLZH::Source source = [this, &run, caption]() -> std::span<const std::uint8_t> {
        const std::size_t got = run.in.read(run.inBuf.data(), TLZR::kBlockSize);
        if (run.in.failed()) {
            throw ELzrw1Exception("Lzrw1 : Error reading from input file : " + InputFile +
                                  " (LZH)");
        }
        run.bytesIn += static_cast<std::int64_t>(got);
        caption();
        progress();
        return {run.inBuf.data(), got};
    };
    TLZH::Sink sink = [this, &run, caption](std::span<const std::uint8_t> piece) {
        if (!run.out.write(piece.data(), piece.size())) {
            throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + OutputFile);
        }
        run.bytesOut += static_cast<std::int64_t>(piece.size());
        caption();
        progress();
    };
    return {std::move(source), std::move(sink)};
}

void Tlzrw1::compressGood(Run& run) {
    auto [source, sink] = lzhEnds(run);
    lzh_.Encode(source, sink);
}

std::int64_t Tlzrw1::Decompress() {
    Run run;
    openFiles(run);

    std::uint8_t header[kHeaderSize];
    if (run.in.read(header, 4) != 4) {
        throw ELzrw1Exception("Lzrw1 : Error reading from input file : " + InputFile);
    }
    progress();
    const bool fast = std::memcmp(header, kFastSignature, 4) == 0;
    if (!fast && std::memcmp(header, kGoodSignature, 4) != 0) {
        throw ELzrw1Exception(InputFile +
                              " : Lzrw1 decompression : this file has no valid header !");
    }
    if (run.in.read(header + 4, 4) != 4) {
        throw ELzrw1Exception("Lzrw1 : Error reading from input file : " + InputFile);
    }
    progress();
    run.size = static_cast<std::int32_t>(getLe32(header + 4));
    if (MaxSize >= 0 && (run.size < 0 || run.size > MaxSize)) {
        throw ELzrw1Exception(InputFile + " : Lzrw1 decompression : the file promises " +
                              std::to_string(getLe32(header + 4)) + " bytes, more than the " +
                              std::to_string(MaxSize) + " allowed");
    }
    run.bytesIn = kHeaderSize;

    if (fast) {
        decompressFast(run);
    } else {
        decompressGood(run);
    }
    if (!run.out.keep()) {
        throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + OutputFile);
    }
    Caption = InputFile + " : Lzrw1 : successfully decompressed at " +
              percent(run.bytesOut, run.bytesIn) + "%";
    return run.bytesOut;
}

void Tlzrw1::decompressFast(Run& run) {
    const std::string sizesDiffer =
        "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
    std::uint8_t* inBuf = run.inBuf.data();
    std::uint8_t* outBuf = run.outBuf.data();
    int produced;
    do {
        std::uint8_t lengthBytes[2];
        if (run.in.read(lengthBytes, 2) != 2) {
            throw ELzrw1Exception("Lzrw1 : Error reading from input file : " + InputFile);
        }
        progress();
        const int length = lengthBytes[0] | (lengthBytes[1] << 8);
        if (length > TLZR::kMaxBlockData) {
            throw ELzrw1Exception(InputFile + " : Lzrw1 decompression : damaged block of " +
                                  std::to_string(length) + " bytes");
        }
        if (run.in.read(inBuf, static_cast<std::size_t>(length)) !=
            static_cast<std::size_t>(length)) {
            throw ELzrw1Exception("Lzrw1 : Error reading from input file : " + InputFile);
        }
        progress();
        run.bytesIn += 2 + length;
        try {
            produced = TLZR::DecompressBlock(inBuf, length, outBuf);
        } catch (const ELzrw1Exception& e) {
            throw ELzrw1Exception(InputFile + " : " + e.what());
        }
        // More than the header promised can only be damage; stop before writing it.
        if (run.bytesOut + produced > run.size) throw ELzrw1Exception(sizesDiffer);
        if (!run.out.write(outBuf, static_cast<std::size_t>(produced))) {
            throw ELzrw1Exception("Lzrw1 : Error writing to output file : " + OutputFile);
        }
        progress();
        run.bytesOut += produced;
        Caption = "(LZRW1/KH) Bytes in : " + std::to_string(run.bytesIn) +
                  " Bytes out : " + std::to_string(run.bytesOut);
    } while (produced == TLZR::kBlockSize);
    if (run.bytesOut != run.size) throw ELzrw1Exception(sizesDiffer);
}

void Tlzrw1::decompressGood(Run& run) {
    auto [source, sink] = lzhEnds(run);
    // A stream that runs out of bits ends short of the size.
    lzh_.Decode(run.size, source, sink);
    if (run.bytesOut != run.size) {
        throw ELzrw1Exception(
            "Lzrw1 (LZH decompression) : Original and compressed sizes do not match !");
    }
}

TCompressMode Tlzrw1::Advise() {
    Caption = "Guessing the best compression mode for : " + InputFile;
    std::vector<std::uint8_t> inBuf = buffer("Lzrw1 advise : Error getting I/O buffers");
    std::vector<std::uint8_t> outBuf = buffer("Lzrw1 advise : Error getting I/O buffers");
    const std::int64_t size = fileSizeOf(InputFile);
    if (size < 0) throw ELzrw1Exception("Lzrw1 advise : can not get the size of : " + InputFile);
    SourceFile in;
    if (!in.open(InputFile)) {
        throw ELzrw1Exception("Lzrw1 advise : can open input file : " + InputFile);
    }
    if (size < kAdviseMinimum) {
        CompressMode = TCompressMode::Good;
        Caption = "Lzrw1 recommends GOOD compression :  small file !!";
        return TCompressMode::Good;
    }

    std::int64_t compressed = 0;
    std::int64_t read = 0;
    for (const std::int64_t at : {size / 3, size * 2 / 3}) {
        const std::int64_t offset = at / TLZR::kBlockSize * TLZR::kBlockSize;
        if (!in.seek(offset)) {
            throw ELzrw1Exception("Lzrw1 advise : read error on input file : " + InputFile);
        }
        const std::size_t got = in.read(inBuf.data(), TLZR::kBlockSize);
        if (in.failed()) {
            throw ELzrw1Exception("Lzrw1 advise : read error on input file : " + InputFile);
        }
        progress();
        read += static_cast<std::int64_t>(got);
        compressed += lzr_.CompressBlock(inBuf.data(), static_cast<int>(got), outBuf.data());
    }
    // A file that shrank meanwhile may yield nothing to sample.
    if (read == 0) {
        throw ELzrw1Exception("Lzrw1 advise : read error on input file : " + InputFile);
    }
    const std::string ratio = percent(compressed, read) + "%.";
    if (compressed < read * Threshold / 100) {
        Caption = "Lzrw1 recommends FAST compression : " + ratio;
        return TCompressMode::Fast;
    }
    Caption = "Lzrw1 recommends GOOD compression : " + ratio;
    return TCompressMode::Good;
}

}  // namespace tally
