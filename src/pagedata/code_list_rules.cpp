#include "pagedata/code_list_rules.h"

#include <algorithm>

namespace kbs {

namespace {
int indexOf(const CodeList& list, auto matches)
{
    const auto entry = std::ranges::find_if(list.entries, matches);
    return entry != list.entries.end() ? static_cast<int>(entry - list.entries.begin()) : kNoEntry;
}
} // namespace

int loadedEntry(const CodeList& list, std::optional<std::string_view> code, int shownBefore)
{
    // No code at all: the field cannot be read, and the control keeps what it showed.
    if (!code)
        return shownBefore;
    if (const int entry = indexOf(list, [&](const CodeEntry& e) { return e.code == *code; });
        entry != kNoEntry)
        return entry;
    switch (list.loadMiss) {
    case LoadMiss::Substitute:
        return entryWithText(list, list.substitute);
    case LoadMiss::ShowNone:
        return kNoEntry;
    case LoadMiss::LeaveAsItWas:
        break;
    }
    return shownBefore;
}

std::optional<std::string_view> storedCode(const CodeList& list, int shown)
{
    if (shown >= 0 && static_cast<std::size_t>(shown) < list.entries.size())
        return list.entries[static_cast<std::size_t>(shown)].code;
    if (list.storeMiss == StoreMiss::FallbackCode)
        return list.fallbackCode;
    return std::nullopt;
}

int entryWithText(const CodeList& list, std::string_view text)
{
    return indexOf(list, [&](const CodeEntry& e) { return e.text == text; });
}

} // namespace kbs
