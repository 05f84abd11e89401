#pragma once

#include <cstddef>
#include <functional>

namespace kbs::cli {

// Calls work(0) … work(count − 1), at most `parallel` at a time (the calling thread among
// them), and returns once every call has returned.
void inParallel(std::size_t count, unsigned parallel, const std::function<void(std::size_t)>& work);

} // namespace kbs::cli
