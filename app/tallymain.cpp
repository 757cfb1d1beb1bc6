// quivelo-tally: shows, compresses and decompresses tally files.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tally/lzrw1.h"
#include "tally/scratchfile.h"
#include "tally/stringgrid.h"

namespace {

constexpr const char* kUsage =
    "usage: quivelo-tally show FILE | compress IN OUT | decompress IN OUT";

std::string cellOf(const tally::StringGrid& grid, int col, int row) {
    if (col >= grid.colCount() || row >= grid.rowCount()) return "";
    return grid.cell(col, row);
}

std::string padLeft(const std::string& s, std::size_t width) {
    return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

std::string padRight(const std::string& s, std::size_t width) {
    return s.size() >= width ? s : s + std::string(width - s.size(), ' ');
}

void printTally(const tally::StringGrid& grid) {
    std::cout << "Total Games: " << cellOf(grid, 1, 0) << "\n"
              << "Your Wins:   " << cellOf(grid, 2, 0) << "\n"
              << "Dbl Bulls:   " << cellOf(grid, 3, 0) << "\n";
    if (grid.rowCount() < 2) {
        std::cout << "\nNo opponents are tallied.\n";
        return;
    }
    std::size_t nameWidth = 8;
    for (int row = 1; row < grid.rowCount(); ++row) {
        nameWidth = std::max(nameWidth, cellOf(grid, 0, row).size());
    }
    const std::vector<std::string> heads = {"Games", "His Wins", "Your Wins", "Neither"};
    const std::size_t groupWidth = 4 * 11;
    std::cout << "\n"
              << padRight("", nameWidth) << padRight("  Total", groupWidth) << "  Session\n"
              << padRight("Opponent", nameWidth);
    for (int group = 0; group < 2; ++group) {
        for (const std::string& head : heads)
            std::cout << padLeft(head, 11);
    }
    std::cout << "\n";
    for (int row = 1; row < grid.rowCount(); ++row) {
        std::cout << padRight(cellOf(grid, 0, row), nameWidth);
        for (int col = 1; col <= 8; ++col)
            std::cout << padLeft(cellOf(grid, col, row), 11);
        std::cout << "\n";
    }
}

int show(const std::string& path) {
    tally::ScratchFile text;
    tally::Tlzrw1 compressor;
    compressor.InputFile = path;
    compressor.OutputFile = text.path();
    compressor.Decompress();
    tally::StringGrid grid;
    tally::LoadStringGrid(grid, text.path());
    printTally(grid);
    return 0;
}

int convert(bool compress, const std::string& in, const std::string& out) {
    tally::Tlzrw1 compressor;
    compressor.CompressMode = tally::TCompressMode::Fast;
    compressor.InputFile = in;
    compressor.OutputFile = out;
    if (compress) {
        compressor.Compress();
    } else {
        compressor.Decompress();
    }
    std::cout << compressor.Caption << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 2 && args[0] == "show") return show(args[1]);
        if (args.size() == 3 && args[0] == "compress") return convert(true, args[1], args[2]);
        if (args.size() == 3 && args[0] == "decompress") return convert(false, args[1], args[2]);
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    std::cerr << kUsage << "\n";
    return 2;
}
