#pragma once

#include "pagedata/code_list.h"

#include <array>

namespace kbs {

// The character set countries of MSW1-1 to MSW1-3; the code's bit 0 is MSW1-1.
inline constexpr std::array kCountryEntries = {
    CodeEntry{"日本", 0},   CodeEntry{"アメリカ", 2},     CodeEntry{"イギリス", 3},
    CodeEntry{"ドイツ", 4}, CodeEntry{"スウェーデン", 5},
};
// Codes 1, 6 and 7 have no entry: they show 日本 and are written back as 0.
inline constexpr CodeList kCountryList{kCountryEntries, "日本", 0};

} // namespace kbs
