#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kbs::test {

// A Unix-socket relay in front of a print server's socket that can stop answering the way a
// hung server does: the client's connection stays open and takes what is written to it, and
// nothing ever comes back.
class StallingRelay {
public:
    StallingRelay(std::string serverSocket, std::string listenPath);
    ~StallingRelay();
    StallingRelay(const StallingRelay&) = delete;
    StallingRelay& operator=(const StallingRelay&) = delete;

    bool listening() const { return listenFd_ >= 0; }
    const std::string& path() const { return listenPath_; }

    // The connections open now stop answering; later ones are relayed, or with `everything`
    // not even accepted.
    void stall(bool everything);

private:
    struct Pair {
        int client = -1;
        int server = -1;
        bool stalled = false;
    };

    void run();
    void acceptOne();
    // False when either side has closed.
    bool relay(int from, int to);
    void wake();

    std::string serverSocket_;
    std::string listenPath_;
    int listenFd_ = -1;
    int wakeFds_[2] = {-1, -1};
    std::mutex mutex_;
    std::vector<Pair> pairs_;
    bool acceptNew_ = true;
    std::atomic<bool> stopping_ = false;
    std::thread thread_;
};

} // namespace kbs::test
