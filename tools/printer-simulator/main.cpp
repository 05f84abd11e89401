// A stand-in for a networked printer's raw port (AppSocket): every connection is one job,
// whose bytes are stored as a file and summed up in one line on standard output.

#include "block_kind.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A sender that goes quiet this long has finished its job, whether or not it closed.
constexpr int kIdleTimeoutMs = 30000;
constexpr int kStopCheckMs = 200;

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}

struct Options {
    std::uint16_t port = 0;
    fs::path jobDirectory;
    std::optional<fs::path> portFile;
};

void printUsage()
{
    std::cerr << "usage: printer-simulator --jobs DIR [--port N] [--port-file FILE]\n"
                 "  Listens on 127.0.0.1:N (default 0: any free port) like a printer's raw port,\n"
                 "  stores every job as DIR/job-NNNN.bin and prints one line per job.\n"
                 "  --port-file receives the port actually listened on.\n";
}

std::optional<Options> parseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (i + 1 >= argc)
            return std::nullopt;
        const std::string value = argv[++i];
        if (arg == "--port") {
            char* end = nullptr;
            const unsigned long port = std::strtoul(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || port > 65535)
                return std::nullopt;
            options.port = static_cast<std::uint16_t>(port);
        } else if (arg == "--jobs") {
            options.jobDirectory = value;
        } else if (arg == "--port-file") {
            options.portFile = value;
        } else {
            return std::nullopt;
        }
    }
    if (options.jobDirectory.empty())
        return std::nullopt;
    return options;
}

// Jobs are numbered on from those already in the directory, so a restart overwrites nothing.
unsigned lastJobNumber(const fs::path& directory)
{
    unsigned last = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
        const std::string name = entry.path().filename().string();
        unsigned number = 0;
        if (std::sscanf(name.c_str(), "job-%u.bin", &number) == 1 && number > last)
            last = number;
    }
    return last;
}

fs::path jobFileName(const fs::path& directory, unsigned number)
{
    char name[32];
    std::snprintf(name, sizeof name, "job-%04u.bin", number);
    return directory / name;
}

// Written under another name first, so a reader never sees half a job.
bool writeFileAtomically(const fs::path& path, const void* data, std::size_t size)
{
    // Appended piece by piece: GCC 12 sees a false overlap in "." + name + ".part".
    std::string hidden = ".";
    hidden += path.filename().string();
    hidden += ".part";
    const fs::path temporary = path.parent_path() / hidden;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out.flush())
            return false;
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    return !error;
}

// Waits for the descriptor to become readable; false on timeout, stop request or error.
bool waitReadable(int fd, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs && !stopRequested; waited += kStopCheckMs) {
        pollfd entry{fd, POLLIN, 0};
        const int ready = poll(&entry, 1, kStopCheckMs);
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
    return false;
}

std::vector<std::uint8_t> receiveJob(int client)
{
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[4096];
    while (waitReadable(client, kIdleTimeoutMs)) {
        const ssize_t got = recv(client, buffer, sizeof buffer, 0);
        if (got > 0)
            bytes.insert(bytes.end(), buffer, buffer + got);
        else if (got == 0 || errno != EINTR)
            break;
    }
    return bytes;
}

int listenOnLoopback(std::uint16_t port, std::uint16_t& boundPort)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const int yes = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 8) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        return -1;
    }
    boundPort = ntohs(address.sin_port);
    return fd;
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        printUsage();
        return 2;
    }
    std::error_code error;
    fs::create_directories(options->jobDirectory, error);
    if (error) {
        std::cerr << "printer-simulator: cannot create " << options->jobDirectory << ": " << error.message()
                  << '\n';
        return 1;
    }

    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGTERM, requestStop);
    std::signal(SIGINT, requestStop);

    std::uint16_t port = 0;
    const int listener = listenOnLoopback(options->port, port);
    if (listener < 0) {
        std::cerr << "printer-simulator: cannot listen on 127.0.0.1:" << options->port << ": "
                  << std::strerror(errno) << '\n';
        return 1;
    }
    if (options->portFile) {
        const std::string text = std::to_string(port) + "\n";
        if (!writeFileAtomically(*options->portFile, text.data(), text.size())) {
            std::cerr << "printer-simulator: cannot write " << *options->portFile << '\n';
            return 1;
        }
    }
    std::cout << "listening on 127.0.0.1:" << port << ", jobs go to " << options->jobDirectory.string()
              << std::endl;

    unsigned jobNumber = lastJobNumber(options->jobDirectory);
    while (!stopRequested) {
        if (!waitReadable(listener, kStopCheckMs))
            continue;
        const int client = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        const std::vector<std::uint8_t> bytes = receiveJob(client);
        if (!bytes.empty()) {
            ++jobNumber;
            if (writeFileAtomically(jobFileName(options->jobDirectory, jobNumber), bytes.data(),
                                    bytes.size()))
                std::cout << kbs::simulator::describeJob(jobNumber, bytes) << std::endl;
            else
                std::cerr << "printer-simulator: cannot store job " << jobNumber << '\n';
        }
        close(client);
    }
    close(listener);
    return 0;
}
