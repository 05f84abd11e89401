#include "cli/setting_values.h"
#include "cli/settings_reading.h"
#include "cli/settings_text.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>

namespace kbs::cli {

namespace {

constexpr std::string_view kHexPrefix = "hex:";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

constexpr Phrase kLine{"line %1: %2", "%1 行目: %2"};
constexpr Phrase kNotUtf8{"not UTF-8 text (Shift_JIS?); save the text as UTF-8",
                          "UTF-8 のテキストではありません（Shift_JIS？）。UTF-8 で保存してください"};
constexpr Phrase kNotKeyValue{"not a \"key = value\" line", "「キー = 値」の行ではありません"};
constexpr Phrase kDuplicateKey{"duplicate key %1", "キー %1 が重複しています"};
constexpr Phrase kUnknownProgram{"unknown program %1 (kbs18r, kbs62d or kbs18t)",
                                 "不明なプログラム %1（kbs18r、kbs62d、kbs18t のいずれか）"};
constexpr Phrase kBaseOfOther{"the base file is a file of %1", "ベースファイルは %1 のファイルです"};
constexpr Phrase kNoProgram{"no \"program = ...\" line and no base file",
                            "「program = ...」の行もベースファイルもありません"};
constexpr Phrase kNotHex{"%1: not \"hex:\" and hex digits", "%1: 「hex:」と16進数字ではありません"};
constexpr Phrase kMalformedHex{"%1: malformed hex", "%1: 16進数字が正しくありません"};
constexpr Phrase kUnknownKey{"unknown key %1", "不明なキー %1"};
constexpr Phrase kRawOutside{"unknown key %1 (block offsets 0 to %2)",
                             "不明なキー %1（ブロックのオフセットは 0 から %2）"};
constexpr Phrase kBytesExpected{"%1: %2 bytes expected", "%1: %2 バイト必要です"};
constexpr Phrase kByteTwice{"byte %1 of the block given twice", "ブロックのバイト %1 が二度指定されています"};
constexpr Phrase kOwnedByte{"%1: byte %2 is the setting %3: give %3 instead",
                            "%1: バイト %2 は設定 %3 のものです。%3 を指定してください"};
constexpr Phrase kFormerKey{"%1 is now %2", "%1 は %2 になりました"};

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

// Where the text stops being UTF-8: the offset of the first byte that starts no valid sequence.
std::optional<std::size_t> firstNonUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80           ? 1
                                   : (c >> 5) == 0x6  ? 2
                                   : (c >> 4) == 0xE  ? 3
                                   : (c >> 3) == 0x1E ? 4
                                                      : 0;
        if (length == 0 || (length == 2 && c < 0xC2) || i + length > text.size())
            return i;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return i;
        i += length;
    }
    return std::nullopt;
}

class Reader {
public:
    Reader(const FileImage* base, Language language) : base_(base), language_(language) {}

    ImportResult read(std::string_view text)
    {
        if (text.starts_with(kByteOrderMark))
            text.remove_prefix(kByteOrderMark.size());
        if (const auto bad = firstNonUtf8(text)) {
            error(lineAt(text, *bad), say(language_, kNotUtf8));
            return {std::nullopt, std::move(errors_), {}};
        }
        const std::vector<Line> lines = split(text);
        const ModelVariant* variant = programOf(lines);
        if (!variant)
            return {std::nullopt, std::move(errors_), {}};
        const SettingsMap& map = settingsMapOf(*variant);

        std::set<std::string> seen;
        for (const Line& line : lines) {
            if (line.key == "program")
                continue;
            const Setting* setting = map.find(line.key);
            if (!seen.insert(setting ? setting->key : line.key).second)
                error(line.number, say(language_, kDuplicateKey, {line.key}));
            else if (line.key == "tail")
                readTail(line);
            else if (line.key.starts_with("block."))
                readRaw(line, map);
            else if (setting)
                readSetting(line, map, *setting);
            else
                error(line.number, say(language_, kUnknownKey, {line.key}));
        }
        if (!errors_.empty())
            return {std::nullopt, std::move(errors_), std::move(notes_)};
        return {written(map), {}, std::move(notes_)};
    }

private:
    static std::size_t lineAt(std::string_view text, std::size_t offset)
    {
        return static_cast<std::size_t>(std::ranges::count(text.substr(0, offset), '\n')) + 1;
    }

    void error(std::size_t line, const std::string& message)
    {
        errors_.push_back(say(language_, kLine, {std::to_string(line), message}));
    }

    FileImage written(const SettingsMap& map) const
    {
        FileImage image = base_ ? *base_ : factoryFile(map.variant());
        SettingsBlock& block = image.block;
        for (const auto& [offset, byte] : raw_) {
            const std::uint8_t owned = map.ownedMask(offset);
            block[offset] = static_cast<std::uint8_t>((block[offset] & owned) | (byte & ~owned));
        }
        // The pages write each named value; only that setting's bits are taken from them.
        std::vector<MappedPage> pages = map.freshPages();
        loadPages(pages, block);
        for (const auto& [setting, value] : values_)
            if (setting->form == nullptr)
                pageOf(pages, setting->tab).member(setting->control) = value;
        SettingsBlock stored = block;
        storePages(pages, stored);
        const auto take = [&](const Setting& setting, const auto& byteAt) {
            for (std::size_t i = 0; i < setting.bits.size(); ++i) {
                const OwnedBits& bits = setting.bits[i];
                block[bits.offset] = static_cast<std::uint8_t>((block[bits.offset] & ~bits.mask) |
                                                               (byteAt(i, bits) & bits.mask));
            }
        };
        for (const auto& [setting, value] : values_) {
            if (setting->form != nullptr)
                writeFormField(*setting->form, value.number, stored);
            take(*setting, [&](std::size_t, const OwnedBits& bits) { return stored[bits.offset]; });
        }
        // Not a structured binding: clang before 16 cannot capture one.
        for (const auto& hex : hexValues_)
            take(*hex.first, [&](std::size_t i, const OwnedBits&) { return hex.second[i]; });
        if (tail_)
            image.tail = *tail_;
        return image;
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
                error(number, say(language_, kNotKeyValue));
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
                error(line.number, say(language_, kDuplicateKey, {"program"}));
                return nullptr;
            }
            named = programNamed(line.value);
            if (!named) {
                error(line.number, say(language_, kUnknownProgram, {line.value}));
                return nullptr;
            }
            if (base_ && base_->variant != named) {
                error(line.number, say(language_, kBaseOfOther, {base_->variant->deliverable}));
                return nullptr;
            }
        }
        if (!named && !base_)
            error(1, say(language_, kNoProgram));
        return named ? named : base_ ? base_->variant : nullptr;
    }

    std::optional<std::vector<std::uint8_t>> hexValue(const Line& line)
    {
        if (!line.value.starts_with(kHexPrefix)) {
            error(line.number, say(language_, kNotHex, {line.key}));
            return std::nullopt;
        }
        auto bytes = bytesOfHex(std::string_view(line.value).substr(kHexPrefix.size()));
        if (!bytes)
            error(line.number, say(language_, kMalformedHex, {line.key}));
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
        const std::size_t length = map.variant().blockLength;
        if (!range || range->second >= length) {
            error(line.number, say(language_, kRawOutside, {line.key, std::to_string(length - 1)}));
            return;
        }
        const auto bytes = hexValue(line);
        if (!bytes)
            return;
        if (bytes->size() != range->second - range->first + 1) {
            error(line.number, say(language_, kBytesExpected,
                                   {line.key, std::to_string(range->second - range->first + 1)}));
            return;
        }
        for (std::size_t offset = range->first; offset <= range->second; ++offset) {
            if (map.ownedMask(offset) == 0xFF) {
                const Setting* owner = map.ownerOf(offset, 0xFF);
                error(line.number,
                      say(language_, kOwnedByte, {line.key, std::to_string(offset), owner->key}));
                return;
            }
            if (!raw_.emplace(offset, (*bytes)[offset - range->first]).second)
                error(line.number, say(language_, kByteTwice, {std::to_string(offset)}));
        }
    }

    void readSetting(const Line& line, const SettingsMap& map, const Setting& setting)
    {
        if (line.key != setting.key)
            notes_.push_back(
                say(language_, kLine,
                    {std::to_string(line.number), say(language_, kFormerKey, {line.key, setting.key})}));
        if (line.value.starts_with(kHexPrefix)) {
            auto bytes = hexValue(line);
            if (bytes && bytes->size() != setting.bits.size())
                error(line.number,
                      say(language_, kBytesExpected, {line.key, std::to_string(setting.bits.size())}));
            else if (bytes)
                hexValues_.emplace_back(&setting, std::move(*bytes));
            return;
        }
        const ControlSpec& control = map.control(setting);
        Member member;
        member.kind = holdsNumber(control) ? MemberKind::Number : MemberKind::Choice;
        if (const auto refusal = parseValue(control, line.value, member, language_))
            error(line.number, line.key + ": " + *refusal);
        else
            values_.emplace_back(&setting, std::move(member));
    }

    const FileImage* base_;
    Language language_;
    std::vector<std::string> errors_;
    std::vector<std::string> notes_;
    std::map<std::size_t, std::uint8_t> raw_;
    std::optional<std::vector<std::uint8_t>> tail_;
    std::vector<std::pair<const Setting*, Member>> values_;
    std::vector<std::pair<const Setting*, std::vector<std::uint8_t>>> hexValues_;
};

} // namespace

ImportResult importText(std::string_view text, const FileImage* base, Language language)
{
    return Reader(base, language).read(text);
}

} // namespace kbs::cli
