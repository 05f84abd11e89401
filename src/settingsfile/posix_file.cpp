#include "settingsfile/posix_file.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kbs::posix_file {

Descriptor::~Descriptor()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool Descriptor::close()
{
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 || errno == EINTR;
}

int openWithoutBlocking(const std::string& path, int flags, mode_t mode)
{
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool isRegularFile(int fd)
{
    struct stat status {};
    return ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

namespace {
// Repeats a read or write step until `size` bytes have gone through it; an interrupting signal
// is retried, an end of file or an error fails.
template <typename Step> bool transferAll(std::size_t size, Step step)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = step(done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}
} // namespace

bool readExactly(int fd, std::uint8_t* buffer, std::size_t size)
{
    return transferAll(size, [&](std::size_t done) { return ::read(fd, buffer + done, size - done); });
}

bool writeFully(int fd, const std::uint8_t* buffer, std::size_t size)
{
    return transferAll(size, [&](std::size_t done) { return ::write(fd, buffer + done, size - done); });
}

bool copyFrom(int from, off_t offset, int to)
{
    std::array<std::uint8_t, 64 * 1024> chunk;
    for (;;) {
        const ssize_t n = ::pread(from, chunk.data(), chunk.size(), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        if (!writeFully(to, chunk.data(), static_cast<std::size_t>(n)))
            return false;
        offset += n;
    }
}

} // namespace kbs::posix_file
