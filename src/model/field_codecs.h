#pragma once

#include "model/settings_block.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kbs {

// Switch byte pair: switches n-1..n-4 in bits 0..3 of the first byte, n-5..n-8 in bits
// 0..3 of the second. Index 0 holds switch n-1.
using SwitchValues = std::array<std::uint8_t, 8>;

// Bits 4..7 are ignored.
SwitchValues readSwitchPair(const SettingsBlock& block, std::size_t offset);
// Bits 4..7 are written 0; a value other than 0 counts as 1.
void writeSwitchPair(SettingsBlock& block, std::size_t offset, const SwitchValues& values);

// Decimal field of `width` ASCII digits, read digit by digit without a check.
int readDecimal(const SettingsBlock& block, std::size_t offset, std::size_t width);
// Zero-padded; only digits are ever written: a value that does not fit is clamped to
// 0..99 (width 2) or 0..999 (width 3).
void writeDecimal(SettingsBlock& block, std::size_t offset, std::size_t width, int value);

char readCode(const SettingsBlock& block, std::size_t offset);
void writeCode(SettingsBlock& block, std::size_t offset, char code);

// Signed hex field: "00".."09" for 0..9, "FF".."FA" for -1..-6; other values are clamped
// into -6..9 so that the field always reads back.
void writeSignedHex(SettingsBlock& block, std::size_t offset, int value);
// '0' gives the second character's digit value, 'F' gives its code - 71, whatever it is;
// any other first character gives nothing, so the caller leaves its control as it was.
std::optional<int> signedHexValue(char first, char second);
std::optional<int> readSignedHexUnchecked(const SettingsBlock& block, std::size_t offset);
// As above, but a value outside min..max reads as 0: '0' covers the steps 0..max, 'F' the
// steps min..-1.
std::optional<int> readSignedHexInRange(const SettingsBlock& block, std::size_t offset, int min, int max);

// "00" for オート (0), "01".."12"; as writeDecimal beyond.
void writePaperThickness(SettingsBlock& block, std::size_t offset, int value);
// 0..24, anything else written "00".
void writeAutoPosAdjust(SettingsBlock& block, std::size_t offset, int value);

// Raw bytes, for form images, which pages copy byte for byte.
std::string readBytes(const SettingsBlock& block, std::size_t offset, std::size_t width);
void writeBytes(SettingsBlock& block, std::size_t offset, std::string_view bytes);

} // namespace kbs
