#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace kbs {

struct CodeEntry {
    std::string_view text;
    int code;
};

// A fixed drop-down list whose entries stand for codes of a field.
struct CodeList {
    std::span<const CodeEntry> entries; // in list order
    // Shown for a code that no entry has; without one the list keeps what it showed.
    std::optional<std::string_view> substitute;
    int unmatchedTextCode; // written when the list's text equals no entry
};

// The entry text for a code, the substitute when no entry has it, or nothing.
std::optional<std::string_view> textForCode(const CodeList& list, int code);
// The code of the first entry whose text equals `text`, else unmatchedTextCode.
int codeForText(const CodeList& list, std::string_view text);

} // namespace kbs
