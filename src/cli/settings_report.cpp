#include "cli/settings_report.h"

#include "cli/json_text.h"
#include "cli/setting_values.h"
#include "cli/settings_reading.h"

namespace kbs::cli {

namespace {

constexpr Phrase kHidden{" (not shown in the window)", "（ウィンドウには表示されない）"};
constexpr Phrase kUnowned{"\n[bytes no setting decides]\n", "\n[どの設定にも属さないバイト]\n"};
constexpr Phrase kTail{"  after the block: %1 bytes%2\n", "  ブロックの後ろ: %1 バイト%2\n"};

// "bit 3", "bits 0-2": the bits of a mask, which for a switch are the switches' own.
std::string bitsOf(std::uint8_t mask)
{
    int first = -1;
    int last = -1;
    int count = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (mask & (1U << bit)) {
            first = first < 0 ? bit : first;
            last = bit;
            ++count;
        }
    if (count == 1)
        return "bit " + std::to_string(first);
    if (count == last - first + 1)
        return "bits " + std::to_string(first) + "-" + std::to_string(last);
    std::string bits = "bits ";
    for (int bit = 0; bit < 8; ++bit)
        if (mask & (1U << bit))
            bits += std::to_string(bit) + (bit == last ? "" : ",");
    return bits;
}

// "@4 bit 3: F0", "@28: 34".
std::string ownedBytesText(std::span<const OwnedBits> owned, const SettingsBlock& block)
{
    std::string text;
    for (const OwnedBits& bits : owned) {
        text += (text.empty() ? "@" : ", @") + std::to_string(bits.offset);
        if (bits.mask != 0xFF)
            text += " " + bitsOf(bits.mask);
        text += ": " + hexOf(block.bytes().subspan(bits.offset, 1));
    }
    return text;
}

// The bits no setting decides, byte by byte.
std::vector<OwnedBits> unownedBits(const SettingsMap& map)
{
    std::vector<OwnedBits> free;
    for (std::size_t offset = 0; offset < map.variant().blockLength; ++offset)
        if (const auto mask = static_cast<std::uint8_t>(~map.ownedMask(offset)); mask != 0)
            free.push_back({offset, mask});
    return free;
}

std::string shownValue(const SettingReading& reading, Language language)
{
    if (reading.value)
        return *reading.value;
    const Phrase kNoValue{"hex:%1 (no value of this setting; the desktop program %2)",
                          "hex:%1（この設定の値ではありません。デスクトップのプログラムは%2）"};
    const Phrase what = reading.keepsPrevious
                            ? Phrase{"keeps what it showed before", "前の表示のままにします"}
                        : reading.shown ? Phrase{"shows %1", "「%1」を表示します"}
                                        : Phrase{"shows no entry", "何も表示しません"};
    return say(language, kNoValue, {reading.hex, say(language, what, {reading.shown.value_or("")})});
}

std::string tabLabel(const SettingsMap& map, const Setting& setting)
{
    return std::string(map.variant().tabs[setting.tab].label);
}

// A form's fields share their labels: the form's name tells them apart.
std::string fullLabel(const SettingReading& reading)
{
    const std::string form = reading.setting->form != nullptr ? shownText(reading.control->group) + " " : "";
    return form + settingLabel(*reading.control);
}

std::string bitsJson(std::span<const OwnedBits> owned, const SettingsBlock& block)
{
    std::vector<std::string> bytes;
    for (const OwnedBits& bits : owned)
        bytes.push_back(JsonObject()
                            .add("offset", static_cast<long long>(bits.offset))
                            .add("mask", static_cast<long long>(bits.mask))
                            .add("hex", hexOf(block.bytes().subspan(bits.offset, 1)))
                            .text());
    std::string json = "[";
    for (const std::string& byte : bytes)
        json += (json.size() > 1 ? ", " : "") + byte;
    return json + "]";
}

} // namespace

std::string showText(const SettingsMap& map, const FileImage& image, bool withBytes, Language language)
{
    const ModelVariant& variant = map.variant();
    std::string text = std::string(variant.deliverable) + ": " + std::string(variant.windowTitle) + "\n";
    std::size_t tab = variant.tabs.size();
    std::string_view group;
    for (const SettingReading& reading : readSettings(map, image.block)) {
        const ControlSpec& control = *reading.control;
        if (reading.setting->tab != tab) {
            tab = reading.setting->tab;
            group = {};
            text += "\n[" + tabLabel(map, *reading.setting) + "]\n";
        }
        const bool ownLabel = hasOwnLabel(control);
        if (control.group != group) {
            group = control.group;
            // A control without a label of its own is the group's: it shares the group's line.
            if (!group.empty() && ownLabel)
                text += "  " + shownText(group) + "\n";
        }
        text += (group.empty() || !ownLabel ? "  " : "    ") + settingLabel(control);
        text += ": " + shownValue(reading, language);
        if (reading.value && !control.unit.empty())
            text += " " + shownText(control.unit);
        if (!control.visible)
            text += say(language, kHidden);
        if (withBytes)
            text += "  [" + ownedBytesText(reading.setting->bits, image.block) + "]";
        text += "\n";
    }
    if (withBytes) {
        text += say(language, kUnowned);
        const std::vector<OwnedBits> free = unownedBits(map);
        for (std::size_t i = 0; i < free.size(); i += 8)
            text += "  " +
                    ownedBytesText(std::span(free).subspan(i, std::min<std::size_t>(8, free.size() - i)),
                                   image.block) +
                    "\n";
        text +=
            say(language, kTail,
                {std::to_string(image.tail.size()), image.tail.empty() ? "" : ": hex:" + hexOf(image.tail)});
    }
    return text;
}

std::string showJson(const SettingsMap& map, const FileImage& image)
{
    std::vector<std::string> settings;
    for (const SettingReading& reading : readSettings(map, image.block)) {
        JsonObject setting;
        setting.add("key", reading.setting->key)
            .add("tab", tabLabel(map, *reading.setting))
            .add("label", fullLabel(reading))
            .add("visible", reading.control->visible);
        if (reading.value)
            setting.add("value", *reading.value);
        else
            setting.addJson("value", "null").add("shown", reading.shown.value_or(""));
        setting.add("unit", shownText(reading.control->unit))
            .add("hex", reading.hex)
            .addJson("bytes", bitsJson(reading.setting->bits, image.block));
        settings.push_back(setting.text());
    }
    return JsonObject()
               .add("program", map.variant().deliverable)
               .addJson("settings", jsonArray(settings))
               .addJson("raw", bitsJson(unownedBits(map), image.block))
               .add("tail", hexOf(image.tail))
               .text() +
           "\n";
}

namespace {

struct Difference {
    std::string key;
    std::string label; // empty for raw bytes and the tail
    std::string before;
    std::string after;
};

std::vector<Difference> differences(const SettingsMap& map, const FileImage& a, const FileImage& b)
{
    std::vector<Difference> found;
    const std::vector<SettingReading> before = readSettings(map, a.block);
    const std::vector<SettingReading> after = readSettings(map, b.block);
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i].text() != after[i].text())
            found.push_back({before[i].setting->key,
                             "[" + tabLabel(map, *before[i].setting) + "] " + fullLabel(before[i]),
                             before[i].text(), after[i].text()});
    for (std::size_t offset = 0; offset < a.block.size(); ++offset) {
        const auto free = static_cast<std::uint8_t>(~map.ownedMask(offset));
        if (((a.block[offset] ^ b.block[offset]) & free) != 0)
            found.push_back({"block." + std::to_string(offset),
                             {},
                             hexOf(a.block.bytes().subspan(offset, 1)),
                             hexOf(b.block.bytes().subspan(offset, 1))});
    }
    if (a.tail != b.tail)
        found.push_back({"tail", {}, "hex:" + hexOf(a.tail), "hex:" + hexOf(b.tail)});
    return found;
}

} // namespace

std::string diffText(const SettingsMap& map, const FileImage& a, const FileImage& b)
{
    std::string text;
    for (const Difference& difference : differences(map, a, b))
        text += (difference.label.empty() ? difference.key : difference.label + " (" + difference.key + ")") +
                ": " + difference.before + " -> " + difference.after + "\n";
    return text;
}

std::string diffJson(const SettingsMap& map, const FileImage& a, const FileImage& b)
{
    std::vector<std::string> objects;
    for (const Difference& difference : differences(map, a, b))
        objects.push_back(JsonObject()
                              .add("key", difference.key)
                              .add("label", difference.label)
                              .add("old", difference.before)
                              .add("new", difference.after)
                              .text());
    return jsonArray(objects);
}

} // namespace kbs::cli
