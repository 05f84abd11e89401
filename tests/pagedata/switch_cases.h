#pragma once

// The fifteen memory switch pages with the offsets of their byte pairs, shared by the
// page data and widget tests.
#include "model/model_variant.h"
#include "model/settings_block.h"
#include "pagedata/page_tables.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QtTest>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace switch_cases {

struct SwitchPageCase {
    const kbs::ModelVariant* variant;
    int msw;            // 1 to 5
    std::size_t offset; // of the byte pair in the block
    kbs::PageId page;
    const kbs::SwitchPageTable* table;
};

inline const std::vector<SwitchPageCase>& allSwitchPages()
{
    static const std::vector<SwitchPageCase> cases = [] {
        constexpr std::array pages = {kbs::PageId::MSW1, kbs::PageId::MSW2, kbs::PageId::MSW3,
                                      kbs::PageId::MSW4, kbs::PageId::MSW5};
        const std::array<std::pair<const kbs::ModelVariant*, std::size_t>, 3> msw5Offsets = {{
            {&kbs::kbs18r::variant(), 264},
            {&kbs::kbs62d::variant(), 185},
            {&kbs::kbs18t::variant(), 174},
        }};
        std::vector<SwitchPageCase> result;
        for (const auto& [variant, msw5Offset] : msw5Offsets) {
            for (int msw = 1; msw <= 5; ++msw) {
                const kbs::PageId page = pages.at(static_cast<std::size_t>(msw - 1));
                const auto* table = kbs::findSwitchPage(*variant->pageTables, page);
                if (table == nullptr)
                    qFatal("no switch table for MSW%d", msw);
                const std::size_t offset =
                    msw == 5 ? msw5Offset : static_cast<std::size_t>(4 + 3 * (msw - 1));
                result.push_back({variant, msw, offset, page, table});
            }
        }
        return result;
    }();
    return cases;
}

// One row "kbs18r MSW1" ... per page (only MSW1 pages with `msw1Only`), column caseIndex.
inline void addPageRows(bool msw1Only = false)
{
    QTest::addColumn<int>("caseIndex");
    const auto& cases = allSwitchPages();
    for (std::size_t index = 0; index < cases.size(); ++index) {
        if (!msw1Only || cases[index].msw == 1)
            QTest::addRow("%s MSW%d", cases[index].variant->deliverable.data(), cases[index].msw)
                << static_cast<int>(index);
    }
}

inline const SwitchPageCase& fetchedPage()
{
    QFETCH(int, caseIndex);
    return allSwitchPages().at(static_cast<std::size_t>(caseIndex));
}

inline kbs::SettingsBlock factoryBlock(const SwitchPageCase& page)
{
    return kbs::SettingsBlock(page.variant->factoryDefaults);
}

// A block in which every byte differs from its neighbours, so a stray write shows.
inline kbs::SettingsBlock patternBlock(const SwitchPageCase& page)
{
    std::vector<std::uint8_t> bytes(page.variant->blockLength);
    for (std::size_t index = 0; index < bytes.size(); ++index)
        bytes[index] = static_cast<std::uint8_t>(0x80 + index * 7);
    return kbs::SettingsBlock(bytes);
}

inline kbs::SettingsBlock withPair(kbs::SettingsBlock block, std::size_t offset, std::uint8_t first,
                                   std::uint8_t second)
{
    block[offset] = first;
    block[offset + 1] = second;
    return block;
}

} // namespace switch_cases
