#include "tests/tally/testdata.h"

#include "tally/lzrw1.h"

namespace tallytest {

void writeTally(const std::string& path, const std::string& gridText) {
    const std::string text = path + ".text";
    writeFile(text, Bytes(gridText.begin(), gridText.end()));
    tally::Tlzrw1 doit;
    doit.CompressMode = tally::TCompressMode::Fast;
    doit.InputFile = text;
    doit.OutputFile = path;
    doit.Compress();
    std::filesystem::remove(text);
}

}  // namespace tallytest
