#include "cli/settings_report.h"

#include "cli/setting_values.h"
#include "cli/settings_reading.h"

namespace kbs::cli {

namespace {

std::string bytesOf(const Setting& setting, const SettingsBlock& block)
{
    std::string offsets;
    std::string bytes;
    for (const OwnedBits& bits : setting.bits) {
        offsets += (offsets.empty() ? "@" : ",") + std::to_string(bits.offset);
        bytes += " " + hexOf(block.bytes().subspan(bits.offset, 1));
    }
    return "  [" + offsets + ":" + bytes + "]";
}

std::string shownValue(const SettingReading& reading)
{
    if (reading.value)
        return *reading.value;
    std::string text = "hex:" + reading.hex + " (no value of this setting; the desktop program ";
    if (reading.keepsPrevious)
        text += "keeps what it showed before)";
    else if (reading.shown)
        text += "shows " + *reading.shown + ")";
    else
        text += "shows no entry)";
    return text;
}

std::string tabLabel(const SettingsMap& map, const Setting& setting)
{
    return std::string(map.variant().tabs[setting.tab].label);
}

} // namespace

std::string showText(const SettingsMap& map, const FileImage& image, bool withBytes)
{
    const ModelVariant& variant = map.variant();
    std::string text = std::string(variant.deliverable) + ": " + std::string(variant.windowTitle) + "\n";
    std::size_t tab = variant.tabs.size();
    std::string_view group;
    for (const SettingReading& reading : readSettings(map, image.block)) {
        const ControlSpec& control = *reading.control;
        if (!control.visible)
            continue; // the window never shows it; export keeps it
        if (reading.setting->tab != tab) {
            tab = reading.setting->tab;
            group = {};
            text += "\n[" + tabLabel(map, *reading.setting) + "]\n";
        }
        const std::string label = settingLabel(control);
        if (control.group != group) {
            group = control.group;
            // A control without a label of its own is the group's: it shares the group's line.
            if (!group.empty() && !label.empty())
                text += "  " + shownText(group) + "\n";
        }
        if (group.empty())
            text += "  " + label;
        else if (label.empty())
            text += "  " + shownText(group);
        else
            text += "    " + label;
        text += ": " + shownValue(reading);
        if (reading.value && !control.unit.empty())
            text += " " + shownText(control.unit);
        if (withBytes)
            text += bytesOf(*reading.setting, image.block);
        text += "\n";
    }
    return text;
}

std::string diffText(const SettingsMap& map, const FileImage& a, const FileImage& b)
{
    std::string text;
    const std::vector<SettingReading> before = readSettings(map, a.block);
    const std::vector<SettingReading> after = readSettings(map, b.block);
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].text() == after[i].text())
            continue;
        const Setting& setting = *before[i].setting;
        // A form's fields share their labels: the form's name tells them apart.
        const std::string form = setting.form != nullptr ? shownText(before[i].control->group) + " " : "";
        text += "[" + tabLabel(map, setting) + "] " + form + settingLabel(*before[i].control) + " (" +
                setting.key + "): " + before[i].text() + " -> " + after[i].text() + "\n";
    }
    for (std::size_t offset = 0; offset < a.block.size(); ++offset) {
        const std::uint8_t unowned = static_cast<std::uint8_t>(~map.ownedMask(offset));
        if (((a.block[offset] ^ b.block[offset]) & unowned) != 0)
            text += "block." + std::to_string(offset) + ": " + hexOf(a.block.bytes().subspan(offset, 1)) +
                    " -> " + hexOf(b.block.bytes().subspan(offset, 1)) + "\n";
    }
    if (a.tail != b.tail)
        text += "tail: hex:" + hexOf(a.tail) + " -> hex:" + hexOf(b.tail) + "\n";
    return text;
}

} // namespace kbs::cli
