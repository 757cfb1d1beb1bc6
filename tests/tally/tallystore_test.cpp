// The tally store on real files: what it writes, what it reads back, and that no
// failure ever costs the previous tally file.
#include <gtest/gtest.h>

#include <filesystem>

#include "tally/errors.h"
#include "tally/lzrw1.h"
#include "tally/tallystore.h"
#include "tests/tally/testdata.h"

using tally::TallyStore;
using tallytest::ScratchDir;

namespace {

// The grid text inside a tally file, line by line.
std::vector<std::string> gridLines(const std::string& tallyFile, const ScratchDir& dir) {
    tally::Tlzrw1 doit;
    doit.InputFile = tallyFile;
    doit.OutputFile = dir.file("grid.txt");
    doit.Decompress();
    const tallytest::Bytes bytes = tallytest::readFile(doit.OutputFile);
    std::vector<std::string> lines;
    std::string line;
    for (std::uint8_t b : bytes) {
        if (b == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (b != '\r') {
            line += char(b);
        }
    }
    return lines;
}

std::vector<std::string> row(const TallyStore& s, int r) {
    std::vector<std::string> cells;
    for (int c = 0; c < TallyStore::kColumns; ++c)
        cells.push_back(s.grid().cell(c, r));
    return cells;
}

}  // namespace

TEST(TallyStore, AFirstRunWritesAnEmptyTally) {
    ScratchDir dir;
    const std::string file = dir.file("quivelotally.tld");
    TallyStore store;
    store.load(file);  // no file yet: an empty tally
    store.save(file);
    EXPECT_EQ(gridLines(file, dir),
              std::vector<std::string>({"9", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
    const tallytest::Bytes head = tallytest::readFile(file);
    ASSERT_GE(head.size(), 4u);
    EXPECT_EQ(std::string(head.begin(), head.begin() + 4), "WRZL") << "always the fast method";
}

TEST(TallyStore, GamesAreCountedForTheWinnerTheLocalPlayerOrNeither) {
    TallyStore s;
    s.addOpponent("Vuzi");
    s.addOpponent("Bob");
    s.recordGame({1, 2}, TallyStore::kOwnWin);
    s.recordGame({1, 2}, "Bob");
    s.recordGame({1}, "Cat");  // Bob was not in this game
    EXPECT_EQ(row(s, 1),
              std::vector<std::string>({"Vuzi", "3", "0", "1", "2", "3", "0", "1", "2"}));
    EXPECT_EQ(row(s, 2), std::vector<std::string>({"Bob", "2", "1", "1", "0", "2", "1", "1", "0"}));
    s.grid().setCell(4, 1, "");
    s.recordGame({1}, "Cat");
    EXPECT_EQ(s.grid().cell(4, 1), "1") << "an empty cell counts as 0";
    EXPECT_EQ(s.addit(3, 0), 1);
    EXPECT_EQ(s.addit(3, 0), 2);
}

TEST(TallyStore, RemovingTheMiddleOpponentKeepsTheOthersAligned) {
    TallyStore s;
    for (const char* name : {"Ann", "Bob", "Cat"})
        s.addOpponent(name);
    s.recordGame({3}, "Cat");
    s.moverow(2);
    ASSERT_EQ(s.opponents(), 2);
    EXPECT_EQ(s.grid().cell(0, 1), "Ann");
    EXPECT_EQ(row(s, 2), std::vector<std::string>({"Cat", "1", "1", "0", "0", "1", "1", "0", "0"}));
    s.moverow(0);
    s.moverow(9);
    EXPECT_EQ(s.opponents(), 2) << "row 0 and rows that do not exist stay";
}

TEST(TallyStore, CountsSurviveASaveAndALoad) {
    ScratchDir dir;
    const std::string file = dir.file("t.tld");
    TallyStore first;
    first.addOpponent("Vuzi");
    first.recordGame({1}, TallyStore::kOwnWin);
    first.addit(1, 0);
    first.save(file);
    TallyStore second;
    second.load(file);
    EXPECT_EQ(row(second, 0), row(first, 0));
    EXPECT_EQ(row(second, 1), row(first, 1));
    second.resetSession();
    EXPECT_EQ(row(second, 1),
              std::vector<std::string>({"Vuzi", "1", "0", "1", "0", "0", "0", "0", "0"}));
}

TEST(TallyStore, AnInterruptedSaveLeavesThePreviousTallyWhole) {
    ScratchDir dir;
    const std::string file = dir.file("t.tld");
    TallyStore old;
    old.addOpponent("Vuzi");
    old.save(file);
    const tallytest::Bytes before = tallytest::readFile(file);

    TallyStore changed;
    for (int i = 0; i < 400; ++i)
        changed.addOpponent("player " + std::to_string(i));
    int calls = 0;
    EXPECT_THROW(changed.save(file,
                              [&] {
                                  if (++calls == 2) throw std::runtime_error("the disk is full");
                              }),
                 std::runtime_error);
    EXPECT_EQ(tallytest::readFile(file), before);
    EXPECT_FALSE(std::filesystem::exists(file + ".new"));
}

TEST(TallyStore, ASaveThatCannotWriteBesideTheFileKeepsIt) {
    ScratchDir dir;
    const std::string file = dir.file("t.tld");
    TallyStore old;
    old.save(file);
    const tallytest::Bytes before = tallytest::readFile(file);
    std::filesystem::create_directory(file + ".new");  // nothing can be created there
    TallyStore changed;
    changed.addOpponent("Bob");
    EXPECT_THROW(changed.save(file), std::exception);
    EXPECT_EQ(tallytest::readFile(file), before);
}

TEST(TallyStore, AnUnreadableFileIsKeptAsBad) {
    ScratchDir dir;
    const std::string file = dir.file("quivelotally.tld");
    const tallytest::Bytes junk = {'n', 'o', 't', ' ', 'a', ' ', 't', 'a', 'l', 'l', 'y'};
    tallytest::writeFile(file, junk);
    TallyStore s;
    try {
        s.load(file);
        FAIL();
    } catch (const tally::ETallyLoad& e) {
        EXPECT_NE(std::string(e.what()).find("this file has no valid header"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("kept as " + file + ".bad."), std::string::npos)
            << e.what();
    }
    EXPECT_EQ(tallytest::readFile(file + ".bad"), junk);
    EXPECT_EQ(s.opponents(), 0);
    s.save(file);  // the end-of-run save may replace the file now: the copy stays
    EXPECT_EQ(tallytest::readFile(file + ".bad"), junk);
}

TEST(TallyStore, AGridTextOfTheWrongShapeIsRefusedAndKept) {
    ScratchDir dir;
    const std::string text = dir.file("grid.txt");
    const std::string file = dir.file("t.tld");
    const std::string bad = "9\r\n3\r\n0\r\nVuzi\r\n";  // three rows promised, far too few cells
    tallytest::writeFile(text, tallytest::Bytes(bad.begin(), bad.end()));
    tally::Tlzrw1 doit;
    doit.CompressMode = tally::TCompressMode::Fast;
    doit.InputFile = text;
    doit.OutputFile = file;
    doit.Compress();
    TallyStore s;
    EXPECT_THROW(s.load(file), tally::ETallyLoad);
    EXPECT_TRUE(std::filesystem::exists(file + ".bad"));
    EXPECT_EQ(s.grid().rowCount(), 1);
    EXPECT_EQ(s.grid().cell(1, 0), "0");
}
