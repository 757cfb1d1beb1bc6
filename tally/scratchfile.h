#pragma once

#include <string>

namespace tally {

// A private, freshly created file in the temporary folder, removed again when this
// goes; the grid text lives here between the tally file and the grid.
class ScratchFile {
  public:
    ScratchFile();
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

}  // namespace tally
