#include "write_fault.h"

#include <algorithm>
#include <cerrno>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
bool armed = false;
std::int64_t remaining = 0;
bool failAfter = true;
} // namespace

void kbs::test::armWriteFault(std::int64_t bytes, bool thenFail)
{
    armed = true;
    remaining = bytes;
    failAfter = thenFail;
}

// Stands in for the C library's write(2) in the whole test program; unarmed it passes every
// call through to the kernel.
extern "C" ssize_t write(int fd, const void* buffer, size_t count)
{
    if (armed && count > 0) {
        if (remaining == 0) {
            if (failAfter) {
                errno = ENOSPC;
                return -1;
            }
            armed = false;
        } else {
            count = std::min(count, static_cast<size_t>(remaining));
            remaining -= static_cast<std::int64_t>(count);
        }
    }
    return ::syscall(SYS_write, fd, buffer, count);
}
