// Fast block coding against memcpy and LZ4 on 1 MiB of text and of mixed binary data,
// both cut into the same 32768-byte blocks.
#include <benchmark/benchmark.h>
#include <lz4.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "tally/lzrw1kh.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kCorpusSize = 1 << 20;
constexpr int kBlock = tally::TLZR::kBlockSize;

void appendText(Bytes& out, std::mt19937& gen, std::size_t n) {
    static const char* const words[] = {
        "the ",    "game ",  "dart ",   "bull ",     "double ", "Vuzi ", "throws ", "twenty ",
        "closed ", "score ", "player ", "seat ",     "wins ",   "and ",  "of ",     "a ",
        "team ",   "turn ",  "dice ",   "board ",    "card ",   "open ", "marks ",  "host ",
        "chat ",   "lobby ", "spy ",    "watch\r\n", "16 ",     "17 ",   "18 ",     "19 "};
    for (std::size_t end = out.size() + n; out.size() < end;) {
        const std::string w = words[gen() % 32];
        out.insert(out.end(), w.begin(), w.end());
    }
}

Bytes textCorpus() {
    std::mt19937 gen(1234);
    Bytes out;
    appendText(out, gen, kCorpusSize);
    out.resize(kCorpusSize);
    return out;
}

// Runs, text, random bytes and small 16-bit integers, interleaved.
Bytes mixedCorpus() {
    std::mt19937 gen(5678);
    Bytes out;
    while (out.size() < kCorpusSize) {
        switch (gen() % 4) {
            case 0:
                out.insert(out.end(), gen() % 300 + 1, static_cast<std::uint8_t>(gen()));
                break;
            case 1:
                appendText(out, gen, gen() % 2000);
                break;
            case 2:
                for (unsigned i = gen() % 1000; i > 0; --i)
                    out.push_back(static_cast<std::uint8_t>(gen()));
                break;
            default:
                for (unsigned i = gen() % 500; i > 0; --i) {
                    const unsigned v = gen() % 100;
                    out.push_back(static_cast<std::uint8_t>(v));
                    out.push_back(0);
                }
        }
    }
    out.resize(kCorpusSize);
    return out;
}

const Bytes& corpus(int which) {
    static const Bytes text = textCorpus();
    static const Bytes mixed = mixedCorpus();
    return which == 0 ? text : mixed;
}

constexpr int kBlocks = static_cast<int>(kCorpusSize / kBlock);

void finish(benchmark::State& state, std::size_t compressed) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kCorpusSize);
    state.counters["ratio"] = static_cast<double>(compressed) / kCorpusSize;
    state.SetLabel(state.range(0) == 0 ? "text" : "mixed");
}

void Lzrw1Compress(benchmark::State& state) {
    const Bytes& data = corpus(static_cast<int>(state.range(0)));
    tally::TLZR coder;
    Bytes out(tally::TLZR::kBufferSize);
    std::size_t total = 0;
    for (auto _ : state) {
        total = 0;
        for (int b = 0; b < kBlocks; ++b) {
            total += 2 + coder.CompressBlock(data.data() + b * kBlock, kBlock, out.data());
        }
        benchmark::DoNotOptimize(out.data());
    }
    finish(state, total);
}

void Lzrw1Decompress(benchmark::State& state) {
    const Bytes& data = corpus(static_cast<int>(state.range(0)));
    tally::TLZR coder;
    std::vector<Bytes> blocks;
    std::size_t total = 0;
    for (int b = 0; b < kBlocks; ++b) {
        Bytes block(tally::TLZR::kBufferSize);
        block.resize(coder.CompressBlock(data.data() + b * kBlock, kBlock, block.data()));
        total += 2 + block.size();
        blocks.push_back(std::move(block));
    }
    Bytes out(kCorpusSize);
    for (auto _ : state) {
        for (int b = 0; b < kBlocks; ++b) {
            tally::TLZR::DecompressBlock(blocks[b].data(), static_cast<int>(blocks[b].size()),
                                         out.data() + b * kBlock);
        }
        benchmark::DoNotOptimize(out.data());
    }
    if (out != data) state.SkipWithError("LZRW1/KH round trip differs");
    finish(state, total);
}

void Lz4Compress(benchmark::State& state) {
    const Bytes& data = corpus(static_cast<int>(state.range(0)));
    std::vector<char> out(LZ4_compressBound(kBlock));
    std::size_t total = 0;
    for (auto _ : state) {
        total = 0;
        for (int b = 0; b < kBlocks; ++b) {
            total +=
                2 + LZ4_compress_default(reinterpret_cast<const char*>(data.data()) + b * kBlock,
                                         out.data(), kBlock, static_cast<int>(out.size()));
        }
        benchmark::DoNotOptimize(out.data());
    }
    finish(state, total);
}

void Lz4Decompress(benchmark::State& state) {
    const Bytes& data = corpus(static_cast<int>(state.range(0)));
    std::vector<std::vector<char>> blocks;
    std::size_t total = 0;
    for (int b = 0; b < kBlocks; ++b) {
        std::vector<char> block(LZ4_compressBound(kBlock));
        block.resize(LZ4_compress_default(reinterpret_cast<const char*>(data.data()) + b * kBlock,
                                          block.data(), kBlock, static_cast<int>(block.size())));
        total += 2 + block.size();
        blocks.push_back(std::move(block));
    }
    Bytes out(kCorpusSize);
    for (auto _ : state) {
        for (int b = 0; b < kBlocks; ++b) {
            LZ4_decompress_safe(blocks[b].data(), reinterpret_cast<char*>(out.data()) + b * kBlock,
                                static_cast<int>(blocks[b].size()), kBlock);
        }
        benchmark::DoNotOptimize(out.data());
    }
    if (out != data) state.SkipWithError("LZ4 round trip differs");
    finish(state, total);
}

void Memcpy(benchmark::State& state) {
    const Bytes& data = corpus(static_cast<int>(state.range(0)));
    Bytes out(kCorpusSize);
    for (auto _ : state) {
        std::memcpy(out.data(), data.data(), kCorpusSize);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    finish(state, kCorpusSize);
}

}  // namespace

BENCHMARK(Lzrw1Compress)->Arg(0)->Arg(1);
BENCHMARK(Lz4Compress)->Arg(0)->Arg(1);
BENCHMARK(Lzrw1Decompress)->Arg(0)->Arg(1);
BENCHMARK(Lz4Decompress)->Arg(0)->Arg(1);
BENCHMARK(Memcpy)->Arg(0)->Arg(1);

BENCHMARK_MAIN();
