#include "instance/started_program.h"

#include <climits>
#include <cstdlib>
#include <unistd.h>

namespace kbs {

std::string runningProgramPath(const char* argv0)
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    if (length > 0 && length < static_cast<ssize_t>(sizeof path))
        return std::string(path, static_cast<std::size_t>(length));
    return argv0 ? argv0 : "";
}

std::string takeStartedCommand(const char* argv0)
{
    const char* startedAs = std::getenv(kStartedAsVariable);
    std::string command = startedAs && *startedAs ? startedAs : runningProgramPath(argv0);
    ::unsetenv(kStartedAsVariable);
    return command;
}

std::string instanceNameOf(const std::string& programPath)
{
    const std::string fileName = programPath.substr(programPath.rfind('/') + 1);
    const std::size_t extension = fileName.rfind('.');
    return extension == std::string::npos || extension == 0 ? fileName : fileName.substr(0, extension);
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace kbs
