#include "cli/setting_values.h"
#include "cli/settings_reading.h"
#include "cli/settings_text.h"

#include <charconv>
#include <map>
#include <set>

namespace kbs::cli {

namespace {

constexpr std::string_view kHexPrefix = "hex:";

struct Line {
    std::size_t number;
    std::string key;
    std::string value;
};

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::optional<std::size_t> numberOf(std::string_view text)
{
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "block.16" or "block.16-19": the first and last offset.
std::optional<std::pair<std::size_t, std::size_t>> rawRange(std::string_view key)
{
    key.remove_prefix(std::string_view("block.").size());
    const std::size_t dash = key.find('-');
    const auto first = numberOf(key.substr(0, dash));
    const auto last = dash == std::string_view::npos ? first : numberOf(key.substr(dash + 1));
    if (!first || !last || *last < *first)
        return std::nullopt;
    return std::pair{*first, *last};
}

class Reader {
public:
    explicit Reader(const FileImage* base) : base_(base) {}

    ImportResult read(std::string_view text)
    {
        const std::vector<Line> lines = split(text);
        const ModelVariant* variant = programOf(lines);
        if (!variant)
            return {std::nullopt, std::move(errors_)};
        const SettingsMap& map = settingsMapOf(*variant);
        FileImage image = base_ ? *base_ : factoryFile(*variant);
        std::vector<MappedPage> pages = map.freshPages();

        std::set<std::string> seen;
        for (const Line& line : lines) {
            if (line.key == "program")
                continue;
            if (!seen.insert(line.key).second) {
                error(line, "duplicate key " + line.key);
                continue;
            }
            if (line.key == "tail")
                readTail(line);
            else if (line.key.starts_with("block."))
                readRaw(line, map);
            else
                readSetting(line, map);
        }
        if (!errors_.empty())
            return {std::nullopt, std::move(errors_)};

        SettingsBlock& block = image.block;
        const auto mixIn = [&](std::size_t offset, std::uint8_t byte) {
            const std::uint8_t owned = map.ownedMask(offset);
            block[offset] = static_cast<std::uint8_t>((block[offset] & owned) | (byte & ~owned));
        };
        // A full description: what the pages write where nothing is said, then the raw bytes.
        if (!raw_.empty())
            for (std::size_t offset = 0; offset < block.size(); ++offset)
                if (map.ownedMask(offset) != 0 && !raw_.contains(offset))
                    mixIn(offset, map.canonical(offset));
        for (const auto& [offset, byte] : raw_)
            mixIn(offset, byte);
        for (MappedPage& page : pages)
            page.data.load(block);
        for (const auto& [setting, value] : values_) {
            if (setting->form != nullptr)
                continue;
            Member& member = pageOf(pages, setting->tab).member(setting->control);
            if (value.kind == MemberKind::Number)
                member.number = value.number;
            else
                member.choice = value.choice;
        }
        storePages(pages, block);
        for (const auto& [setting, value] : values_)
            if (setting->form != nullptr)
                writeFormField(*setting->form, value.number, block);
        for (const auto& [offset, byte] : raw_)
            mixIn(offset, byte);
        for (const auto& [setting, bytes] : hexValues_)
            for (std::size_t i = 0; i < bytes.size(); ++i) {
                const OwnedBits& bits = setting->bits[i];
                block[bits.offset] =
                    static_cast<std::uint8_t>((block[bits.offset] & ~bits.mask) | (bytes[i] & bits.mask));
            }
        if (tail_)
            image.tail = *tail_;
        return {std::move(image), {}};
    }

private:
    void error(const Line& line, const std::string& message)
    {
        errors_.push_back("line " + std::to_string(line.number) + ": " + message);
    }

    std::vector<Line> split(std::string_view text)
    {
        std::vector<Line> lines;
        std::size_t number = 0;
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            const std::string_view raw = text.substr(0, end);
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
            ++number;
            const std::string_view line = trimmed(raw);
            if (line.empty() || line.front() == '#' || (line.front() == '[' && line.back() == ']'))
                continue;
            const std::size_t equals = line.find('=');
            if (equals == std::string_view::npos) {
                error({number, {}, {}}, "not a \"key = value\" line");
                continue;
            }
            lines.push_back({number, std::string(trimmed(line.substr(0, equals))),
                             std::string(trimmed(line.substr(equals + 1)))});
        }
        return lines;
    }

    const ModelVariant* programOf(const std::vector<Line>& lines)
    {
        const ModelVariant* named = nullptr;
        for (const Line& line : lines) {
            if (line.key != "program")
                continue;
            if (named) {
                error(line, "duplicate key program");
                return nullptr;
            }
            named = programNamed(line.value);
            if (!named) {
                error(line, "unknown program " + line.value + " (kbs18r, kbs62d or kbs18t)");
                return nullptr;
            }
            if (base_ && base_->variant != named) {
                error(line, "the base file is a file of " + std::string(base_->variant->deliverable));
                return nullptr;
            }
        }
        if (!named && !base_)
            errors_.push_back("line 1: no \"program = ...\" line and no base file");
        return named ? named : base_ ? base_->variant : nullptr;
    }

    std::optional<std::vector<std::uint8_t>> hexValue(const Line& line)
    {
        if (!line.value.starts_with(kHexPrefix)) {
            error(line, line.key + ": not \"hex:\" and hex digits");
            return std::nullopt;
        }
        auto bytes = bytesOfHex(std::string_view(line.value).substr(kHexPrefix.size()));
        if (!bytes)
            error(line, line.key + ": malformed hex");
        return bytes;
    }

    void readTail(const Line& line)
    {
        if (auto bytes = hexValue(line))
            tail_ = std::move(*bytes);
    }

    void readRaw(const Line& line, const SettingsMap& map)
    {
        const auto range = rawRange(line.key);
        if (!range || range->second >= map.variant().blockLength) {
            error(line, "unknown key " + line.key + " (block offsets 0 to " +
                            std::to_string(map.variant().blockLength - 1) + ")");
            return;
        }
        const auto bytes = hexValue(line);
        if (!bytes)
            return;
        if (bytes->size() != range->second - range->first + 1) {
            error(line,
                  line.key + ": " + std::to_string(range->second - range->first + 1) + " bytes expected");
            return;
        }
        for (std::size_t offset = range->first; offset <= range->second; ++offset)
            if (!raw_.emplace(offset, (*bytes)[offset - range->first]).second)
                error(line, "byte " + std::to_string(offset) + " of the block given twice");
    }

    void readSetting(const Line& line, const SettingsMap& map)
    {
        const Setting* setting = map.find(line.key);
        if (!setting) {
            error(line, "unknown key " + line.key);
            return;
        }
        if (line.value.starts_with(kHexPrefix)) {
            auto bytes = hexValue(line);
            if (bytes && bytes->size() != setting->bits.size())
                error(line, line.key + ": " + std::to_string(setting->bits.size()) + " bytes expected");
            else if (bytes)
                hexValues_.emplace_back(setting, std::move(*bytes));
            return;
        }
        const ControlSpec& control = map.control(*setting);
        Member member;
        member.kind = holdsNumber(control) ? MemberKind::Number : MemberKind::Choice;
        if (const auto refusal = parseValue(control, line.value, member))
            error(line, line.key + ": " + *refusal);
        else
            values_.emplace_back(setting, std::move(member));
    }

    const FileImage* base_;
    std::vector<std::string> errors_;
    std::map<std::size_t, std::uint8_t> raw_;
    std::optional<std::vector<std::uint8_t>> tail_;
    std::vector<std::pair<const Setting*, Member>> values_;
    std::vector<std::pair<const Setting*, std::vector<std::uint8_t>>> hexValues_;
};

} // namespace

ImportResult importText(std::string_view text, const FileImage* base)
{
    return Reader(base).read(text);
}

} // namespace kbs::cli
