#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>

// Small helpers over POSIX file descriptors for the settings-file reader and writer.
namespace kbs::posix_file {

// Closes the descriptor when the operation ends, whichever way.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor();

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    // Closing can report a delayed write error, so a writer asks for the result.
    bool close();

private:
    int fd_;
};

// open() that neither waits on a FIFO or a device nor gives the descriptor to child processes.
int openWithoutBlocking(const std::string& path, int flags, mode_t mode = 0666);

bool isRegularFile(int fd);

// True when `size` bytes were read; false at an error or an early end of the file.
bool readExactly(int fd, std::uint8_t* buffer, std::size_t size);

// Writes all `size` bytes, going on after short writes; false at the first error.
bool writeFully(int fd, const std::uint8_t* buffer, std::size_t size);

// Copies everything from `offset` to the end of `from` to the current position of `to`.
bool copyFrom(int from, off_t offset, int to);

} // namespace kbs::posix_file
