#include "platform/syncfolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace platform {

void syncFolder(const std::string& folder) {
    const std::string path = folder.empty() ? std::string(".") : folder;
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw std::runtime_error("Cannot open the folder " + path);
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    if (!ok) throw std::runtime_error("Cannot sync the folder " + path);
}

}  // namespace platform
