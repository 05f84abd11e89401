#include "cli/setting_values.h"

#include "pagedata/number_rules.h"

#include <charconv>

namespace kbs::cli {

namespace {

constexpr std::string_view kOn = "ON";
constexpr std::string_view kOff = "OFF";

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

std::string withRange(std::string_view pattern, int min, int max)
{
    std::string text(pattern);
    text.replace(text.find("%1"), 2, std::to_string(min));
    text.replace(text.find("%2"), 2, std::to_string(max));
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

std::string settingLabel(const ControlSpec& control)
{
    return shownText(std::string(control.caption) + std::string(control.note));
}

std::optional<std::string> valueText(const ControlSpec& control, const Member& member)
{
    if (holdsNumber(control))
        return std::to_string(member.number);
    const int count =
        control.kind == ControlKind::CodeList ? static_cast<int>(control.list->entries.size()) : 2;
    if (member.choice < 0 || member.choice >= count)
        return std::nullopt;
    return shownText(choiceAt(control, member.choice));
}

std::optional<std::string> parseValue(const ControlSpec& control, std::string_view text, Member& member)
{
    if (holdsNumber(control)) {
        const NumberBoxSpec& box = *control.number;
        int value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || error == std::errc::invalid_argument || end != text.data() + text.size())
            return std::string(kNotAnInteger);
        if (error == std::errc::result_out_of_range || value < box.min || value > box.max)
            return withRange(kIntegerOutOfRange, box.min, box.max);
        member.number = value;
        return std::nullopt;
    }
    const int count =
        control.kind == ControlKind::CodeList ? static_cast<int>(control.list->entries.size()) : 2;
    std::string choices;
    for (int choice = 0; choice < count; ++choice) {
        const std::string shown = shownText(choiceAt(control, choice));
        if (shown == text) {
            member.choice = choice;
            return std::nullopt;
        }
        choices += (choice ? ", " : "") + shown;
    }
    return "not one of: " + choices;
}

} // namespace kbs::cli
