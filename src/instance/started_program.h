#pragma once

#include <string>

namespace kbs {

// The launcher passes the command the user started on to the window program in this variable,
// so that both name the instance and find the program's folder alike.
inline constexpr char kStartedAsVariable[] = "KNOBSTATION_STARTED_AS";

// The running program file (/proc/self/exe, which names the file and not a link to it), else
// `argv0`.
std::string runningProgramPath(const char* argv0);

// The window program's view: the command the launcher passed on, else the program itself. The
// variable is removed, so the programs this one starts do not take it for theirs.
std::string takeStartedCommand(const char* argv0);

// The instance name: the file name without its extension, so a renamed copy runs on its own.
std::string instanceNameOf(const std::string& programPath);
std::string folderOf(const std::string& path);

} // namespace kbs
