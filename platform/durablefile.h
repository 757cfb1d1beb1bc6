#pragma once

#include <string>
#include <string_view>

namespace platform {

// Makes the renames and new names in a folder durable, so a file that replaced
// another survives a power cut. Raises std::runtime_error when the folder cannot be
// synced; a file system that cannot sync folders at all counts as synced.
void syncFolder(const std::string& folder);

// Replaces the file at `path` with `contents`, whole or not at all: the new bytes go
// to a file beside it, which is synced and renamed over it, and the folder is synced.
// The new file keeps the old one's permissions. Raises std::runtime_error (with the
// reason) when any step fails; the old file is then untouched.
void replaceFile(const std::string& path, std::string_view contents);

}  // namespace platform
