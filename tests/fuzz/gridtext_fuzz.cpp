// Arbitrary grid text, read with and without the tally's limits: refused or read,
// never beyond its counts; what is read writes back to text that reads the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tally/errors.h"
#include "tally/stringgrid.h"
#include "tally/tallystore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const tally::GridLimits limits :
         {tally::GridLimits{},
          tally::GridLimits{tally::TallyStore::kColumns, 1, tally::TallyStore::kMaxRows}}) {
        tally::StringGrid grid(2, 2);
        try {
            tally::ParseStringGrid(grid, text, "fuzz", limits);
        } catch (const tally::EGridText&) {
            if (grid.colCount() != 2 || grid.rowCount() != 2) std::abort();  // left as it was
            continue;
        }
        if (limits.columns && grid.colCount() != limits.columns) std::abort();
        if (grid.rowCount() > limits.maxRows || grid.rowCount() < limits.minRows) std::abort();
        // Every cell came from its own line of the text.
        std::size_t cellBytes = 0;
        for (int c = 0; c < grid.colCount(); ++c)
            for (int r = 0; r < grid.rowCount(); ++r)
                cellBytes += grid.cell(c, r).size() + 1;
        if (cellBytes > size + 1) std::abort();
    }
    return 0;
}
