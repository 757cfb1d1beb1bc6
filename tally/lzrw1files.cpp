#include "tally/lzrw1files.h"

#include <filesystem>
#include <system_error>

namespace tally {

bool SourceFile::open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "rb");
    return file_ != nullptr;
}

SourceFile::~SourceFile() {
    if (file_ != nullptr) std::fclose(file_);
}

std::size_t SourceFile::read(std::uint8_t* data, std::size_t count) {
    return std::fread(data, 1, count, file_);
}

bool SourceFile::seek(std::int64_t offset) {
    return fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0;
}

bool SourceFile::failed() const {
    return std::ferror(file_) != 0;
}

bool TargetFile::create(const std::string& path) {
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ != nullptr) path_ = path;
    return file_ != nullptr;
}

TargetFile::~TargetFile() {
    if (file_ == nullptr) return;
    std::fclose(file_);
    std::remove(path_.c_str());
}

bool TargetFile::write(const std::uint8_t* data, std::size_t count) {
    return std::fwrite(data, 1, count, file_) == count;
}

bool TargetFile::keep() {
    // Buffered bytes may only fail to reach the disk here.
    const bool flushed = std::fflush(file_) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (flushed && closed) return true;
    std::remove(path_.c_str());
    return false;
}

std::int64_t fileSizeOf(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return -1;
    const auto size = std::filesystem::file_size(path, ec);
    return ec ? -1 : static_cast<std::int64_t>(size);
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

}  // namespace tally
