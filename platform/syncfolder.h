#pragma once

#include <string>

namespace platform {

// Makes the renames and new names in a folder durable, so a file that replaced
// another survives a power cut. Raises std::runtime_error when the folder cannot be
// synced; a file system that cannot sync folders at all counts as synced.
void syncFolder(const std::string& folder);

}  // namespace platform
