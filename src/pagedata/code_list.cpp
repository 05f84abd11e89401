#include "pagedata/code_list.h"

#include <algorithm>

namespace kbs {

std::optional<std::string_view> textForCode(const CodeList& list, int code)
{
    const auto entry = std::ranges::find_if(
        list.entries, [code](const CodeEntry& candidate) { return candidate.code == code; });
    if (entry != list.entries.end())
        return entry->text;
    return list.substitute;
}

int codeForText(const CodeList& list, std::string_view text)
{
    const auto entry = std::ranges::find_if(
        list.entries, [text](const CodeEntry& candidate) { return candidate.text == text; });
    return entry != list.entries.end() ? entry->code : list.unmatchedTextCode;
}

} // namespace kbs
