#include "cups/uri_credentials.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

namespace kbs {

namespace {

constexpr std::string_view kAuthorityMark = "://";

// One decoding of the URI text, with where each of its characters begins in the original
// text; origin has one more entry, the original's end.
struct DecodedLevel {
    std::string text;
    std::vector<std::size_t> origin;
};

int hexValue(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (!std::isxdigit(u))
        return -1;
    return std::isdigit(u) ? c - '0' : std::tolower(u) - 'a' + 10;
}

DecodedLevel decodedOnce(const DecodedLevel& level)
{
    DecodedLevel next;
    const std::string& text = level.text;
    std::size_t i = 0;
    while (i < text.size()) {
        next.origin.push_back(level.origin[i]);
        const int high = i + 2 < text.size() && text[i] == '%' ? hexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? hexValue(text[i + 2]) : -1;
        if (low >= 0) {
            next.text.push_back(static_cast<char>(high * 16 + low));
            i += 3;
        } else {
            next.text.push_back(text[i]);
            i += 1;
        }
    }
    next.origin.push_back(level.origin.back());
    return next;
}

// Original ranges of the user-info parts of the authorities that first appear in `level`
// (those seen at an earlier level count only with the '@'s seen there).
void collectUserInfo(const DecodedLevel& level, std::vector<std::size_t>& knownAuthorities,
                     std::vector<std::pair<std::size_t, std::size_t>>& ranges)
{
    const std::string& text = level.text;
    for (std::size_t mark = text.find(kAuthorityMark); mark != std::string::npos;
         mark = text.find(kAuthorityMark, mark + 1)) {
        const std::size_t authority = mark + kAuthorityMark.size();
        const std::size_t originalStart = level.origin[authority];
        if (std::ranges::find(knownAuthorities, originalStart) != knownAuthorities.end())
            continue;
        knownAuthorities.push_back(originalStart);
        const std::size_t at = text.rfind('@');
        if (at != std::string::npos && at >= authority)
            ranges.emplace_back(originalStart, level.origin[at + 1]);
    }
}

} // namespace

std::string withoutCredentials(std::string_view uri)
{
    DecodedLevel level{std::string(uri), {}};
    for (std::size_t i = 0; i <= uri.size(); ++i)
        level.origin.push_back(i);

    std::vector<std::size_t> knownAuthorities;
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    // Every decoding is shorter than the one before, so this ends.
    for (;;) {
        collectUserInfo(level, knownAuthorities, ranges);
        DecodedLevel next = decodedOnce(level);
        if (next.text == level.text)
            break;
        level = std::move(next);
    }

    std::string result;
    for (std::size_t i = 0; i < uri.size(); ++i) {
        const bool hidden = std::ranges::any_of(
            ranges, [i](const auto& range) { return i >= range.first && i < range.second; });
        if (!hidden)
            result.push_back(uri[i]);
    }
    return result;
}

} // namespace kbs
