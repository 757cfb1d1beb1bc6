#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace tally {

// A file opened for reading; closed when it goes.
class SourceFile {
  public:
    // False when the file cannot be opened.
    bool open(const std::string& path);
    ~SourceFile();

    // Reads up to `count` bytes; returns how many came. Sets failed() on an
    // error, which is different from reaching the end.
    std::size_t read(std::uint8_t* data, std::size_t count);
    bool seek(std::int64_t offset);
    bool failed() const;

  private:
    std::FILE* file_ = nullptr;
};

// A file being written. Unless keep() succeeds it is closed and deleted when it
// goes, so a failed operation leaves no half-written file behind.
class TargetFile {
  public:
    // False when the file cannot be created.
    bool create(const std::string& path);
    ~TargetFile();

    // False unless all `count` bytes were stored.
    bool write(const std::uint8_t* data, std::size_t count);
    // Closes the file for good; false when the last bytes could not be stored.
    bool keep();

  private:
    std::FILE* file_ = nullptr;
    std::string path_;
};

// The size of the file at `path`, or -1 when it cannot be had.
std::int64_t fileSizeOf(const std::string& path);

// True when both paths name one existing file.
bool sameFile(const std::string& a, const std::string& b);

}  // namespace tally
