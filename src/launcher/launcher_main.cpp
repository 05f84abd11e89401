// The command the user starts. It ends at once when the program already runs for this user,
// after asking that window to come forward; otherwise it becomes the window program. It links
// neither Qt nor libcups, so a second start costs a few system calls and no library loading.
#include "instance/instance_lock.h"
#include "instance/runtime_directory.h"
#include "instance/started_program.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

int main(int, char** argv)
{
    const std::string command = kbs::runningProgramPath(argv[0]);
    {
        kbs::InstanceLock lock(kbs::instanceNameOf(command), kbs::runtimeDirectoryOfThisProcess().path);
        if (lock.claim() == kbs::InstanceLock::Claim::AnotherRuns)
            return 0;
    }
    // Released again: the window program takes the lock itself, so that of two starts at the
    // same moment one ends there, and it tells of any trouble with the lock or the folder.

    // Installed under ../lib/knobstation/; the build tree has the same layout.
    const std::string window = kbs::folderOf(command) + "/../lib/knobstation/" KBS_WINDOW_PROGRAM;
    ::setenv(kbs::kStartedAsVariable, command.c_str(), 1);
    ::execv(window.c_str(), argv);
    std::fprintf(stderr, "%s: cannot start %s: %s\n", kbs::instanceNameOf(command).c_str(), window.c_str(),
                 std::strerror(errno));
    return 127;
}
