#pragma once

#include "model/code_list.h"

#include <optional>
#include <string_view>

namespace kbs {

// The entry a loaded code selects: the entry with that code, else what the list's load
// rule says, given the entry the control showed before (kNoEntry for none).
inline constexpr int kNoEntry = -1;
int loadedEntry(const CodeList& list, std::optional<std::string_view> code, int shownBefore);

// The code a store writes for the entry shown, or nothing when the field keeps its bytes.
std::optional<std::string_view> storedCode(const CodeList& list, int shown);

// The index of the entry with `text`, else kNoEntry.
int entryWithText(const CodeList& list, std::string_view text);

} // namespace kbs
