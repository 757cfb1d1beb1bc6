#pragma once

#include <stdexcept>
#include <string>

namespace tally {

// Every failure of Compress, Decompress and Advise, and every damaged block.
class ELzrw1Exception : public std::runtime_error {
  public:
    explicit ELzrw1Exception(const std::string& message) : std::runtime_error(message) {}
};

// The block coder's hash table could not be allocated.
class ELzrw1KHCompressor : public std::runtime_error {
  public:
    explicit ELzrw1KHCompressor(const std::string& message) : std::runtime_error(message) {}
};

// The LZHUF coder's tables could not be allocated.
class ElzhException : public std::runtime_error {
  public:
    explicit ElzhException(const std::string& message) : std::runtime_error(message) {}
};

// A grid text that cannot be read or written.
class EGridText : public std::runtime_error {
  public:
    explicit EGridText(const std::string& message) : std::runtime_error(message) {}
};

// A tally file that could not be loaded: the reason, and where the file was kept.
class ETallyLoad : public std::runtime_error {
  public:
    explicit ETallyLoad(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tally
