#include <gtest/gtest.h>

#include <filesystem>

#include "tally/errors.h"
#include "tally/lzrw1.h"
#include "tests/tally/testdata.h"

using tally::TCompressMode;
using tally::Tlzrw1;
using tallytest::Bytes;
namespace fs = std::filesystem;

namespace {

class Component : public ::testing::Test {
  protected:
    tallytest::ScratchDir dir;
    std::string in = dir.file("in.txt"), packed = dir.file("in.tld"), out = dir.file("out.txt");

    std::int64_t pack(const Bytes& data, TCompressMode mode) {
        tallytest::writeFile(in, data);
        Tlzrw1 z;
        z.CompressMode = mode;
        z.InputFile = in;
        z.OutputFile = packed;
        return z.Compress();
    }

    Bytes unpack(const std::string& from) {
        Tlzrw1 z;
        z.InputFile = from;
        z.OutputFile = out;
        const std::int64_t written = z.Decompress();
        EXPECT_EQ(written, static_cast<std::int64_t>(fs::file_size(out)));
        return tallytest::readFile(out);
    }

    // Decompressing `file` fails with `message` and leaves no output.
    void expectDecompressFailure(const std::string& file, const std::string& message) {
        tallytest::writeFile(out, {'o', 'l', 'd'});
        Tlzrw1 z;
        z.InputFile = file;
        z.OutputFile = out;
        try {
            z.Decompress();
            ADD_FAILURE() << "no failure for " << message;
        } catch (const tally::ELzrw1Exception& e) {
            EXPECT_EQ(e.what(), message);
        }
        EXPECT_FALSE(fs::exists(out));
    }
};

}  // namespace

TEST_F(Component, EmptyInputMakesElevenBytes) {
    EXPECT_EQ(pack({}, TCompressMode::Fast), 11);
    EXPECT_EQ(tallytest::readFile(packed), (Bytes{'W', 'R', 'Z', 'L', 0, 0, 0, 0, 1, 0, 0x80}));
    EXPECT_TRUE(unpack(packed).empty());
}

TEST_F(Component, AFullBlockIsFollowedByAnEmptyOne) {
    const Bytes data = tallytest::textBytes(32768, 1);
    pack(data, TCompressMode::Fast);
    const Bytes file = tallytest::readFile(packed);
    ASSERT_GT(file.size(), 13u);
    EXPECT_EQ(Bytes(file.begin() + 4, file.begin() + 8), (Bytes{0x00, 0x80, 0x00, 0x00}));
    const std::size_t first = file[8] | (file[9] << 8);
    EXPECT_EQ(file.size(), 8 + 2 + first + 3);
    EXPECT_EQ(Bytes(file.end() - 3, file.end()), (Bytes{1, 0, 0x80}));
    EXPECT_EQ(unpack(packed), data);
}

TEST_F(Component, RoundTripsBothMethods) {
    Bytes mixed = tallytest::runBytes(70000, 2);
    const Bytes noise = tallytest::randomBytes(40000, 3);
    mixed.insert(mixed.end(), noise.begin(), noise.end());
    for (const Bytes& data :
         {Bytes{'x'}, tallytest::textBytes(32767, 4), tallytest::textBytes(32769, 5),
          tallytest::randomBytes(65536, 6), tallytest::textBytes(300000, 7), mixed}) {
        for (TCompressMode mode : {TCompressMode::Fast, TCompressMode::Good}) {
            const std::int64_t written = pack(data, mode);
            EXPECT_EQ(written, static_cast<std::int64_t>(fs::file_size(packed)));
            const Bytes file = tallytest::readFile(packed);
            EXPECT_EQ(file[0], mode == TCompressMode::Fast ? 'W' : '!');
            EXPECT_EQ(unpack(packed), data);
        }
    }
}

TEST_F(Component, ReportsProgressAndResults) {
    const Bytes data = tallytest::textBytes(100000, 8);
    tallytest::writeFile(in, data);
    Tlzrw1 z;
    z.CompressMode = TCompressMode::Fast;
    z.InputFile = in;
    z.OutputFile = packed;
    std::vector<std::string> captions;
    z.onProgress = [&] { captions.push_back(z.Caption); };
    const std::int64_t written = z.Compress();
    // Four blocks: a read and two writes each, after the header's write.
    EXPECT_EQ(captions.size(), 1u + 4 * 3);
    EXPECT_EQ(captions[4], "(LZRW1/KH) Bytes in : 32768 Bytes out : " +
                               std::to_string(8 + 2 +
                                              (tallytest::readFile(packed)[8] |
                                               (tallytest::readFile(packed)[9] << 8))));
    EXPECT_EQ(z.Caption, in + " : Lzrw1 : successfully compressed at " +
                             std::to_string(written * 100 / 100000) + "%");
    z.InputFile = packed;
    z.OutputFile = out;
    z.Decompress();
    EXPECT_EQ(z.Caption, packed + " : Lzrw1 : successfully decompressed at " +
                             std::to_string(100000 * 100 / written) + "%");
}

TEST_F(Component, RejectsDamagedFilesAndDeletesTheOutput) {
    pack(tallytest::textBytes(50000, 9), TCompressMode::Fast);
    const Bytes good = tallytest::readFile(packed);
    const std::string damaged = dir.file("damaged.tld");

    Bytes header = good;
    header[0] = 'X';
    tallytest::writeFile(damaged, header);
    expectDecompressFailure(damaged,
                            damaged + " : Lzrw1 decompression : this file has no valid header !");

    tallytest::writeFile(damaged, Bytes(good.begin(), good.end() - 100));
    expectDecompressFailure(damaged, "Lzrw1 : Error reading from input file : " + damaged);
    tallytest::writeFile(damaged, Bytes(good.begin(), good.begin() + 2));
    expectDecompressFailure(damaged, "Lzrw1 : Error reading from input file : " + damaged);

    const std::string sizes =
        "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
    for (int delta : {-1, 1}) {
        Bytes wrongSize = good;
        wrongSize[4] = static_cast<std::uint8_t>(wrongSize[4] + delta);
        tallytest::writeFile(damaged, wrongSize);
        expectDecompressFailure(damaged, sizes);
    }

    Bytes badBlock = good;
    badBlock[8] = 0xFF;
    badBlock[9] = 0xFF;
    tallytest::writeFile(damaged, badBlock);
    EXPECT_THROW(unpack(damaged), tally::ELzrw1Exception);
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(Component, RejectsDamagedGoodStreams) {
    // A hand-built stream for "A A A" (see the LZHUF tests).
    const Bytes stream = {'!', 'H', 'Z', 'L', 5, 0, 0, 0, 0xE6, 0xC6, 0x80, 0x40};
    tallytest::writeFile(packed, stream);
    EXPECT_EQ(unpack(packed), (Bytes{'A', ' ', 'A', ' ', 'A'}));

    pack(tallytest::textBytes(5000, 10), TCompressMode::Good);
    Bytes cut = tallytest::readFile(packed);
    cut.resize(cut.size() / 2);
    tallytest::writeFile(packed, cut);
    expectDecompressFailure(
        packed, "Lzrw1 (LZH decompression) : Original and compressed sizes do not match !");
}

TEST_F(Component, FailuresBeforeTheOutputCreateNone) {
    Tlzrw1 z;
    z.CompressMode = TCompressMode::Fast;
    z.InputFile = dir.file("missing.txt");
    z.OutputFile = out;
    auto message = [&](auto operation) -> std::string {
        try {
            (z.*operation)();
        } catch (const tally::ELzrw1Exception& e) {
            return e.what();
        }
        return "no failure";
    };
    EXPECT_EQ(message(&Tlzrw1::Compress),
              "Lzrw1 compression : Failed to obtain the size of : " + z.InputFile);
    EXPECT_EQ(message(&Tlzrw1::Decompress),
              "Lzrw1 (de)compression : Failed to open input file : " + z.InputFile);
    EXPECT_FALSE(fs::exists(out));

    tallytest::writeFile(in, tallytest::textBytes(1000, 11));
    z.InputFile = in;
    z.OutputFile = dir.file("no/such/folder.tld");
    EXPECT_EQ(message(&Tlzrw1::Compress),
              "Lzrw1 (de)compression : Failed to open output file : " + z.OutputFile);
    // Compressing a file onto itself would wipe it.
    z.OutputFile = in;
    EXPECT_NE(message(&Tlzrw1::Compress), "no failure");
    EXPECT_EQ(tallytest::readFile(in), tallytest::textBytes(1000, 11));
}

TEST_F(Component, AdvisesByFileSizeAndSample) {
    Tlzrw1 z;
    z.InputFile = in;
    z.CompressMode = TCompressMode::Fast;
    tallytest::writeFile(in, tallytest::textBytes(98303, 12));
    EXPECT_EQ(z.Advise(), TCompressMode::Good);
    EXPECT_EQ(z.CompressMode, TCompressMode::Good);
    EXPECT_EQ(z.Caption, "Lzrw1 recommends GOOD compression :  small file !!");

    z.CompressMode = TCompressMode::Auto;
    tallytest::writeFile(in, Bytes(98304 * 2, 'a'));  // two runs per block sample
    EXPECT_EQ(z.Advise(), TCompressMode::Fast);
    EXPECT_EQ(z.Caption, "Lzrw1 recommends FAST compression : 0%.");
    EXPECT_EQ(z.CompressMode, TCompressMode::Auto);
    z.OutputFile = packed;
    z.Compress();
    EXPECT_EQ(tallytest::readFile(packed)[0], 'W');

    tallytest::writeFile(in, tallytest::randomBytes(98304 * 2, 13));
    EXPECT_EQ(z.Advise(), TCompressMode::Good);
    EXPECT_EQ(z.Caption, "Lzrw1 recommends GOOD compression : 100%.");
    z.Compress();
    EXPECT_EQ(tallytest::readFile(packed)[0], '!');

    z.InputFile = dir.file("missing.txt");
    EXPECT_THROW(z.Advise(), tally::ELzrw1Exception);
}
