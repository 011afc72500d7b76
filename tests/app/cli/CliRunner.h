#pragma once

// Runs trelvik-cli as a separate process.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace testsupport {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs trelvik-cli with args, feeding input on standard input, and collects both output streams. inChild, if
// given, runs in the child just before the program starts (to change its output, limits, user or environment).
inline CliRun runCli(const std::vector<std::string> &args, const std::string &input = {},
                     const std::function<void()> &inChild = {})
{
    int inPipe[2], outPipe[2], errPipe[2];
    EXPECT_EQ(::pipe(inPipe), 0);
    EXPECT_EQ(::pipe(outPipe), 0);
    EXPECT_EQ(::pipe(errPipe), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(inPipe[0], 0);
        ::dup2(outPipe[1], 1);
        ::dup2(errPipe[1], 2);
        for (int fd : {inPipe[0], inPipe[1], outPipe[0], outPipe[1], errPipe[0], errPipe[1]})
            ::close(fd);
        if (inChild)
            inChild();
        std::vector<char *> argv{const_cast<char *>(TRELVIK_CLI)};
        for (const std::string &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(TRELVIK_CLI, argv.data());
        ::_exit(127);
    }
    ::close(inPipe[0]);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (!input.empty()) {
        EXPECT_EQ(::write(inPipe[1], input.data(), input.size()), static_cast<ssize_t>(input.size()));
    }
    ::close(inPipe[1]);

    CliRun run;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    int open = 2;
    while (open > 0 && ::poll(fds, 2, 10000) > 0) {
        for (pollfd &p : fds) {
            if (p.fd < 0 || !(p.revents & (POLLIN | POLLHUP)))
                continue;
            char buffer[4096];
            const ssize_t n = ::read(p.fd, buffer, sizeof buffer);
            if (n <= 0) {
                ::close(p.fd);
                p.fd = -1;
                --open;
            } else {
                (p.fd == outPipe[0] ? run.out : run.err).append(buffer, static_cast<std::size_t>(n));
            }
        }
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace testsupport
