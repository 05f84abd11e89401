#pragma once

#include <string>

namespace kbs {

// One running instance per user and program name, without any toolkit, so that the command
// the user starts can tell in a few system calls whether a window already runs. The running
// instance holds flock(2) on "knobstation-<name>.lock" in the user's runtime folder and
// listens on "knobstation-<name>.socket" beside it. The kernel drops the lock when its holder
// dies, so a lock is never left over. A later start finds the lock held, connects to the
// socket (the connection is the request to come forward) and ends. Any other trouble with
// the lock leaves the program running without the guard: ending quietly is only right when
// another instance really runs.
class InstanceLock {
public:
    enum class Claim {
        Owner,       // this process is the running instance
        AnotherRuns, // asked to come forward, whether or not it could be reached
        Unguarded,   // the lock could not be used; see problem()
    };

    // `name` is the program file's name without its extension; both files live in
    // `directory`, a private folder of the user, or nowhere when it is empty.
    InstanceLock(const std::string& name, const std::string& directory);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock, or hands over to the instance that holds it.
    Claim claim();
    // Once the lock is ours: later starts can reach this instance from now on, even before
    // anyone watches the socket (they wait in its queue). The socket to watch, or -1 (with
    // problem() saying why) when a later start cannot reach this instance.
    int listen();
    // Takes every request waiting on the socket `listen()` gave; true when there was one.
    bool takeRequests();

    // What went wrong with the lock or the socket, for the user's standard error; empty
    // when nothing did.
    const std::string& problem() const { return problem_; }

private:
    std::string lockPath_;
    std::string socketPath_;
    int lock_ = -1;
    int socket_ = -1;
    std::string problem_;
};

} // namespace kbs
