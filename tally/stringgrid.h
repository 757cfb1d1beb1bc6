#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tally {

// A grid of text cells, addressed by column and row as in the tally window's grid.
class StringGrid {
  public:
    StringGrid() = default;
    StringGrid(int colCount, int rowCount) { resize(colCount, rowCount); }

    int colCount() const { return colCount_; }
    int rowCount() const { return rowCount_; }
    // Changing a count keeps the cells that remain; new cells are empty.
    void setColCount(int count) { resize(count, rowCount_); }
    void setRowCount(int count) { resize(colCount_, count); }
    void resize(int colCount, int rowCount);

    // Throws std::out_of_range outside the grid.
    const std::string& cell(int col, int row) const;
    void setCell(int col, int row, std::string text);

  private:
    std::size_t index(int col, int row) const;

    int colCount_ = 0;
    int rowCount_ = 0;
    std::vector<std::string> cells_;  // row by row
};

// Writes the grid text: the column count, the row count, then every cell one
// per line, column by column; every line ends with CR LF. A line break inside
// a cell would shift every later cell, so CR and LF in a cell are written as
// blanks. Throws EGridText when the file cannot be written.
void SaveStringGrid(const StringGrid& grid, const std::string& path);

// The shape a grid text may have; a text outside it is refused as damaged.
struct GridLimits {
    int columns = 0;  // exactly this many; 0 for any
    int minRows = 0;
    int maxRows = 1'000'000;
};

// Reads a grid text written by SaveStringGrid. A text whose counts are not
// numbers or lie outside `limits`, or which holds fewer cells than its counts
// promise, is refused with EGridText and leaves the grid as it was. Errors name
// `source` ("Grid text " + path when empty). Lines after the last cell are ignored.
void LoadStringGrid(StringGrid& grid, const std::string& path, const GridLimits& limits = {},
                    const std::string& source = {});

// The same for a grid text already in memory.
void ParseStringGrid(StringGrid& grid, std::string_view text, const std::string& source,
                     const GridLimits& limits = {});

}  // namespace tally
