#include "tally/stringgrid.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string_view>

#include "tally/errors.h"

namespace tally {

namespace {

// Far beyond any tally, yet small enough that counts multiply without overflow.
constexpr int kMaxCount = 1'000'000;

// Hands out a text's lines one at a time (cut at LF, a CR before it dropped; a
// last line without its end still counts), so a text of a million empty lines
// costs no more memory than the text itself.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    bool next(std::string_view& line) {
        if (done_) return false;
        const std::size_t end = rest_.find('\n');
        line = rest_.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (end == std::string_view::npos || end + 1 == rest_.size()) {
            done_ = true;
        } else {
            rest_.remove_prefix(end + 1);
        }
        return true;
    }

  private:
    std::string_view rest_;
    bool done_ = false;
};

int countFrom(LineReader& lines, const char* what, int low, int high, const std::string& source) {
    std::string_view line;
    if (!lines.next(line)) throw EGridText(source + " : the " + what + " count is missing");
    while (!line.empty() && line.front() == ' ')
        line.remove_prefix(1);
    while (!line.empty() && line.back() == ' ')
        line.remove_suffix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (line.empty() || ec != std::errc{} || end != line.data() + line.size()) {
        throw EGridText(source + " : the " + what + " count \"" + std::string(line) +
                        "\" is not a number");
    }
    if (value < low || value > high) {
        const std::string allowed = low == high ? "not " + std::to_string(low)
                                                : "out of range (" + std::to_string(low) + " to " +
                                                      std::to_string(high) + ")";
        throw EGridText(source + " : the " + what + " count " + std::to_string(value) + " is " +
                        allowed);
    }
    return value;
}

}  // namespace

void StringGrid::resize(int colCount, int rowCount) {
    if (colCount < 0 || rowCount < 0) throw std::out_of_range("StringGrid: negative size");
    std::vector<std::string> cells(static_cast<std::size_t>(colCount) * rowCount);
    for (int row = 0; row < std::min(rowCount, rowCount_); ++row) {
        for (int col = 0; col < std::min(colCount, colCount_); ++col) {
            cells[static_cast<std::size_t>(row) * colCount + col] =
                std::move(cells_[index(col, row)]);
        }
    }
    cells_ = std::move(cells);
    colCount_ = colCount;
    rowCount_ = rowCount;
}

std::size_t StringGrid::index(int col, int row) const {
    if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) {
        throw std::out_of_range("StringGrid: cell " + std::to_string(col) + "," +
                                std::to_string(row) + " is outside the grid");
    }
    return static_cast<std::size_t>(row) * colCount_ + col;
}

const std::string& StringGrid::cell(int col, int row) const {
    return cells_[index(col, row)];
}

void StringGrid::setCell(int col, int row, std::string text) {
    cells_[index(col, row)] = std::move(text);
}

void SaveStringGrid(const StringGrid& grid, const std::string& path) {
    std::string text;
    auto line = [&text](std::string_view s) {
        text.append(s);
        text.append("\r\n");
    };
    line(std::to_string(grid.colCount()));
    line(std::to_string(grid.rowCount()));
    for (int col = 0; col < grid.colCount(); ++col) {
        for (int row = 0; row < grid.rowCount(); ++row) {
            std::string cell = grid.cell(col, row);
            for (char& c : cell) {
                if (c == '\r' || c == '\n') c = ' ';
            }
            line(cell);
        }
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (!file) throw EGridText("Grid text " + path + " : cannot be written");
}

void LoadStringGrid(StringGrid& grid, const std::string& path, const GridLimits& limits,
                    const std::string& source) {
    const std::string name = source.empty() ? "Grid text " + path : source;
    std::ifstream file(path, std::ios::binary);
    if (!file) throw EGridText(name + " : cannot be opened");
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    if (file.bad()) throw EGridText(name + " : cannot be read");
    ParseStringGrid(grid, text, name, limits);
}

void ParseStringGrid(StringGrid& grid, std::string_view text, const std::string& source,
                     const GridLimits& limits) {
    LineReader lines(text);
    const int colCount = limits.columns > 0
                             ? countFrom(lines, "column", limits.columns, limits.columns, source)
                             : countFrom(lines, "column", 0, kMaxCount, source);
    const int rowCount =
        countFrom(lines, "row", limits.minRows, std::min(limits.maxRows, kMaxCount), source);
    const std::size_t cells = static_cast<std::size_t>(colCount) * rowCount;
    auto shortOf = [&](const std::string& found) {
        return EGridText(source + " : " + std::to_string(colCount) + " x " +
                         std::to_string(rowCount) + " cells promised, " + found);
    };
    // Every cell takes at least its line end, so a text too short for its counts
    // is refused before anything is allocated for it.
    if (cells > text.size()) throw shortOf(std::to_string(text.size()) + " bytes of text");

    StringGrid loaded(colCount, rowCount);
    std::size_t found = 0;
    for (int col = 0; col < colCount; ++col) {
        for (int row = 0; row < rowCount; ++row) {
            std::string_view line;
            if (!lines.next(line)) throw shortOf(std::to_string(found) + " found");
            loaded.setCell(col, row, std::string(line));
            ++found;
        }
    }
    grid = std::move(loaded);
}

}  // namespace tally
