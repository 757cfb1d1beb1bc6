#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

// A real quivelo-host process on a free port, its log thrown away so that a
// chatty log never blocks it on a full pipe. Ends it when it goes.
class HostChild {
  public:
    explicit HostChild(const std::string& program);
    ~HostChild();
    HostChild(const HostChild&) = delete;
    HostChild& operator=(const HostChild&) = delete;

    bool started() const { return port_ != 0; }
    std::uint16_t port() const { return port_; }
    // VmRSS in KiB, from /proc/<pid>/status.
    long rssKb() const;
    // utime + stime in clock ticks, from /proc/<pid>/stat.
    long cpuTicks() const;

  private:
    pid_t pid_ = -1;
    std::uint16_t port_ = 0;
};
