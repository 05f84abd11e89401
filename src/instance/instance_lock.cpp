#include "instance/instance_lock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kbs {

namespace {

constexpr int kWaitingStarts = 16;

std::string inDirectory(const std::string& directory, const std::string& fileName)
{
    return directory.empty() ? std::string() : directory + '/' + fileName;
}

std::string failure(const std::string& what, const std::string& path)
{
    return what + ' ' + path + ": " + std::strerror(errno);
}

// The socket's address; false when the path does not fit in one.
bool socketAddress(const std::string& path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// Connecting is the whole request. Never blocks: a running instance too busy to take
// connections is not brought forward, and this start ends all the same.
void askRunningInstanceToComeForward(const std::string& socketPath)
{
    sockaddr_un address;
    if (!socketAddress(socketPath, address))
        return;
    const int connection = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (connection < 0)
        return;
    ::connect(connection, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::close(connection);
}

} // namespace

InstanceLock::InstanceLock(const std::string& name, const std::string& directory)
    : lockPath_(inDirectory(directory, "knobstation-" + name + ".lock")),
      socketPath_(inDirectory(directory, "knobstation-" + name + ".socket"))
{
}

InstanceLock::~InstanceLock()
{
    if (socket_ >= 0) {
        ::unlink(socketPath_.c_str()); // still ours: the lock is released only below
        ::close(socket_);
    }
    // The lock file stays: removing it would let a start that opened it lock a file that
    // no later start can see, and two instances would run.
    if (lock_ >= 0)
        ::close(lock_);
}

InstanceLock::Claim InstanceLock::claim()
{
    if (lockPath_.empty()) {
        problem_ = "no private runtime folder for the instance lock";
        return Claim::Unguarded;
    }
    // Not inherited by the programs this one starts (a browser showing the help), which
    // would otherwise keep the lock after the window has closed.
    const int lock = ::open(lockPath_.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lock < 0) {
        problem_ = failure("cannot open", lockPath_);
        return Claim::Unguarded;
    }
    if (::flock(lock, LOCK_EX | LOCK_NB) == 0) {
        lock_ = lock;
        return Claim::Owner;
    }
    const bool held = errno == EWOULDBLOCK;
    problem_ = held ? std::string() : failure("cannot lock", lockPath_);
    ::close(lock);
    if (!held)
        return Claim::Unguarded;
    askRunningInstanceToComeForward(socketPath_);
    return Claim::AnotherRuns;
}

int InstanceLock::listen()
{
    if (lock_ < 0 || socket_ >= 0)
        return socket_;
    sockaddr_un address;
    if (!socketAddress(socketPath_, address)) {
        problem_ =
            "a second start cannot bring this window forward: the path " + socketPath_ + " is too long";
        return -1;
    }
    // The lock is ours, so a socket file left behind belongs to an instance that is gone.
    ::unlink(socketPath_.c_str());
    const int listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listening < 0 ||
        ::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listening, kWaitingStarts) != 0) {
        // Still the one instance; a later start ends all the same but cannot bring this one forward.
        problem_ = failure("a second start cannot bring this window forward: cannot listen on", socketPath_);
        if (listening >= 0)
            ::close(listening);
        return -1;
    }
    socket_ = listening;
    return socket_;
}

bool InstanceLock::takeRequests()
{
    bool taken = false;
    for (int connection;
         socket_ >= 0 && (connection = ::accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
        ::close(connection);
        taken = true;
    }
    return taken;
}

} // namespace kbs
