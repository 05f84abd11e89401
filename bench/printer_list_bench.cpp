// Times the printer list of the selection dialog against `lpstat -v` on the same CUPS server
// (CUPS_SERVER), alternating the two, and prints the medians and their ratio.

#include "cups/cups_printer_list.h"
#include "variants/kbs18r/kbs18r_variant.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsOf(const std::function<bool()>& run, bool& ok)
{
    const Clock::time_point start = Clock::now();
    ok = run();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool runLpstat()
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    char program[] = "lpstat";
    char option[] = "-v";
    char* argv[] = {program, option, nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double median(std::vector<double> values)
{
    std::ranges::sort(values);
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 21;
    const std::size_t expectedServed = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 5;
    if (rounds < 1) {
        std::fprintf(stderr, "usage: printer-list-bench [ROUNDS] [SERVED QUEUES]\n");
        return 2;
    }

    kbs::CupsPrinterList printers;
    std::size_t served = 0;
    std::vector<double> listTimes, lpstatTimes;
    for (int round = 0; round < rounds; ++round) {
        bool listOk = false, lpstatOk = false;
        const auto list = [&] {
            served = printers.usablePrinters(kbs::kbs18r::variant()).size();
            return served == expectedServed;
        };
        // Alternating the order keeps caches and the scheduler from favouring one side.
        if (round % 2 == 0) {
            listTimes.push_back(millisecondsOf(list, listOk));
            lpstatTimes.push_back(millisecondsOf(runLpstat, lpstatOk));
        } else {
            lpstatTimes.push_back(millisecondsOf(runLpstat, lpstatOk));
            listTimes.push_back(millisecondsOf(list, listOk));
        }
        if (!listOk || !lpstatOk) {
            std::fprintf(stderr, "round %d failed: %zu served queues listed (expected %zu), lpstat %s\n",
                         round, served, expectedServed, lpstatOk ? "ok" : "failed");
            return 1;
        }
    }

    const double list = median(listTimes);
    const double lpstat = median(lpstatTimes);
    std::printf("selection list: %.2f ms (median of %d, %zu served queues listed)\n", list, rounds, served);
    std::printf("lpstat -v:      %.2f ms (median of %d)\n", lpstat, rounds);
    std::printf("ratio:          %.2f (target at most 1.5)\n", list / lpstat);
    return 0;
}
