#pragma once

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

    TallyStore();

    StringGrid& grid() { return grid_; }
    const StringGrid& grid() const { return grid_; }
    int opponents() const { return grid_.rowCount() - 1; }

    // Reads a tally file. A damaged file is copied to FILE.bad first, so the save at
    // the end cannot destroy what may still be recovered; the error then propagates.
    // A missing file leaves the tally empty.
    void load(const std::string& path);
    // Writes the tally file so that a failure at any point leaves the previous file
    // whole: the new content goes to a file beside it, which then replaces it.
    // `progress` runs after every read and write of the compression.
    void save(const std::string& path, std::function<void()> progress = {}) const;

    // Adds 1 to a cell (an empty or non-numeric cell counts as 0); returns the new value.
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
};

}  // namespace tally
