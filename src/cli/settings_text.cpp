#include "cli/settings_text.h"

#include "cli/setting_values.h"
#include "cli/settings_reading.h"

#include <algorithm>

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

bool sameBits(const Setting& setting, const SettingsBlock& a, const SettingsBlock& b)
{
    return std::ranges::all_of(setting.bits, [&](const OwnedBits& bits) {
        return ((a[bits.offset] ^ b[bits.offset]) & bits.mask) == 0;
    });
}

// A raw line for every byte with bits no setting decides; against a base, only where those
// bits differ from the base's.
bool rawByteListed(const SettingsMap& map, const SettingsBlock& block, const FileImage* base,
                   std::size_t offset)
{
    const std::uint8_t free = static_cast<std::uint8_t>(~map.ownedMask(offset));
    return free != 0 && (!base || ((block[offset] ^ base->block[offset]) & free) != 0);
}

} // namespace

std::string exportText(const SettingsMap& map, const FileImage& image, const FileImage* base)
{
    const ModelVariant& variant = map.variant();
    std::string text = "# " + std::string(variant.windowTitle) + "\n";
    text += "program = " + std::string(variant.deliverable) + "\n";

    std::size_t tab = variant.tabs.size();
    std::string_view group;
    for (const SettingReading& reading : readSettings(map, image.block)) {
        if (base && sameBits(*reading.setting, image.block, base->block))
            continue;
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
        text += "# " + settingLabel(control) + unit + (control.visible ? "" : " (not shown in the window)") +
                "\n";
        if (!reading.value)
            text += unmatchedComment(reading);
        text += reading.setting->key + " = " + reading.text() + "\n";
    }

    const SettingsBlock& block = image.block;
    std::string raw;
    for (std::size_t first = 0; first < block.size();) {
        if (!rawByteListed(map, block, base, first)) {
            ++first;
            continue;
        }
        std::size_t last = first;
        while (last + 1 < block.size() && last + 1 - first < kRawBytesPerLine &&
               rawByteListed(map, block, base, last + 1))
            ++last;
        raw += rawLine(first, last, block);
        first = last + 1;
    }
    if (!base || base->tail != image.tail)
        raw += "tail = hex:" + hexOf(image.tail) + "\n";
    if (!raw.empty())
        text += "\n[raw]\n# Bytes no setting decides (for a switch byte, its other bits), by offset in the\n"
                "# block, and the file's bytes after the block.\n" +
                raw;
    return text;
}

} // namespace kbs::cli
