#include "hostchild.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

HostChild::HostChild(const std::string& program) {
    int out[2];
    if (::pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string port0 = "0";
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--port"), port0.data(),
                    nullptr};
    const int failed = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (failed) {
        pid_ = -1;
        ::close(out[0]);
        return;
    }
    // "listening on port N" is the first line it prints.
    std::string line;
    pollfd p{out[0], POLLIN, 0};
    char c;
    while (line.find('\n') == std::string::npos && ::poll(&p, 1, 5000) > 0 &&
           ::read(out[0], &c, 1) == 1)
        line += c;
    ::close(out[0]);
    unsigned port = 0;
    if (std::sscanf(line.c_str(), "listening on port %u", &port) == 1) port_ = std::uint16_t(port);
}

HostChild::~HostChild() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
}

long HostChild::rssKb() const {
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

long HostChild::cpuTicks() const {
    std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
    std::string all((std::istreambuf_iterator<char>(stat)), {});
    // The name in parentheses may hold blanks; the fields count from after it.
    std::istringstream rest(all.substr(all.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; rest >> field; ++i) {
        if (i == 14) utime = std::atol(field.c_str());
        if (i == 15) {
            stime = std::atol(field.c_str());
            break;
        }
    }
    return utime + stime;
}
