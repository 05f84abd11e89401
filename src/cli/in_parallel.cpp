#include "cli/in_parallel.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace kbs::cli {

void inParallel(std::size_t count, unsigned parallel, const std::function<void(std::size_t)>& work)
{
    std::atomic<std::size_t> next{0};
    const auto worker = [&] {
        for (std::size_t i; (i = next++) < count;)
            work(i);
    };
    const std::size_t threads = std::clamp<std::size_t>(parallel, 1, std::max<std::size_t>(count, 1));
    std::vector<std::jthread> workers;
    for (std::size_t t = 1; t < threads; ++t)
        workers.emplace_back(worker);
    worker();
}

} // namespace kbs::cli
