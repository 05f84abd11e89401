#include "settingsfile/settings_file.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kbs {

namespace {

// Closes the descriptor when the operation ends, whichever way.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }

    // Closing can report a delayed write error, so a writer asks for the result.
    bool close()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 || errno == EINTR;
    }

private:
    int fd_;
};

// O_NONBLOCK keeps open() from waiting on a FIFO or a device; fstat then refuses them.
int openWithoutBlocking(const std::string& path, int flags)
{
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool isRegularFile(int fd)
{
    struct stat status {};
    return ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

// True when `size` bytes were read; false at an error or an early end of the file.
bool readExactly(int fd, std::uint8_t* buffer, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, buffer + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool writeFully(int fd, const std::uint8_t* buffer, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, buffer + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The identifier text and its NUL byte, as they open every settings file of the variant.
std::vector<std::uint8_t> identifierBytes(const ModelVariant& variant)
{
    std::vector<std::uint8_t> bytes(variant.fileIdentifier.begin(), variant.fileIdentifier.end());
    bytes.push_back(0);
    return bytes;
}

// A block of another length is a programming error, not a file problem.
void requireBlockLength(const ModelVariant& variant, const SettingsBlock& block)
{
    if (block.size() != variant.blockLength)
        throw std::length_error("settings block length does not match the variant");
}

} // namespace

ReadResult readSettingsFile(const std::string& path, const ModelVariant& variant, SettingsBlock& block)
{
    requireBlockLength(variant, block);
    const FileDescriptor file(openWithoutBlocking(path, O_RDONLY));
    if (!file.isOpen() || !isRegularFile(file.get()))
        return ReadResult::NotSettingsFile;

    const std::vector<std::uint8_t> expected = identifierBytes(variant);
    std::vector<std::uint8_t> identifier(expected.size());
    if (!readExactly(file.get(), identifier.data(), identifier.size()) || identifier != expected)
        return ReadResult::NotSettingsFile;

    std::vector<std::uint8_t> payload(variant.blockLength);
    if (!readExactly(file.get(), payload.data(), payload.size()))
        return ReadResult::NotSettingsFile;

    block.assign(payload);
    return ReadResult::Ok;
}

WriteResult writeSettingsFile(const std::string& path, const ModelVariant& variant,
                              const SettingsBlock& block)
{
    requireBlockLength(variant, block);

    // Read-write and no O_TRUNC: an existing file is written over from its start and keeps
    // whatever lay beyond the new end.
    const int fd = openWithoutBlocking(path, O_RDWR | O_CREAT);
    if (fd < 0)
        return (errno == EACCES || errno == EPERM) ? WriteResult::AccessDenied : WriteResult::Failed;
    FileDescriptor file(fd);
    if (!isRegularFile(file.get()))
        return WriteResult::Failed;

    std::vector<std::uint8_t> content = identifierBytes(variant);
    content.insert(content.end(), block.bytes().begin(), block.bytes().end());
    // Saved means on the disk: a save reported as done must survive a crash right after it.
    if (!writeFully(file.get(), content.data(), content.size()) || ::fsync(file.get()) != 0)
        return WriteResult::Failed;
    return file.close() ? WriteResult::Ok : WriteResult::Failed;
}

} // namespace kbs
