#pragma once

// A private dictd for the benchmarks (dictd from Debian's dictd package): it listens on a free port of
// 127.0.0.1, serves the databases it is given and is stopped when the object goes.
//
// dictd writes an answer in several small pieces with Nagle's algorithm on, so a client that delays its
// acknowledgements (as TCP does by default) waits about 40 ms for every answer whatever the database holds;
// define() can acknowledge at once (TCP_QUICKACK) to measure the server's own work.

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace benchsupport {

namespace fs = std::filesystem;

inline constexpr char kDictd[] = "/usr/sbin/dictd";

// A database for dictd: its name and where its files are (without .index and .dict.dz).
struct DictDatabase {
    std::string name;
    std::string base;
};

// A temporary folder that a server running as its own user may read.
class BenchFolder {
public:
    BenchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "trelvik-bench-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
        fs::permissions(m_path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec
                                    | fs::perms::others_read | fs::perms::others_exec);
    }
    BenchFolder(const BenchFolder &) = delete;
    BenchFolder &operator=(const BenchFolder &) = delete;
    ~BenchFolder() { fs::remove_all(m_path); }
    const fs::path &path() const { return m_path; }

private:
    fs::path m_path;
};

// One connection to a private dictd that serves databases exported into a folder.
class DictServer {
public:
    // Serves each database (a name and the path of its .index and .dict.dz without the extension), with its
    // configuration and log in folder.
    DictServer(const fs::path &folder, const std::vector<DictDatabase> &databases)
    {
        if (::access(kDictd, X_OK) != 0)
            return;
        for (int attempt = 0; attempt < 5 && m_socket < 0; ++attempt)
            start(folder, databases);
    }
    DictServer(const DictServer &) = delete;
    DictServer &operator=(const DictServer &) = delete;
    ~DictServer()
    {
        if (m_socket >= 0)
            ::close(m_socket);
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    bool ready() const { return m_socket >= 0; }
    // The port it listens on (on 127.0.0.1).
    int port() const { return m_port; }

    // dictd ends a connection after about 2,000 queries: a new one, greeted, in its place.
    bool reconnect()
    {
        ::close(m_socket);
        m_socket = connectAndGreet(m_port);
        return m_socket >= 0;
    }

    // Sends one DEFINE and reads its whole answer: the definitions up to "." and "250 ok", or one 5xx line.
    std::string define(std::string_view database, std::string_view word, bool quickAck)
    {
        const std::string line = "DEFINE " + std::string(database) + " \"" + std::string(word) + "\"\r\n";
        if (::send(m_socket, line.data(), line.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(line.size()))
            return {};
        std::string answer;
        while (!complete(answer)) {
            const int on = quickAck ? 1 : 0;
            ::setsockopt(m_socket, IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
            char buffer[8192];
            const ssize_t n = ::recv(m_socket, buffer, sizeof buffer, 0);
            if (n <= 0)
                return {};
            answer.append(buffer, static_cast<std::size_t>(n));
        }
        return answer;
    }

private:
    static bool complete(std::string_view answer)
    {
        if (answer.size() < 2 || answer.substr(answer.size() - 2) != "\r\n")
            return false;
        if (answer.front() == '5')
            return true;
        const std::size_t end = answer.rfind("\r\n.\r\n");
        return end != std::string_view::npos && answer.substr(end + 5, 4) == "250 ";
    }

    static sockaddr_in loopback(int port)
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return address;
    }

    static int freePort()
    {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = loopback(0);
        socklen_t size = sizeof address;
        ::bind(s, reinterpret_cast<sockaddr *>(&address), size);
        ::getsockname(s, reinterpret_cast<sockaddr *>(&address), &size);
        ::close(s);
        return ntohs(address.sin_port);
    }

    // A connection to the server on port once it greets with "220 ...", or -1.
    static int connectAndGreet(int port)
    {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in address = loopback(port);
        std::string banner;
        if (::connect(s, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0) {
            char c = 0;
            while (banner.size() < 4096 && ::recv(s, &c, 1, 0) == 1 && c != '\n')
                banner += c;
        }
        if (banner.rfind("220 ", 0) == 0)
            return s;
        ::close(s);
        return -1;
    }

    void start(const fs::path &folder, const std::vector<DictDatabase> &databases)
    {
        const int port = m_port = freePort();
        const fs::path conf = folder / "dictd.conf";
        const fs::path log = folder / "dictd.log";
        std::ofstream(log).close();
        // dictd started by root writes its log as its own user.
        fs::permissions(log, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read
                                 | fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
        {
            std::ofstream out(conf);
            out << "global {\n  listen_to 127.0.0.1\n  port " << port << "\n}\naccess {\n  allow 127.0.0.1\n}\n";
            for (const DictDatabase &database : databases)
                out << "database " << database.name << " {\n  data \"" << database.base << ".dict.dz\"\n  index \""
                    << database.base << ".index\"\n}\n";
        }
        const std::string confArg = conf.string(), pidArg = (folder / "dictd.pid").string(), logArg = log.string();
        m_pid = ::fork();
        if (m_pid == 0) {
            // Its debugging output (nodetach needs --debug) would bury the figures.
            ::dup2(::open("/dev/null", O_WRONLY), 2);
            ::execl(kDictd, kDictd, "--config", confArg.c_str(), "--pid-file", pidArg.c_str(), "-L", logArg.c_str(),
                    "--debug", "nodetach", static_cast<char *>(nullptr));
            ::_exit(127);
        }
        for (int waited = 0; waited < 600; ++waited) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if ((m_socket = connectAndGreet(port)) >= 0)
                return;
            if (::waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
                m_pid = -1; // another port, perhaps
                return;
            }
        }
    }

    pid_t m_pid = -1;
    int m_port = 0;
    int m_socket = -1;
};

} // namespace benchsupport
