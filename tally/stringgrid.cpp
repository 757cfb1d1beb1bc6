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

// Cuts a text into lines at LF, dropping a CR before it; a last line without
// its end still counts.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

int countFrom(std::string_view line, const char* what, const std::string& path) {
    while (!line.empty() && line.front() == ' ')
        line.remove_prefix(1);
    while (!line.empty() && line.back() == ' ')
        line.remove_suffix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (line.empty() || ec != std::errc{} || end != line.data() + line.size()) {
        throw EGridText("Grid text " + path + " : the " + what + " count \"" + std::string(line) +
                        "\" is not a number");
    }
    if (value < 0 || value > kMaxCount) {
        throw EGridText("Grid text " + path + " : the " + what + " count " + std::to_string(value) +
                        " is out of range");
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

void LoadStringGrid(StringGrid& grid, const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw EGridText("Grid text " + path + " : cannot be opened");
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    if (file.bad()) throw EGridText("Grid text " + path + " : cannot be read");

    const std::vector<std::string_view> lines = linesOf(text);
    if (lines.size() < 2) throw EGridText("Grid text " + path + " : the counts are missing");
    const int colCount = countFrom(lines[0], "column", path);
    const int rowCount = countFrom(lines[1], "row", path);
    const std::size_t cells = static_cast<std::size_t>(colCount) * rowCount;
    if (lines.size() - 2 < cells) {
        throw EGridText("Grid text " + path + " : " + std::to_string(colCount) + " x " +
                        std::to_string(rowCount) + " cells promised, " +
                        std::to_string(lines.size() - 2) + " found");
    }

    StringGrid loaded(colCount, rowCount);
    std::size_t next = 2;
    for (int col = 0; col < colCount; ++col) {
        for (int row = 0; row < rowCount; ++row)
            loaded.setCell(col, row, std::string(lines[next++]));
    }
    grid = std::move(loaded);
}

}  // namespace tally
