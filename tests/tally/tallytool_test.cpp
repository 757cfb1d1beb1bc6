#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>

#include "tests/tally/testdata.h"

namespace {

struct Result {
    int exitCode = -1;
    std::string out;
    std::string err;
};

Result runTool(const std::string& args, const tallytest::ScratchDir& dir) {
    const std::string errFile = dir.file("stderr.txt");
    const std::string command =
        std::string("'") + QUIVELO_BIN_DIR "/quivelo-tally' " + args + " 2>'" + errFile + "'";
    Result r;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return r;
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;)
        r.out.append(buf, n);
    const int status = pclose(pipe);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const tallytest::Bytes err = tallytest::readFile(errFile);
    r.err.assign(err.begin(), err.end());
    return r;
}

// The line of `text` that starts with `first`, its words joined by single blanks.
std::string wordsOfLine(const std::string& text, const std::string& first) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(first, 0) != 0) continue;
        std::istringstream words(line);
        std::string joined, word;
        while (words >> word)
            joined += (joined.empty() ? "" : " ") + word;
        return joined;
    }
    return "";
}

}  // namespace

TEST(TallyTool, CompressesDecompressesAndShows) {
    tallytest::ScratchDir dir;
    const std::string text =
        "9\r\n3\r\n0\r\nVuzi\r\nAnna\r\n12\r\n10\r\n2\r\n7\r\n4\r\n1\r\n1\r\n6\r\n1\r\n"
        "0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
    const std::string plain = dir.file("temp.txt"), packed = dir.file("quivelotally.tld");
    tallytest::writeFile(plain, tallytest::Bytes(text.begin(), text.end()));

    Result r = runTool("compress '" + plain + "' '" + packed + "'", dir);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(tallytest::readFile(packed)[0], 'W');

    r = runTool("decompress '" + packed + "' '" + dir.file("back.txt") + "'", dir);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(tallytest::readFile(dir.file("back.txt")), tallytest::readFile(plain));

    r = runTool("show '" + packed + "'", dir);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Total Games: 12\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Your Wins:   7\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Dbl Bulls:   1\n"), std::string::npos) << r.out;
    // Totals: games, his wins, your wins, neither; then the same for this session.
    EXPECT_EQ(wordsOfLine(r.out, "Vuzi"), "Vuzi 10 4 6 0 1 1 0 0");
    EXPECT_EQ(wordsOfLine(r.out, "Anna"), "Anna 2 1 1 0 0 0 0 0");
}

TEST(TallyTool, ReportsFailuresAndUsage) {
    tallytest::ScratchDir dir;
    const std::string bad = dir.file("bad.tld");
    tallytest::writeFile(bad, {'N', 'O', 'P', 'E', 0, 0, 0, 0});
    Result r = runTool("show '" + bad + "'", dir);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, bad + " : Lzrw1 decompression : this file has no valid header !\n");

    EXPECT_EQ(runTool("", dir).exitCode, 2);
    EXPECT_EQ(runTool("compress only-one", dir).exitCode, 2);
    EXPECT_NE(runTool("frobnicate a b", dir).err.find("usage: quivelo-tally"), std::string::npos);
}
