#include "cli/setting_values.h"

#include "pagedata/number_rules.h"

#include <charconv>

namespace kbs::cli {

namespace {

constexpr std::string_view kOn = "ON";
constexpr std::string_view kOff = "OFF";
constexpr Phrase kNotAnIntegerPhrase{"not a whole number", kNotAnInteger};
constexpr Phrase kOutOfRange{"a whole number from %1 to %2", "%1 から %2 までの整数を入力してください。"};
constexpr Phrase kNotAChoice{"not one of: %1", "次のいずれかを指定してください: %1"};

std::string trimmed(std::string text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view choiceAt(const ControlSpec& control, int choice)
{
    switch (control.kind) {
    case ControlKind::RadioPair:
        return control.choices[static_cast<std::size_t>(choice)];
    case ControlKind::CheckBox:
        return choice == 0 ? kOff : kOn;
    default:
        return control.list->entries[static_cast<std::size_t>(choice)].text;
    }
}

int choiceCount(const ControlSpec& control)
{
    return control.kind == ControlKind::CodeList ? static_cast<int>(control.list->entries.size()) : 2;
}

// "+5" and "5" are the same step.
std::string_view unsigned_(std::string_view text)
{
    if (text.size() > 1 && text[0] == '+' && text[1] >= '0' && text[1] <= '9')
        text.remove_prefix(1);
    return text;
}

} // namespace

std::string shownText(std::string_view label)
{
    std::string text;
    for (std::size_t i = 0; i < label.size(); ++i) {
        const char c = label[i];
        if (c == '(' && i + 3 < label.size() && label[i + 1] == '&' && label[i + 3] == ')') {
            i += 3; // "(&K)": the key is underlined in the window, not written
        } else if (c == '&') {
            if (i + 1 < label.size() && label[i + 1] == '&')
                text += label[++i];
        } else if (c != '\n') {
            text += c;
        }
    }
    return trimmed(std::move(text));
}

bool hasOwnLabel(const ControlSpec& control)
{
    return !shownText(std::string(control.caption) + std::string(control.note)).empty();
}

std::string settingLabel(const ControlSpec& control)
{
    return shownText(hasOwnLabel(control) ? std::string(control.caption) + std::string(control.note)
                                          : std::string(control.group));
}

std::string narrowed(std::string_view text)
{
    std::string narrow;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
        if (i + 2 < text.size() && byte(i) == 0xE3 && byte(i + 1) == 0x80 && byte(i + 2) == 0x80) {
            narrow += ' '; // U+3000, the ideographic space
            i += 2;
            continue;
        }
        // U+FF01 to U+FF5E: EF BC 81..BF and EF BD 80..9E stand for '!' to '~'.
        if (i + 2 < text.size() && byte(i) == 0xEF && (byte(i + 1) == 0xBC || byte(i + 1) == 0xBD)) {
            const int code = (byte(i + 1) - 0xBC) * 64 + (byte(i + 2) - 0x80) + 0x20;
            if (code >= 0x21 && code <= 0x7E && byte(i + 2) >= 0x80 && byte(i + 2) <= 0xBF) {
                narrow += static_cast<char>(code);
                i += 2;
                continue;
            }
        }
        narrow += text[i];
    }
    return narrow;
}

std::optional<std::string> valueText(const ControlSpec& control, const Member& member)
{
    if (holdsNumber(control))
        return std::to_string(member.number);
    if (member.choice < 0 || member.choice >= choiceCount(control))
        return std::nullopt;
    return shownText(choiceAt(control, member.choice));
}

std::optional<std::string> parseValue(const ControlSpec& control, std::string_view typed, Member& member,
                                      Language language)
{
    const std::string narrow = narrowed(typed);
    if (holdsNumber(control)) {
        const NumberBoxSpec& box = *control.number;
        const std::string_view text = unsigned_(narrow);
        int value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || error == std::errc::invalid_argument || end != text.data() + text.size())
            return say(language, kNotAnIntegerPhrase);
        if (error == std::errc::result_out_of_range || value < box.min || value > box.max)
            return say(language, kOutOfRange, {std::to_string(box.min), std::to_string(box.max)});
        member.number = value;
        return std::nullopt;
    }
    std::string choices;
    for (int choice = 0; choice < choiceCount(control); ++choice) {
        const std::string shown = shownText(choiceAt(control, choice));
        if (unsigned_(narrowed(shown)) == unsigned_(narrow)) {
            member.choice = choice;
            return std::nullopt;
        }
        choices += (choice ? ", " : "") + shown;
    }
    return say(language, kNotAChoice, {choices});
}

} // namespace kbs::cli
