#include "cli/settings_text.h"

#include "cli/setting_values.h"
#include "cli/settings_reading.h"

#include <map>
#include <memory>

namespace kbs::cli {

namespace {

// Raw lines stay short, so that a change shows as a change of one line.
constexpr std::size_t kRawBytesPerLine = 16;

std::string rawLine(std::size_t first, std::size_t last, const SettingsBlock& block)
{
    const std::string range =
        first == last ? std::to_string(first) : std::to_string(first) + "-" + std::to_string(last);
    return "block." + range + " = hex:" + hexOf(block.bytes().subspan(first, last - first + 1)) + "\n";
}

std::string unmatchedComment(const SettingReading& reading)
{
    std::string comment = "# the file's bytes are no value of this setting; the desktop program ";
    if (reading.keepsPrevious)
        comment += "keeps what it showed before";
    else if (reading.shown)
        comment += "shows \"" + *reading.shown + "\"";
    else
        comment += "shows no entry";
    return comment + " and writes hex:" + reading.written + "\n";
}

} // namespace

const SettingsMap& settingsMapOf(const ModelVariant& variant)
{
    static std::map<const ModelVariant*, std::unique_ptr<SettingsMap>> maps;
    auto& map = maps[&variant];
    if (!map)
        map = std::make_unique<SettingsMap>(variant);
    return *map;
}

std::string exportText(const SettingsMap& map, const FileImage& image)
{
    const ModelVariant& variant = map.variant();
    std::string text = "# " + std::string(variant.windowTitle) + "\n";
    text += "program = " + std::string(variant.deliverable) + "\n";

    std::size_t tab = variant.tabs.size();
    std::string_view group;
    for (const SettingReading& reading : readSettings(map, image.block)) {
        if (reading.setting->tab != tab) {
            tab = reading.setting->tab;
            group = {};
            text += "\n[" + std::string(variant.tabs[tab].label) + "]\n";
        }
        if (reading.control->group != group) {
            group = reading.control->group;
            if (!group.empty())
                text += "# ---- " + shownText(group) + "\n";
        }
        const ControlSpec& control = *reading.control;
        const std::string unit = control.unit.empty() ? "" : " [" + shownText(control.unit) + "]";
        text += "# " + settingLabel(control) + unit + (control.visible ? "" : " (not shown)") + "\n";
        if (!reading.value)
            text += unmatchedComment(reading);
        text += reading.setting->key + " = " + reading.text() + "\n";
    }

    text += "\n[raw]\n# Bytes no setting decides, by offset in the block, and the file's bytes after the "
            "block.\n";
    const SettingsBlock& block = image.block;
    for (std::size_t first = 0; first < block.size();) {
        if (!rawByteNeeded(map, block, first)) {
            ++first;
            continue;
        }
        std::size_t last = first;
        while (last + 1 < block.size() && last + 1 - first < kRawBytesPerLine &&
               rawByteNeeded(map, block, last + 1))
            ++last;
        text += rawLine(first, last, block);
        first = last + 1;
    }
    text += "tail = hex:" + hexOf(image.tail) + "\n";
    return text;
}

} // namespace kbs::cli
