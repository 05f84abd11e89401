// Times the selection dialog's printer list against one bare CUPS-Get-Printers request on
// the same server (CUPS_SERVER), alternating which goes first, and prints one line per round:
// "OURS_MS REFERENCE_MS". Fails when either side lists a different number of queues than
// expected.
//   printer-list-bench ROUNDS QUEUES SERVED

#include "cups/cups_printer_list.h"
#include "reference_printer_list.h"
#include "variants/kbs18r/kbs18r_variant.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

template <typename Run> double millisecondsOf(Run run)
{
    const Clock::time_point start = Clock::now();
    run();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: printer-list-bench ROUNDS QUEUES SERVED\n");
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    const std::size_t queues = std::strtoul(argv[2], nullptr, 10);
    const std::size_t served = std::strtoul(argv[3], nullptr, 10);

    kbs::CupsPrinterList printers;
    std::size_t listed = 0, found = 0;
    const auto ours = [&] { listed = printers.usablePrinters(kbs::kbs18r::variant()).size(); };
    const auto reference = [&] { found = bench::referencePrinterList().size(); };
    for (int round = 0; round < rounds; ++round) {
        // Alternating the order keeps caches and the scheduler from favouring one side.
        double oursMs = 0, referenceMs = 0;
        if (round % 2 == 0) {
            oursMs = millisecondsOf(ours);
            referenceMs = millisecondsOf(reference);
        } else {
            referenceMs = millisecondsOf(reference);
            oursMs = millisecondsOf(ours);
        }
        if (listed != served || found != queues) {
            std::fprintf(
                stderr,
                "round %d: %zu served queues listed (expected %zu), %zu queues found (expected %zu)\n", round,
                listed, served, found, queues);
            return 1;
        }
        std::printf("%.3f %.3f\n", oursMs, referenceMs);
    }
    return 0;
}
