#include "instance/runtime_directory.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kbs {

namespace {

constexpr mode_t kPrivate = S_IRWXU;

// Empty when `path` is a real folder of `uid` that nobody else may enter; else why not.
std::string privacyProblem(const std::string& path, uid_t uid)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return path + ": " + std::strerror(errno);
    if (!S_ISDIR(info.st_mode))
        return path + " is not a folder";
    if (info.st_uid != uid)
        return path + " belongs to another user";
    if ((info.st_mode & 07777) != kPrivate)
        return path + " is open to other users or not writable";
    return {};
}

std::string processUserName(uid_t uid)
{
    if (const passwd* entry = ::getpwuid(uid); entry && entry->pw_name && *entry->pw_name)
        return entry->pw_name;
    return std::to_string(uid);
}

} // namespace

RuntimeDirectory chooseRuntimeDirectory(const char* xdgRuntimeDir, const std::string& tempDir, uid_t uid,
                                        const std::string& userName)
{
    RuntimeDirectory result;
    if (xdgRuntimeDir && *xdgRuntimeDir) {
        result.problem = privacyProblem(xdgRuntimeDir, uid);
        if (result.problem.empty()) {
            result.path = xdgRuntimeDir;
            return result;
        }
    }

    const std::string fallback = tempDir + "/runtime-" + userName;
    if (::mkdir(fallback.c_str(), kPrivate) != 0 && errno != EEXIST) {
        result.problem += (result.problem.empty() ? "" : "; ") + fallback + ": " + std::strerror(errno);
        return result;
    }
    // A folder of ours that someone opened up is made private again; nothing else is touched.
    struct stat info {};
    if (::lstat(fallback.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == uid &&
        (info.st_mode & 07777) != kPrivate)
        ::chmod(fallback.c_str(), kPrivate);
    if (std::string problem = privacyProblem(fallback, uid); !problem.empty()) {
        result.problem += (result.problem.empty() ? "" : "; ") + problem;
        return result;
    }
    result.path = fallback;
    return result;
}

RuntimeDirectory runtimeDirectoryOfThisProcess()
{
    const char* tmp = std::getenv("TMPDIR");
    const std::string tempDir = tmp && *tmp ? tmp : "/tmp";
    const uid_t uid = ::geteuid();
    const char* xdgRuntimeDir = std::getenv("XDG_RUNTIME_DIR");
    // The user's name is looked up only for the fallback: a second start stays a few system calls.
    if (xdgRuntimeDir && *xdgRuntimeDir && privacyProblem(xdgRuntimeDir, uid).empty())
        return {xdgRuntimeDir, {}};
    return chooseRuntimeDirectory(xdgRuntimeDir, tempDir, uid, processUserName(uid));
}

RuntimeDirectory prepareRuntimeDirectory()
{
    RuntimeDirectory chosen = runtimeDirectoryOfThisProcess();
    if (!chosen.path.empty())
        ::setenv("XDG_RUNTIME_DIR", chosen.path.c_str(), 1);
    return chosen;
}

} // namespace kbs
