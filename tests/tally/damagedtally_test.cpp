// Damaged and hostile tally files: each is refused at once, reported with its
// reason, and kept aside under a name that never replaces an earlier copy.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "tally/errors.h"
#include "tally/tallystore.h"
#include "tests/tally/testdata.h"

using tally::TallyStore;
using tallytest::ScratchDir;

namespace {

namespace fs = std::filesystem;

// Grid text of `rows` rows with nine columns: row 0 zeros, then opponents.
std::string gridText(int rows, const std::string& namePrefix = "player ") {
    std::string t = "9\r\n" + std::to_string(rows) + "\r\n";
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < rows; ++r)
            t += (c == 0 && r > 0 ? namePrefix + std::to_string(r) : std::string("0")) + "\r\n";
    return t;
}

// Loads and returns the error text; empty when the load succeeded.
std::string loadError(TallyStore& s, const std::string& file) {
    try {
        s.load(file);
    } catch (const tally::ETallyLoad& e) {
        return e.what();
    }
    return {};
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(DamagedTally, CraftedGridsAreRefusedKeptAndLeaveTheTallyEmpty) {
    struct Case {
        const char* what;
        std::string text;
        const char* reason;
    };
    const Case cases[] = {
        {"no rows at all", "9\r\n0\r\n", "row count 0 is out of range"},
        {"a million rows", "9\r\n1000000\r\n", "row count 1000000 is out of range"},
        {"no columns", "0\r\n1000000\r\n", "column count 0 is not 9"},
        {"eight columns", "8\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n",
         "column count 8 is not 9"},
        {"one row more than allowed", gridText(TallyStore::kMaxRows + 1),
         "row count 10001 is out of range"},
        {"more cells promised than given", "9\r\n2\r\n0\r\n", "cells promised"},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        const std::string file = dir.file("quivelotally.tld");
        tallytest::writeTally(file, c.text);
        const tallytest::Bytes before = tallytest::readFile(file);
        TallyStore s;
        const std::string error = loadError(s, file);
        EXPECT_TRUE(has(error, c.reason)) << c.what << ": " << error;
        EXPECT_TRUE(has(error, "Tally file " + file)) << c.what << ": errors name the tally file";
        EXPECT_FALSE(has(error, "Grid text")) << c.what << ": not the scratch file";
        EXPECT_EQ(tallytest::readFile(file + ".bad"), before) << c.what;
        EXPECT_EQ(s.grid().rowCount(), 1) << c.what;
        EXPECT_EQ(s.grid().colCount(), TallyStore::kColumns) << c.what;
        EXPECT_FALSE(s.changed()) << c.what;
    }
}

TEST(DamagedTally, ATextOverOneMebibyteIsRefusedBeforeItIsUnpacked) {
    ScratchDir dir;
    const std::string file = dir.file("quivelotally.tld");
    std::string text = gridText(1);
    text.append(TallyStore::kMaxGridText + 1 - text.size(), ' ');
    tallytest::writeTally(file, text);
    TallyStore s;
    EXPECT_TRUE(has(loadError(s, file), "more than the 1048576 allowed"));

    // A header that promises 2 GiB, on a file of a few bytes.
    tallytest::writeFile(file, {'W', 'R', 'Z', 'L', 0xFF, 0xFF, 0xFF, 0x7F, 3, 0, 0, 'x', '9'});
    EXPECT_TRUE(has(loadError(s, file), "promises 2147483647 bytes"));
}

TEST(DamagedTally, TheLargestTallyWithinTheLimitsLoads) {
    ScratchDir dir;
    const std::string file = dir.file("quivelotally.tld");
    const std::string text = gridText(TallyStore::kMaxRows, "a rather long player name ");
    ASSERT_LE(text.size(), std::size_t(TallyStore::kMaxGridText));
    tallytest::writeTally(file, text);
    TallyStore s;
    EXPECT_EQ(loadError(s, file), "");
    EXPECT_EQ(s.opponents(), TallyStore::kMaxRows - 1);
    EXPECT_EQ(s.grid().cell(0, 9999), "a rather long player name 9999");
}

TEST(DamagedTally, CopiesAreNumberedAndNeverOverwritten) {
    ScratchDir dir;
    const std::string file = dir.file("quivelotally.tld");
    tallytest::writeFile(file + ".bad", {'o', 'l', 'd'});
    tallytest::writeFile(file, {'f', 'i', 'r', 's', 't'});
    TallyStore s;
    EXPECT_TRUE(has(loadError(s, file), "kept as " + file + ".bad.1."));
    EXPECT_TRUE(has(loadError(s, file), "kept as " + file + ".bad.1."))
        << "the same damaged file is not kept twice";
    tallytest::writeFile(file, {'s', 'e', 'c', 'o', 'n', 'd'});
    EXPECT_TRUE(has(loadError(s, file), "kept as " + file + ".bad.2."));
    EXPECT_EQ(tallytest::readFile(file + ".bad"), tallytest::Bytes({'o', 'l', 'd'}));
    EXPECT_EQ(tallytest::readFile(file + ".bad.1"), tallytest::Bytes({'f', 'i', 'r', 's', 't'}));
    EXPECT_FALSE(fs::exists(file + ".bad.3"));
}

TEST(DamagedTally, ALoadThatFailsForAnotherReasonStillKeepsTheFile) {
    ScratchDir dir;
    const std::string file = dir.file("quivelotally.tld");
    TallyStore good;
    good.addOpponent("Vuzi");
    good.save(file);
    const char* const old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    setenv("TMPDIR", dir.file("no such folder").c_str(), 1);
    TallyStore s;
    const std::string error = loadError(s, file);
    if (old) {
        setenv("TMPDIR", saved.c_str(), 1);
    } else {
        unsetenv("TMPDIR");
    }
    EXPECT_TRUE(has(error, "temp_directory_path")) << error;
    EXPECT_TRUE(fs::exists(file + ".bad"));
    EXPECT_EQ(s.opponents(), 0);
}

TEST(TallyStoreCounts, ACountStopsAtItsMaximumAndEveryChangeIsNoticed) {
    TallyStore s;
    EXPECT_FALSE(s.changed());
    s.grid().setCell(3, 0, std::to_string(INT_MAX));
    EXPECT_EQ(s.addit(3, 0), INT_MAX);
    EXPECT_EQ(s.grid().cell(3, 0), std::to_string(INT_MAX));
    EXPECT_TRUE(s.changed());

    TallyStore opponent, removed;
    opponent.addOpponent("Bob");
    EXPECT_TRUE(opponent.changed());
    removed.grid().setRowCount(2);
    removed.moverow(1);
    EXPECT_TRUE(removed.changed());
}
