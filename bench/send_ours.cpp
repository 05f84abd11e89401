// Our send as a fresh process: the program's own spooler adapter sends a file as the job
// "Knobstation Status Write", ending 0 only when the job was accepted.
//   send-ours QUEUE FILE

#include "cups/cups_spooler.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    std::ifstream in(argv[2], std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    kbs::CupsSpooler spooler;
    const auto queue = spooler.openForUse(argv[1]);
    if (!queue || !queue->startRawJob("Knobstation Status Write"))
        return 1;
    const bool written = queue->writeData(bytes);
    return queue->endJob() && written ? 0 : 1;
}
