#include "tally/scratchfile.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "tally/errors.h"

namespace tally {

ScratchFile::ScratchFile() {
    const std::string pattern =
        (std::filesystem::temp_directory_path() / "quivelo-tally-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) throw EGridText("Cannot create a temporary file like " + pattern);
    ::close(fd);
    path_ = name.data();
}

ScratchFile::~ScratchFile() {
    std::remove(path_.c_str());
}

}  // namespace tally
