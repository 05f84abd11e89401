#pragma once

#include "menu/command_pictures.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace kbs::picture_art {

// One letter per pixel, each one of the 16 colours of the classic palette.
struct ArtColour {
    char letter;
    std::uint32_t rgb;
};

inline constexpr char kBlack = 'k';
inline constexpr char kDarkGray = 'd';
inline constexpr char kLightGray = '.';
inline constexpr char kWhite = 'w';

inline constexpr std::array<ArtColour, 16> kColours = {{
    {kBlack, 0x000000},
    {'r', 0x800000},
    {'g', 0x008000},
    {'o', 0x808000},
    {'n', 0x000080},
    {'p', 0x800080},
    {'t', 0x008080},
    {kDarkGray, 0x808080},
    {kLightGray, 0xc0c0c0},
    {'R', 0xff0000},
    {'G', 0x00ff00},
    {'Y', 0xffff00},
    {'B', 0x0000ff},
    {'M', 0xff00ff},
    {'C', 0x00ffff},
    {kWhite, 0xffffff},
}};

inline constexpr int kArtSize = 16;
using Rows = std::array<std::string_view, kArtSize>;

// The rows of a picture, top to bottom; nullptr for a picture that has no art.
const Rows* rowsOf(Picture picture);

} // namespace kbs::picture_art
