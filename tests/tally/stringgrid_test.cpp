#include <gtest/gtest.h>

#include "tally/errors.h"
#include "tally/stringgrid.h"
#include "tests/tally/testdata.h"

using tally::StringGrid;

namespace {

std::string textOf(const std::string& path) {
    const tallytest::Bytes b = tallytest::readFile(path);
    return std::string(b.begin(), b.end());
}

void writeText(const std::string& path, const std::string& text) {
    tallytest::writeFile(path, tallytest::Bytes(text.begin(), text.end()));
}

StringGrid vuziTally() {
    StringGrid grid(9, 2);
    const char* const cells[2][9] = {{"0", "7", "4", "2", "0", "0", "0", "0", "0"},
                                     {"Vuzi", "5", "1", "4", "0", "2", "0", "2", "0"}};
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 9; ++col)
            grid.setCell(col, row, cells[row][col]);
    }
    return grid;
}

}  // namespace

TEST(GridText, IsWrittenColumnByColumn) {
    tallytest::ScratchDir dir;
    const std::string path = dir.file("temp.txt");
    SaveStringGrid(vuziTally(), path);
    EXPECT_EQ(textOf(path),
              "9\r\n2\r\n0\r\nVuzi\r\n7\r\n5\r\n4\r\n1\r\n2\r\n4\r\n0\r\n0\r\n"
              "0\r\n2\r\n0\r\n0\r\n0\r\n2\r\n0\r\n0\r\n");

    StringGrid loaded(1, 1);
    LoadStringGrid(loaded, path);
    ASSERT_EQ(loaded.colCount(), 9);
    ASSERT_EQ(loaded.rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 9; ++col)
            EXPECT_EQ(loaded.cell(col, row), vuziTally().cell(col, row));
    }
}

TEST(GridText, LineBreaksInACellBecomeBlanks) {
    tallytest::ScratchDir dir;
    const std::string path = dir.file("temp.txt");
    StringGrid grid(2, 2);
    grid.setCell(0, 1, "two\r\nlines");
    grid.setCell(1, 1, "last");
    SaveStringGrid(grid, path);
    StringGrid loaded;
    LoadStringGrid(loaded, path);
    EXPECT_EQ(loaded.cell(0, 1), "two  lines");
    EXPECT_EQ(loaded.cell(1, 1), "last");
    EXPECT_EQ(loaded.cell(1, 0), "");
}

TEST(GridText, AcceptsBareLineFeedsAndAMissingLastEnd) {
    tallytest::ScratchDir dir;
    const std::string path = dir.file("temp.txt");
    writeText(path, "2\n1\nname\n 3");
    StringGrid grid;
    LoadStringGrid(grid, path);
    EXPECT_EQ(grid.cell(0, 0), "name");
    EXPECT_EQ(grid.cell(1, 0), " 3");
}

TEST(GridText, RefusesTextsThatDoNotFitTheirShape) {
    tallytest::ScratchDir dir;
    const std::string path = dir.file("temp.txt");
    for (const std::string text :
         {"", "9\r\n", "nine\r\n1\r\n", "9\r\n1x\r\n", "9\r\n-1\r\n", "99999999999\r\n1\r\n",
          "3000000\r\n3000000\r\n", "9\r\n2\r\n0\r\nVuzi\r\n1\r\n"}) {
        writeText(path, text);
        StringGrid grid = vuziTally();
        EXPECT_THROW(LoadStringGrid(grid, path), tally::EGridText) << text;
        EXPECT_EQ(grid.colCount(), 9);
        EXPECT_EQ(grid.rowCount(), 2);
        EXPECT_EQ(grid.cell(0, 1), "Vuzi");
    }
    StringGrid grid;
    EXPECT_THROW(LoadStringGrid(grid, dir.file("missing.txt")), tally::EGridText);
    EXPECT_THROW(SaveStringGrid(grid, dir.file("no/such/temp.txt")), tally::EGridText);
}

TEST(GridText, ResizingKeepsTheCellsThatRemain) {
    StringGrid grid = vuziTally();
    grid.setRowCount(3);
    EXPECT_EQ(grid.cell(0, 1), "Vuzi");
    EXPECT_EQ(grid.cell(0, 2), "");
    grid.setRowCount(1);
    grid.setColCount(10);
    EXPECT_EQ(grid.cell(1, 0), "7");
    EXPECT_THROW(grid.cell(0, 1), std::out_of_range);
}
