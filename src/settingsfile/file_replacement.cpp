#include "settingsfile/file_replacement.h"

#include "settingsfile/posix_file.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace kbs {

namespace {

using posix_file::Descriptor;

bool isAccessError(int error)
{
    return error == EACCES || error == EPERM;
}

// Beyond RLIMIT_FSIZE the kernel sends SIGXFSZ, which by default ends the process with the
// user's settings unsaved. Ignored while a save runs, the write fails with EFBIG instead; the
// disposition is put back afterwards, since programs started later inherit an ignored signal.
class FileSizeSignalIgnored {
public:
    FileSizeSignalIgnored()
    {
        if (::sigaction(SIGXFSZ, nullptr, &previous_) != 0 || (previous_.sa_flags & SA_SIGINFO) != 0 ||
            previous_.sa_handler != SIG_DFL)
            return;
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        changed_ = ::sigaction(SIGXFSZ, &ignore, nullptr) == 0;
    }
    FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
    FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;
    ~FileSizeSignalIgnored()
    {
        if (changed_)
            ::sigaction(SIGXFSZ, &previous_, nullptr);
    }

private:
    struct sigaction previous_ {};
    bool changed_ = false;
};

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a symbolic link leads to: that file is replaced, and the link stays a link.
std::string resolvedPath(const std::string& path)
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

// A new file in the target's folder, removed again unless it was renamed into place.
class SiblingFile {
public:
    SiblingFile(const std::string& folder, mode_t mode)
    {
        static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        std::random_device seed;
        std::mt19937 random(seed());
        std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = folder + "/.knobstation-";
            for (int i = 0; i < 8; ++i)
                name += kLetters[letter(random)];
            const int fd = posix_file::openWithoutBlocking(name, O_RDWR | O_CREAT | O_EXCL, mode);
            if (fd >= 0) {
                path_ = std::move(name);
                fd_ = std::make_unique<Descriptor>(fd);
                return;
            }
            error_ = errno;
            if (error_ != EEXIST)
                return;
        }
    }
    SiblingFile(const SiblingFile&) = delete;
    SiblingFile& operator=(const SiblingFile&) = delete;
    ~SiblingFile()
    {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }

    bool isOpen() const { return fd_ != nullptr; }
    // Why the file could not be created.
    int error() const { return error_; }
    int fd() const { return fd_->get(); }

    // Flushes, closes and renames the file to `target`.
    bool commitAs(const std::string& target)
    {
        if (::fsync(fd_->get()) != 0 || !fd_->close() || ::rename(path_.c_str(), target.c_str()) != 0)
            return false;
        path_.clear();
        // The rename itself reaches the disk with the folder; where a folder cannot be
        // flushed the file is in place all the same.
        const Descriptor folder(posix_file::openWithoutBlocking(folderOf(target), O_RDONLY | O_DIRECTORY));
        if (folder.isOpen())
            ::fsync(folder.get());
        return true;
    }

private:
    std::string path_;
    std::unique_ptr<Descriptor> fd_;
    int error_ = 0;
};

WriteResult writeNewFile(const std::string& path, std::span<const std::uint8_t> content)
{
    SiblingFile file(folderOf(path), 0666);
    if (!file.isOpen())
        return isAccessError(file.error()) ? WriteResult::AccessDenied : WriteResult::Failed;
    if (!posix_file::writeFully(file.fd(), content.data(), content.size()) || !file.commitAs(path))
        return WriteResult::Failed;
    return WriteResult::Ok;
}

// Only for a folder that refuses new files: a write that fails here can leave the file mixed.
WriteResult writeInPlace(Descriptor& old, std::span<const std::uint8_t> content, bool keepTail)
{
    if (!posix_file::writeFully(old.get(), content.data(), content.size()) ||
        (!keepTail && ::ftruncate(old.get(), static_cast<off_t>(content.size())) != 0) ||
        ::fsync(old.get()) != 0)
        return WriteResult::Failed;
    return old.close() ? WriteResult::Ok : WriteResult::Failed;
}

// The new file takes the old one's owner where the system allows it, and its permission bits.
bool takeOverAttributes(int fd, const struct stat& old)
{
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            static_cast<void>(::fchown(fd, static_cast<uid_t>(-1), old.st_gid));
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

WriteResult replaceExistingFile(const std::string& path, Descriptor& old, const struct stat& oldStatus,
                                std::span<const std::uint8_t> content, bool keepTail)
{
    const std::string target = resolvedPath(path);
    SiblingFile file(folderOf(target), 0600);
    if (!file.isOpen())
        return isAccessError(file.error()) ? writeInPlace(old, content, keepTail) : WriteResult::Failed;
    const bool written =
        posix_file::writeFully(file.fd(), content.data(), content.size()) &&
        (!keepTail || posix_file::copyFrom(old.get(), static_cast<off_t>(content.size()), file.fd())) &&
        takeOverAttributes(file.fd(), oldStatus);
    if (!written || !file.commitAs(target))
        return WriteResult::Failed;
    return WriteResult::Ok;
}

WriteResult replace(const std::string& path, std::span<const std::uint8_t> content, bool keepTail)
{
    const FileSizeSignalIgnored sizeLimitIsAnError;
    // Opened for writing, though only read: a file the user may not write is refused here,
    // even where its folder would let a new file take its place.
    Descriptor old(posix_file::openWithoutBlocking(path, O_RDWR));
    const int openError = errno;
    if (!old.isOpen()) {
        if (openError == ENOENT)
            return writeNewFile(path, content);
        return isAccessError(openError) ? WriteResult::AccessDenied : WriteResult::Failed;
    }
    struct stat oldStatus {};
    if (::fstat(old.get(), &oldStatus) != 0 || !S_ISREG(oldStatus.st_mode))
        return WriteResult::Failed;
    return replaceExistingFile(path, old, oldStatus, content, keepTail);
}

} // namespace

WriteResult replaceFileStart(const std::string& path, std::span<const std::uint8_t> content)
{
    return replace(path, content, true);
}

WriteResult replaceWholeFile(const std::string& path, std::span<const std::uint8_t> content)
{
    return replace(path, content, false);
}

} // namespace kbs
