#pragma once

#include <span>
#include <string_view>

namespace kbs {

// One entry of a fixed list: the text shown and the bytes it stands for in the block
// ("0", "08", "FB").
struct CodeEntry {
    std::string_view text;
    std::string_view code;
};

// What a load does with a code that no entry has.
enum class LoadMiss {
    Substitute,   // show the substitute entry, which the next store writes in proper form
    LeaveAsItWas, // the control keeps what it showed
    ShowNone,     // no entry selected (a radio pair with neither button checked)
};

// What a store does when the control shows no entry.
enum class StoreMiss {
    FallbackCode, // write the fallback code
    LeaveField,   // the field keeps the bytes it had
};

// A fixed drop-down list or radio pair with the rules for codes it does not know.
struct CodeList {
    std::span<const CodeEntry> entries; // in list order
    LoadMiss loadMiss = LoadMiss::LeaveAsItWas;
    std::string_view substitute{}; // an entry's text, for LoadMiss::Substitute
    StoreMiss storeMiss = StoreMiss::LeaveField;
    std::string_view fallbackCode{}; // for StoreMiss::FallbackCode
};

} // namespace kbs
