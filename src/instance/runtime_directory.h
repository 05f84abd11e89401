#pragma once

#include <string>
#include <sys/types.h>

namespace kbs {

// The folder for the user's runtime files (the instance lock and socket), or none.
struct RuntimeDirectory {
    std::string path;    // empty when no private folder could be found or made
    std::string problem; // why a folder was passed over; empty when all went as usual
};

// XDG_RUNTIME_DIR when it is a private folder of `uid`, else `<tempDir>/runtime-<userName>`,
// made or repaired as a private folder of `uid`. A folder anyone else may own or enter is
// never used: a lock there could be taken or faked by another user.
RuntimeDirectory chooseRuntimeDirectory(const char* xdgRuntimeDir, const std::string& tempDir, uid_t uid,
                                        const std::string& userName);

// The choice for this process's user and environment.
RuntimeDirectory runtimeDirectoryOfThisProcess();

// The same choice, made before Qt starts: XDG_RUNTIME_DIR is set to it, so Qt uses the same
// folder and has nothing to warn about.
RuntimeDirectory prepareRuntimeDirectory();

} // namespace kbs
