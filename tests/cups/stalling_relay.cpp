#include "stalling_relay.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace kbs::test {

namespace {

sockaddr_un addressOf(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    return address;
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

StallingRelay::StallingRelay(std::string serverSocket, std::string listenPath)
    : serverSocket_(std::move(serverSocket)), listenPath_(std::move(listenPath))
{
    ::unlink(listenPath_.c_str());
    const sockaddr_un address = addressOf(listenPath_);
    listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0 ||
        ::bind(listenFd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenFd_, 64) != 0 || ::pipe2(wakeFds_, O_CLOEXEC) != 0) {
        closeFd(listenFd_);
        return;
    }
    thread_ = std::thread([this] { run(); });
}

StallingRelay::~StallingRelay()
{
    stopping_ = true;
    wake();
    if (thread_.joinable())
        thread_.join();
    for (Pair& pair : pairs_) {
        closeFd(pair.client);
        closeFd(pair.server);
    }
    closeFd(listenFd_);
    closeFd(wakeFds_[0]);
    closeFd(wakeFds_[1]);
    ::unlink(listenPath_.c_str());
}

void StallingRelay::stall(bool everything)
{
    {
        const std::lock_guard lock(mutex_);
        acceptNew_ = acceptNew_ && !everything;
        for (Pair& pair : pairs_)
            pair.stalled = true;
    }
    wake();
}

void StallingRelay::wake()
{
    if (wakeFds_[1] >= 0) {
        const char byte = 0;
        [[maybe_unused]] const ssize_t written = ::write(wakeFds_[1], &byte, 1);
    }
}

void StallingRelay::run()
{
    while (!stopping_) {
        std::vector<pollfd> watched{{wakeFds_[0], POLLIN, 0}};
        std::vector<std::size_t> pairOf{0};
        {
            const std::lock_guard lock(mutex_);
            if (acceptNew_)
                watched.push_back({listenFd_, POLLIN, 0});
            for (std::size_t i = 0; i < pairs_.size(); ++i) {
                if (pairs_[i].stalled || pairs_[i].client < 0)
                    continue;
                watched.push_back({pairs_[i].client, POLLIN, 0});
                watched.push_back({pairs_[i].server, POLLIN, 0});
            }
        }
        if (::poll(watched.data(), watched.size(), -1) < 0)
            continue;
        if (watched[0].revents) {
            char drain[64];
            [[maybe_unused]] const ssize_t read = ::read(wakeFds_[0], drain, sizeof drain);
            continue; // the states may have changed: look again
        }
        for (const pollfd& entry : watched) {
            if (!entry.revents || entry.fd == wakeFds_[0])
                continue;
            if (entry.fd == listenFd_) {
                acceptOne();
                continue;
            }
            const std::lock_guard lock(mutex_);
            for (Pair& pair : pairs_) {
                if (pair.stalled || (entry.fd != pair.client && entry.fd != pair.server))
                    continue;
                const bool open = entry.fd == pair.client ? relay(pair.client, pair.server)
                                                          : relay(pair.server, pair.client);
                if (!open) {
                    closeFd(pair.client);
                    closeFd(pair.server);
                }
            }
        }
    }
}

void StallingRelay::acceptOne()
{
    Pair pair;
    pair.client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (pair.client < 0)
        return;
    const sockaddr_un address = addressOf(serverSocket_);
    pair.server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (pair.server < 0 ||
        ::connect(pair.server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        closeFd(pair.client);
        closeFd(pair.server);
        return;
    }
    const std::lock_guard lock(mutex_);
    pairs_.push_back(pair);
}

bool StallingRelay::relay(int from, int to)
{
    char buffer[16384];
    const ssize_t got = ::read(from, buffer, sizeof buffer);
    if (got <= 0)
        return false;
    for (ssize_t sent = 0; sent < got;) {
        const ssize_t now = ::send(to, buffer + sent, std::size_t(got - sent), MSG_NOSIGNAL);
        if (now <= 0)
            return false;
        sent += now;
    }
    return true;
}

} // namespace kbs::test
