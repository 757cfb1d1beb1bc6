#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tally/stringgrid.h"

namespace tally {

// The tally's counts, held as decimal text in a 9-column grid: row 0 is the local
// player (games, wins, double bulls), rows 1 to n the tallied opponents (games,
// their wins, our wins, neither, in total and in this session).
class TallyStore {
  public:
    static constexpr int kColumns = 9;
    static constexpr const char* kOwnWin = "addtomine";
    // Far beyond any real tally; a file beyond them is damaged or hostile, and
    // refusing it at once keeps a start-up from taking minutes and gigabytes.
    static constexpr std::int64_t kMaxGridText = 1024 * 1024;
    static constexpr int kMaxRows = 10'000;

    TallyStore();

    StringGrid& grid() { return grid_; }
    const StringGrid& grid() const { return grid_; }
    int opponents() const { return grid_.rowCount() - 1; }

    // Reads a tally file; a missing file leaves the tally empty. A file that cannot
    // be loaded is first kept under a name of its own (FILE.bad, FILE.bad.1, ...,
    // never overwritten), then ETallyLoad says why and where; the tally stays as
    // it was.
    void load(const std::string& path);
    // Writes the tally file so that a failure at any point leaves the previous file
    // whole: the new content goes to a file beside it, which then replaces it, and
    // the folder is synced so the replacement survives a power cut.
    // `progress` runs after every read and write of the compression.
    void save(const std::string& path, std::function<void()> progress = {}) const;

    // True once a count or an opponent changed since the store was made.
    bool changed() const { return changed_; }

    // Adds 1 to a cell (an empty or non-numeric cell counts as 0; a count at the
    // largest int stays there); returns the new value.
    int addit(int column, int row);
    // Removes row r; the rows after it move up. Row 0 stays.
    void moverow(int row);
    // A new opponent row with every count at 0.
    void addOpponent(const std::string& name);
    // The session columns of every opponent back to 0.
    void resetSession();
    // Counts one game for these opponent rows: `winner` is an opponent's name, or
    // kOwnWin when the local player won.
    void recordGame(const std::vector<int>& rows, const std::string& winner);

  private:
    StringGrid grid_;
    bool changed_ = false;
};

}  // namespace tally
