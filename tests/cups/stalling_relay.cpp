#include "stalling_relay.h"

#include <cups/cups.h>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <vector>

namespace kbs::test {

namespace {

int unixSocket(const std::string& path, bool listen)
{
    sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const auto* name = reinterpret_cast<const sockaddr*>(&address);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listen ? ::bind(fd, name, sizeof address) == 0 && ::listen(fd, 64) == 0
               : ::connect(fd, name, sizeof address) == 0)
        return fd;
    ::close(fd);
    return -1;
}

} // namespace

StallingRelay::StallingRelay() : serverSocket_(cupsServer()), listenPath_(serverSocket_ + ".relay")
{
    ::unlink(listenPath_.c_str());
    listenFd_ = unixSocket(listenPath_, true);
    thread_ = std::thread([this] { run(); });
    cupsSetServer(listenPath_.c_str());
}

StallingRelay::~StallingRelay()
{
    cupsSetServer(nullptr);
    stopping_ = true;
    thread_.join();
    ::close(listenFd_);
    ::unlink(listenPath_.c_str());
}

void StallingRelay::fail(Failure how, bool everything)
{
    failure_ = how;
    failedBefore_ = everything ? INT_MAX : accepted_.load();
}

void StallingRelay::run()
{
    struct Pair {
        int client, server, number;
        bool open = client >= 0 && server >= 0;
        std::string held{}; // the server's answers since the connection began to trickle
        std::size_t trickled = 0;
    };
    std::vector<Pair> pairs;
    // Looks every 20 ms: a trickle's pace, and how soon a failure is seen.
    while (!stopping_) {
        const bool stall = failure_ == Failure::Stall;
        std::vector<pollfd> watched{{listenFd_, POLLIN, 0}};
        for (const Pair& pair : pairs)
            if (pair.open && !(stall && pair.number < failedBefore_))
                watched.insert(watched.end(), {{pair.client, POLLIN, 0}, {pair.server, POLLIN, 0}});
        ::poll(watched.data(), watched.size(), 20);
        if (watched[0].revents)
            pairs.push_back({::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC),
                             unixSocket(serverSocket_, false), accepted_++});
        for (const pollfd& entry : watched)
            for (Pair& pair : pairs) {
                if (!entry.revents || (entry.fd != pair.client && entry.fd != pair.server))
                    continue;
                char buffer[16384];
                const ssize_t got = ::read(entry.fd, buffer, sizeof buffer);
                const int to = entry.fd == pair.client ? pair.server : pair.client;
                if (to == pair.client && pair.number < failedBefore_ && got > 0)
                    pair.held.append(buffer, std::size_t(got));
                else if (got <= 0 || ::send(to, buffer, std::size_t(got), MSG_NOSIGNAL) != got)
                    pair.open = false;
            }
        // A trickle: the server's answers a byte at a time, and then more bytes without end.
        for (Pair& pair : pairs)
            if (!pair.held.empty() && pair.open) {
                const char next = pair.trickled < pair.held.size() ? pair.held[pair.trickled] : 'a';
                pair.trickled += ::send(pair.client, &next, 1, MSG_NOSIGNAL | MSG_DONTWAIT) == 1;
            }
    }
    for (const Pair& pair : pairs) {
        ::close(pair.client);
        ::close(pair.server);
    }
}

} // namespace kbs::test
