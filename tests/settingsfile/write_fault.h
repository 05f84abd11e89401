#pragma once

#include <cstdint>

namespace kbs::test {

// Makes write(2) in this process write at most `bytes` more bytes, the last call short; after
// that every write fails with ENOSPC (`thenFail`) or goes on normally. For child processes
// only: there is no way to disarm it.
void armWriteFault(std::int64_t bytes, bool thenFail);

} // namespace kbs::test
