#include "tally/tallystore.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/durablefile.h"
#include "tally/errors.h"
#include "tally/lzrw1.h"
#include "tally/scratchfile.h"

namespace tally {

namespace fs = std::filesystem;

namespace {

int cellNumber(const StringGrid& grid, int column, int row) {
    const std::string& text = grid.cell(column, row);
    try {
        std::size_t used = 0;
        const int n = std::stoi(text, &used);
        return used == text.size() ? n : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

// Flushes a file to the disk, so the rename that follows never exposes a file
// whose content is still only in memory.
void syncFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb+");
    if (!f) throw EGridText("Cannot open " + path);
    const bool ok = ::fsync(fileno(f)) == 0;
    std::fclose(f);
    if (!ok) throw EGridText("Cannot write " + path);
}

bool sameContent(const std::string& a, const std::string& b) {
    std::error_code ec1, ec2;
    if (fs::file_size(a, ec1) != fs::file_size(b, ec2) || ec1 || ec2) return false;
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    return fa && fb &&
           std::equal(std::istreambuf_iterator<char>(fa), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(fb), std::istreambuf_iterator<char>());
}

constexpr int kMaxKeptCopies = 100;

// Keeps a tally file that could not be loaded as FILE.bad, or FILE.bad.1 and on
// when that name is taken; an existing copy is never overwritten, and a file
// already kept is not kept twice. Returns the copy's name, or "" when it failed.
std::string keepDamaged(const std::string& path) {
    for (int n = 0; n < kMaxKeptCopies; ++n) {
        const std::string copy = path + ".bad" + (n == 0 ? "" : "." + std::to_string(n));
        std::error_code ec;
        if (fs::copy_file(path, copy, fs::copy_options::none, ec)) return copy;
        if (ec != std::errc::file_exists) return {};
        if (sameContent(path, copy)) return copy;
    }
    return {};
}

}  // namespace

TallyStore::TallyStore() : grid_(kColumns, 1) {
    for (int c = 0; c < kColumns; ++c)
        grid_.setCell(c, 0, "0");
}

void TallyStore::load(const std::string& path) {
    if (!fs::exists(path)) return;
    try {
        ScratchFile text;
        Tlzrw1 doit;
        doit.CompressMode = TCompressMode::Fast;
        doit.InputFile = path;
        doit.OutputFile = text.path();
        doit.MaxSize = kMaxGridText;
        doit.Decompress();
        LoadStringGrid(grid_, text.path(), {kColumns, 1, kMaxRows}, "Tally file " + path);
    } catch (const std::exception& e) {
        const std::string copy = keepDamaged(path);
        throw ETallyLoad(std::string(e.what()) + "\n\n" +
                         (copy.empty()
                              ? "The tally file could not be copied aside; it is left as it is."
                              : "The tally file was kept as " + copy + "."));
    }
}

void TallyStore::save(const std::string& path, std::function<void()> progress) const {
    ScratchFile text;
    SaveStringGrid(grid_, text.path());
    const std::string fresh = path + ".new";
    Tlzrw1 doit;
    doit.CompressMode = TCompressMode::Fast;
    doit.InputFile = text.path();
    doit.OutputFile = fresh;
    doit.onProgress = std::move(progress);
    try {
        doit.Compress();
        syncFile(fresh);
        fs::rename(fresh, path);
    } catch (...) {
        std::remove(fresh.c_str());
        throw;
    }
    platform::syncFolder(fs::path(path).parent_path().string());
}

int TallyStore::addit(int column, int row) {
    const int old = cellNumber(grid_, column, row);
    const int n = old == INT_MAX ? old : old + 1;
    grid_.setCell(column, row, std::to_string(n));
    changed_ = true;
    return n;
}

void TallyStore::moverow(int row) {
    if (row < 1 || row >= grid_.rowCount()) return;
    changed_ = true;
    for (int r = row; r + 1 < grid_.rowCount(); ++r)
        for (int c = 0; c < grid_.colCount(); ++c)
            grid_.setCell(c, r, grid_.cell(c, r + 1));
    grid_.setRowCount(std::max(1, grid_.rowCount() - 1));
}

void TallyStore::addOpponent(const std::string& name) {
    const int row = grid_.rowCount();
    grid_.setRowCount(row + 1);
    changed_ = true;
    grid_.setCell(0, row, name);
    for (int c = 1; c < kColumns; ++c)
        grid_.setCell(c, row, "0");
}

void TallyStore::resetSession() {
    for (int r = 1; r < grid_.rowCount(); ++r)
        for (int c = 5; c <= 8; ++c)
            grid_.setCell(c, r, "0");
}

void TallyStore::recordGame(const std::vector<int>& rows, const std::string& winner) {
    for (int r : rows) {
        if (r < 1 || r >= grid_.rowCount()) continue;
        for (int c = 1; c <= 8; ++c)
            if (grid_.cell(c, r).empty()) grid_.setCell(c, r, "0");
        addit(1, r);
        addit(5, r);
        if (grid_.cell(0, r) == winner) {
            addit(2, r);
            addit(6, r);
        } else if (winner == kOwnWin) {
            addit(3, r);
            addit(7, r);
        } else {
            addit(4, r);
            addit(8, r);
        }
    }
}

}  // namespace tally
