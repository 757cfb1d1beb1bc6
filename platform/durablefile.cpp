#include "platform/durablefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace platform {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

[[noreturn]] void fail(const std::string& what, const std::string& path) {
    throw std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

}  // namespace

void syncFolder(const std::string& folder) {
    const std::string path = folder.empty() ? std::string(".") : folder;
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) fail("Cannot open the folder", path);
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    if (!ok) fail("Cannot sync the folder", path);
}

void replaceFile(const std::string& path, std::string_view contents) {
    // mkstemp makes the file private; the new one gets the old one's permissions,
    // or those a new file would have.
    struct stat old {};
    mode_t mode = 0;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    std::string fresh = path + ".new-XXXXXX";
    const int fd = ::mkstemp(fresh.data());
    if (fd < 0) fail("Cannot create a file beside", path);
    auto abandon = [&](const char* what) {
        const int saved = errno;
        ::close(fd);
        ::unlink(fresh.c_str());
        errno = saved;
        fail(what, path);
    };
    if (::fchmod(fd, mode) != 0) abandon("Cannot set permissions for");
    for (std::size_t done = 0; done < contents.size();) {
        const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        if (n <= 0) abandon("Cannot write");
        done += std::size_t(n);
    }
    if (::fsync(fd) != 0) abandon("Cannot write");
    if (::close(fd) != 0) {
        ::unlink(fresh.c_str());
        fail("Cannot write", path);
    }
    if (::rename(fresh.c_str(), path.c_str()) != 0) {
        const int saved = errno;
        ::unlink(fresh.c_str());
        errno = saved;
        fail("Cannot replace", path);
    }
    syncFolder(folderOf(path));
}

}  // namespace platform
