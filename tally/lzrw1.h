#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "tally/lzh.h"
#include "tally/lzrw1kh.h"

namespace tally {

enum class TCompressMode { Good = 0, Fast = 1, Auto = 2 };

// File-to-file compressor. `Fast` codes the input in independent 32768-byte
// LZRW1/KH blocks, `Good` as one LZHUF stream; a container starts with the
// signature "WRZL" (Fast) or "!HZL" (Good) and the uncompressed size.
// Failures raise ELzrw1Exception; an output created before a failure is deleted.
class Tlzrw1 {
  public:
    Tlzrw1() = default;

    bool UseStream = false;  // kept for stored settings; files are always used
    std::string InputFile;
    std::string OutputFile;
    TCompressMode CompressMode = TCompressMode::Good;
    int Threshold = 40;  // percentage under which Advise recommends Fast
    // Decompress refuses a file whose header promises more bytes than this
    // (a damaged or hostile file); -1 for no limit.
    std::int64_t MaxSize = -1;

    // Progress and result texts, refreshed while an operation runs.
    std::string Caption;
    // Called after every read and every write, so a window can keep its events
    // flowing during a long operation. It must not start another operation.
    std::function<void()> onProgress;

    // Returns the bytes written, header included.
    std::int64_t Compress();
    // The method comes from the file's signature. Returns the bytes written.
    std::int64_t Decompress();
    // Samples InputFile and recommends Fast or Good.
    TCompressMode Advise();

  private:
    struct Run;  // the files, buffers and counts of one operation

    void progress();
    void openFiles(Run& run);
    void compressFast(Run& run);
    std::pair<TLZH::Source, TLZH::Sink> lzhEnds(Run& run);
    void compressGood(Run& run);
    void decompressFast(Run& run);
    void decompressGood(Run& run);

    TLZR lzr_;
    TLZH lzh_;
};

}  // namespace tally
