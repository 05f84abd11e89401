#pragma once

// The fifteen memory switch pages with the offsets of their byte pairs, shared by the
// page data and widget tests.
#include "model/page_tables.h"
#include "model/settings_block.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QtTest>

#include <cstdint>
#include <vector>

namespace switch_cases {

using Pair = std::pair<std::uint8_t, std::uint8_t>;

struct SwitchPageCase {
    const kbs::ModelVariant* variant;
    int msw;            // 1 to 5
    std::size_t offset; // of the byte pair in the block
    const kbs::SwitchPageTable* table;
};

inline const std::vector<SwitchPageCase>& allSwitchPages()
{
    static const std::vector<SwitchPageCase> cases = [] {
        const kbs::PageId pages[] = {kbs::PageId::MSW1, kbs::PageId::MSW2, kbs::PageId::MSW3,
                                     kbs::PageId::MSW4, kbs::PageId::MSW5};
        const std::pair<const kbs::ModelVariant*, std::size_t> msw5Offsets[] = {
            {&kbs::kbs18r::variant(), 264}, {&kbs::kbs62d::variant(), 185}, {&kbs::kbs18t::variant(), 174}};
        std::vector<SwitchPageCase> result;
        for (const auto& [variant, msw5Offset] : msw5Offsets) {
            for (int msw = 1; msw <= 5; ++msw) {
                const auto* table = kbs::findSwitchPage(*variant->pageTables, pages[msw - 1]);
                if (table == nullptr)
                    qFatal("no switch table for MSW%d", msw);
                result.push_back(
                    {variant, msw, msw == 5 ? msw5Offset : std::size_t(4 + 3 * (msw - 1)), table});
            }
        }
        return result;
    }();
    return cases;
}

inline kbs::SettingsBlock withPair(kbs::SettingsBlock block, std::size_t offset, Pair pair)
{
    block[offset] = pair.first;
    block[offset + 1] = pair.second;
    return block;
}

// The pair at `offset` in `after`; any other byte that differs from `before` is a stray write.
inline Pair pairOnlyChanged(const kbs::SettingsBlock& before, const kbs::SettingsBlock& after,
                            std::size_t offset)
{
    for (std::size_t index = 0; index < after.size(); ++index) {
        if (index != offset && index != offset + 1 && after[index] != before[index])
            qFatal("byte %zu outside the pair was written", index);
    }
    return {after[offset], after[offset + 1]};
}

} // namespace switch_cases
