#pragma once

#include "cli/settings_map.h"

#include <optional>
#include <string>
#include <vector>

namespace kbs::cli {

// What one setting of a block reads as.
struct SettingReading {
    const Setting* setting;
    const ControlSpec* control;
    // The value the page reads, when storing it gives back the setting's bits exactly.
    std::optional<std::string> value{};
    std::string hex{}; // the setting's bytes as the block holds them, e.g. "323030"
    // Where `value` is empty: what the desktop program shows instead (nothing: no entry),
    // whether it keeps what the control showed before, and the bytes it would write.
    std::optional<std::string> shown{};
    bool keepsPrevious = false;
    std::string written{};

    // The value, or "hex:..." where the value does not give back the bytes.
    std::string text() const { return value ? *value : "hex:" + hex; }
};

// Every setting of the map as `block` holds it, in the map's order.
std::vector<SettingReading> readSettings(const SettingsMap& map, const SettingsBlock& block);

// Uppercase hex of the bytes, without separators.
std::string hexOf(std::span<const std::uint8_t> bytes);
// The bytes of an even-length hex text; nothing when it is not one.
std::optional<std::vector<std::uint8_t>> bytesOfHex(std::string_view hex);

} // namespace kbs::cli
