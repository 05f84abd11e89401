#pragma once

#include "cli/command_line.h"
#include "cli/file_image.h"
#include "cli/knobctl.h"

namespace kbs::cli {

// The commands that reach print servers or their records; exit status as runKnobctl's.
int listQueues(const CommandLine& line, Console& console);
int sendFile(const CommandLine& line, const FileImage& file, Console& console);
int listSent(const CommandLine& line, Console& console);
// FILE against the record of the queue named by --sent.
int diffSent(const CommandLine& line, const FileImage& file, Console& console);

} // namespace kbs::cli
