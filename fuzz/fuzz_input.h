#pragma once

#include "cli/file_image.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

// A broken property is a finding like a crash: libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(condition)                                                                                \
    ((condition) ? void() : (std::fprintf(stderr, "check failed: %s\n", #condition), std::abort()))

namespace kbs::fuzz {

// The choices a target makes, read from the fuzzer's bytes front to back. Once the bytes run out
// every choice is 0 and every text empty, so that any input decodes.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

    bool empty() const { return rest_.empty(); }
    std::string_view rest() { return take(rest_.size()); }
    // A number below `count`.
    std::size_t pick(std::size_t count) { return empty() ? 0 : std::uint8_t(take(1)[0]) % count; }

    // Bytes whose count comes first: one byte of it, or two (big-endian) with `wide`.
    std::string_view chunk(bool wide = false)
    {
        const std::size_t length = pick(256);
        return take(wide ? length * 256 + pick(256) : length);
    }

    const ModelVariant& program() { return *cli::programs()[pick(cli::programs().size())]; }

    // The factory defaults, overwritten from the front by the next chunk.
    SettingsBlock block(const ModelVariant& variant)
    {
        SettingsBlock block(variant.factoryDefaults);
        const std::string_view bytes = chunk(true).substr(0, block.size());
        std::ranges::copy(bytes, block.data());
        return block;
    }

private:
    std::string_view take(std::size_t length)
    {
        const std::string_view taken = rest_.substr(0, length);
        rest_.remove_prefix(taken.size());
        return taken;
    }

    std::string_view rest_;
};

} // namespace kbs::fuzz
