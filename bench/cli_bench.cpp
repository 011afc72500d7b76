// trelvik-cli as a whole process, as a script that calls it once a word sees it: `--version` and one
// `lookup en sv house`, against `dict -d fd-eng-swe house` on a private warm dictd (Debian's dictd, dict and
// dict-freedict-eng-swe) and against /bin/true, what starting any process costs on this machine. The runs are
// paired and interleaved, so that a busy machine slows each alike, and medians are printed.
//
// Usage: cli_bench [ROUNDS]   (default 300, after 20 rounds of warming up)

#include "DictServer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

using benchsupport::BenchFolder;
using benchsupport::DictServer;

constexpr char kDict[] = "/usr/bin/dict";
// Debian's name for the English-Swedish FreeDict database; the private server calls it fd-eng-swe.
constexpr char kFreedictEngSwe[] = "/usr/share/dictd/freedict-eng-swe";

struct Program {
    std::string name;
    std::vector<std::string> argv;
    std::vector<double> millis;    // wall time
    std::vector<double> cpuMillis; // user and system time, which a busy machine inflates less
};

// Runs argv with standard input and output on /dev/null; the wall time in milliseconds, or -1 when it failed.
// cpuMillis receives the process's user and system time.
double timedRun(const std::vector<std::string> &argv, double &cpuMillis)
{
    std::vector<char *> args;
    for (const std::string &arg : argv)
        args.push_back(const_cast<char *>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int status = -1;
    rusage usage{};
    const bool ran = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) == 0
                     && ::wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    const auto end = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    const auto millis = [](const timeval &t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    cpuMillis = millis(usage.ru_utime) + millis(usage.ru_stime);
    return ran ? std::chrono::duration<double, std::milli>(end - start).count() : -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The median over the rounds of a's time divided by b's in the same round.
double pairedRatio(const Program &a, const Program &b)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < a.millis.size() && i < b.millis.size(); ++i)
        ratios.push_back(a.millis[i] / b.millis[i]);
    return median(ratios);
}

} // namespace

int main(int argc, char *argv[])
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    const BenchFolder folder;
    // The lookup reads no user dictionary of whoever runs the benchmark.
    ::setenv("XDG_DATA_HOME", folder.path().c_str(), 1);

    std::vector<Program> programs{
        {"true", {"/bin/true"}, {}, {}},
        {"trelvik-cli --version", {TRELVIK_CLI, "--version"}, {}, {}},
        {"trelvik-cli lookup en sv house", {TRELVIK_CLI, "lookup", "en", "sv", "house"}, {}, {}}};
    const bool haveDict =
        ::access(kDict, X_OK) == 0 && ::access((std::string(kFreedictEngSwe) + ".index").c_str(), R_OK) == 0;
    std::unique_ptr<DictServer> server;
    if (haveDict)
        server = std::make_unique<DictServer>(folder.path(),
                                              std::vector<benchsupport::DictDatabase>{{"fd-eng-swe", kFreedictEngSwe}});
    if (server && server->ready())
        programs.push_back(
            {"dict -d fd-eng-swe house",
             {kDict, "-h", "127.0.0.1", "-p", std::to_string(server->port()), "-d", "fd-eng-swe", "house"},
             {},
             {}});
    else
        std::printf("dict: skipped (needs dictd, dict and dict-freedict-eng-swe)\n");

    for (int round = -20; round < rounds; ++round) {
        // Each round starts with another program, so that none always runs right after another.
        for (std::size_t k = 0; k < programs.size(); ++k) {
            Program &program = programs[(static_cast<std::size_t>(round + 20) + k) % programs.size()];
            double cpu = 0;
            const double ms = timedRun(program.argv, cpu);
            if (ms < 0) {
                std::fprintf(stderr, "%s failed\n", program.name.c_str());
                return 1;
            }
            if (round >= 0) {
                program.millis.push_back(ms);
                program.cpuMillis.push_back(cpu);
            }
        }
    }

    std::printf("%d paired rounds, medians per process:        wall      user+system\n", rounds);
    for (const Program &program : programs)
        std::printf("  %-40s %7.3f ms  %7.3f ms\n", program.name.c_str(), median(program.millis),
                    median(program.cpuMillis));
    if (programs.size() == 4)
        std::printf("lookup / dict, paired (wall): %.2f\n", pairedRatio(programs[2], programs[3]));
    return 0;
}
