#pragma once

#include <cstdint>
#include <span>

namespace kbs {

// The program icon drawn at build time (bake-program-icon): premultiplied ARGB pixels, row by
// row, size * size of them.
struct BakedIconImage {
    int size;
    const std::uint32_t* pixels;
};

extern const std::span<const BakedIconImage> kBakedProgramIcon;

} // namespace kbs
