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
#include <utility>
#include <vector>

namespace switch_cases {

struct SwitchPageCase {
    const kbs::ModelVariant* variant;
    int msw;            // 1 to 5
    std::size_t offset; // of the byte pair in the block
};

inline std::vector<SwitchPageCase> allSwitchPages()
{
    std::vector<SwitchPageCase> cases;
    const std::array<std::pair<const kbs::ModelVariant*, std::size_t>, 3> msw5Offsets = {{
        {&kbs::kbs18r::variant(), 264},
        {&kbs::kbs62d::variant(), 185},
        {&kbs::kbs18t::variant(), 174},
    }};
    for (const auto& [variant, msw5Offset] : msw5Offsets) {
        for (int msw = 1; msw <= 4; ++msw)
            cases.push_back({variant, msw, static_cast<std::size_t>(4 + 3 * (msw - 1))});
        cases.push_back({variant, 5, msw5Offset});
    }
    return cases;
}

inline kbs::PageId pageOf(int msw)
{
    constexpr std::array pages = {kbs::PageId::MSW1, kbs::PageId::MSW2, kbs::PageId::MSW3, kbs::PageId::MSW4,
                                  kbs::PageId::MSW5};
    return pages.at(static_cast<std::size_t>(msw - 1));
}

inline const kbs::SwitchPageTable& tableOf(const kbs::ModelVariant& variant, int msw)
{
    const kbs::SwitchPageTable* table = kbs::findSwitchPage(*variant.pageTables, pageOf(msw));
    if (table == nullptr)
        qFatal("no switch table for MSW%d", msw);
    return *table;
}

inline QByteArray caseName(const SwitchPageCase& page)
{
    return QByteArray(page.variant->deliverable.data(),
                      static_cast<qsizetype>(page.variant->deliverable.size())) +
           " MSW" + QByteArray::number(page.msw);
}

inline kbs::SettingsBlock factoryBlock(const kbs::ModelVariant& variant)
{
    return kbs::SettingsBlock(variant.factoryDefaults);
}

// A block in which every byte differs from its neighbours, so a stray write shows.
inline kbs::SettingsBlock patternBlock(const kbs::ModelVariant& variant)
{
    std::vector<std::uint8_t> bytes(variant.blockLength);
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
