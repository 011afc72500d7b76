#pragma once

// Runs a piece of a test in a forked child: for work that may hang, must be killed, runs under other
// limits or another user, or whose peak memory is to be measured apart from the test process.

#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <grp.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

struct ChildResult {
    int exitCode = -1;  // the child's exit status, or -1 when a signal ended it
    int signal = 0;     // the signal that ended it (SIGALRM when it ran out of time)
    std::string output; // what the child wrote to its report pipe
};

// Runs body in a child that is ended by SIGALRM after seconds; body writes its findings to report.
inline ChildResult RunInChild(const std::function<int(std::FILE *report)> &body, unsigned seconds = 60)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        ::alarm(seconds);
        std::FILE *report = ::fdopen(fds[1], "w");
        const int code = body(report);
        std::fflush(report);
        ::_exit(code);
    }
    ::close(fds[1]);
    ChildResult result;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
        result.output.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    return result;
}

// A value of /proc/self/status in kB, such as "VmHWM" (peak resident memory) or "VmRSS".
inline long ProcStatusKb(const std::string &key)
{
    std::ifstream in("/proc/self/status");
    std::string name;
    long value = -1;
    std::string unit;
    while (in >> name) {
        if (name == key + ":") {
            in >> value;
            return value;
        }
        std::getline(in, unit);
    }
    return -1;
}

// Starts a fresh peak-memory measurement of this process (VmHWM falls back to the current RSS).
inline bool ResetPeakMemory()
{
    std::ofstream out("/proc/self/clear_refs");
    out << "5";
    out.flush();
    return static_cast<bool>(out);
}

// Root may write anything, so checks of permissions run as an unprivileged user (nobody) where the test runs
// as root. For a child only: there is no way back.
inline bool BecomeUnprivileged()
{
    return ::geteuid() != 0 || (::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0);
}

} // namespace testsupport
