#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace kbs::test {

// A relay in front of libcups' server socket, used by libcups while it lives, that can fail the way a
// hung server does: stalled, a connection takes what is written to it, and nothing comes back;
// trickling, it gets an answer that never ends, a byte at a time.
class StallingRelay {
public:
    enum class Failure { Stall, Trickle };

    StallingRelay();
    ~StallingRelay();

    // The connections open now fail; later ones are relayed, or with `everything` fail too.
    void fail(Failure how, bool everything);

private:
    void run();

    std::string serverSocket_;
    std::string listenPath_;
    int listenFd_ = -1;
    std::atomic<Failure> failure_ = Failure::Stall;
    std::atomic<int> accepted_ = 0;
    std::atomic<int> failedBefore_ = 0; // the connections accepted before this many fail
    std::atomic<bool> stopping_ = false;
    std::thread thread_;
};

} // namespace kbs::test
