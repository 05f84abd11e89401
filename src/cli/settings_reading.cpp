#include "cli/settings_reading.h"

#include "cli/setting_values.h"

#include <algorithm>

namespace kbs::cli {

namespace {

bool sameValue(const Member& a, const Member& b)
{
    return a.choice == b.choice && a.number == b.number && a.text == b.text;
}

std::string hexAt(const SettingsBlock& block, const Setting& setting)
{
    std::vector<std::uint8_t> bytes;
    for (const OwnedBits& bits : setting.bits)
        bytes.push_back(block[bits.offset]);
    return hexOf(bytes);
}

SettingReading formReading(const SettingsMap& map, const Setting& setting, const SettingsBlock& block)
{
    const FormField& field = *setting.form;
    SettingReading reading{.setting = &setting, .control = &field.control, .hex = hexAt(block, setting)};
    if (const auto value = formFieldValue(field, block)) {
        reading.value = std::to_string(*value);
    } else {
        // The dialog writes back only the boxes the user changed.
        reading.shown = formFieldShown(map.variant(), field, block);
        reading.written = reading.hex;
    }
    return reading;
}

} // namespace

std::string hexOf(std::span<const std::uint8_t> bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (const std::uint8_t byte : bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

std::optional<std::vector<std::uint8_t>> bytesOfHex(std::string_view hex)
{
    const auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    if (hex.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = digit(hex[i]);
        const int low = digit(hex[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

std::vector<SettingReading> readSettings(const SettingsMap& map, const SettingsBlock& block)
{
    // As a fresh page reads the block, and as the window reads it after showing the defaults:
    // where the two differ, the control keeps what it showed before.
    std::vector<MappedPage> fresh = map.freshPages();
    loadPages(fresh, block);
    std::vector<MappedPage> window = map.freshPages();
    loadPages(window, SettingsBlock(map.variant().factoryDefaults));
    loadPages(window, block);
    SettingsBlock written = block;
    storePages(fresh, written);

    std::vector<SettingReading> readings;
    for (const Setting& setting : map.settings()) {
        if (setting.form != nullptr) {
            readings.push_back(formReading(map, setting, block));
            continue;
        }
        const PageData& page = pageOf(fresh, setting.tab);
        const ControlSpec& control = map.control(setting); // outlives the pages read here
        const Member& member = page.member(setting.control);
        const Member& shown = pageOf(window, setting.tab).member(setting.control);
        SettingReading reading{.setting = &setting, .control = &control, .hex = hexAt(block, setting)};
        const bool exact = std::ranges::all_of(setting.bits, [&](const OwnedBits& bits) {
            return ((written[bits.offset] ^ block[bits.offset]) & bits.mask) == 0;
        });
        // A value counts only when the text reads back as it: a number outside its box's range
        // does not.
        const std::optional<std::string> value = valueText(control, member);
        Member readBack = member;
        const bool readsBack =
            value && !parseValue(control, *value, readBack, Language::English) && sameValue(readBack, member);
        if (exact && readsBack) {
            reading.value = value;
        } else {
            reading.shown = valueText(control, shown);
            reading.keepsPrevious = !sameValue(member, shown);
            reading.written = hexAt(written, setting);
        }
        readings.push_back(std::move(reading));
    }
    return readings;
}

} // namespace kbs::cli
