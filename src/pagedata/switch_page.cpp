#include "pagedata/switch_page.h"

#include "pagedata/field_lookup.h"
#include "pagedata/switch_pair_binding.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace kbs {

namespace {

// The country list spans the three switches of its code; every other control one switch.
void checkRow(const SwitchRow& row)
{
    const SwitchRange range = row.switches;
    if (range.first < 1 || range.last > 8 || range.first > range.last)
        throw std::invalid_argument("switch numbers outside 1 to 8");
    const int count = range.last - range.first + 1;
    switch (row.control) {
    case SwitchControl::RadioPair:
    case SwitchControl::CheckBox:
    case SwitchControl::HiddenRadioPair:
        if (count != 1)
            throw std::invalid_argument("a radio pair or check box serves one switch");
        break;
    case SwitchControl::CountryList:
        if (count != 3 || row.list == nullptr)
            throw std::invalid_argument("the country list serves three switches with its entries");
        break;
    case SwitchControl::PassedThrough:
    case SwitchControl::Cleared:
        break;
    }
}

std::string controlName(const FieldSpec& field, const SwitchRow& row)
{
    if (row.control == SwitchControl::CountryList)
        return std::string(field.name) + "_country";
    return std::string(field.name) + "_" + std::to_string(row.switches.first);
}

// Adds the row's control, if it has one, and returns its member index.
std::size_t addControl(PageData& data, const FieldSpec& field, const SwitchRow& row)
{
    switch (row.control) {
    case SwitchControl::RadioPair:
    case SwitchControl::HiddenRadioPair:
        return data.addControl({.kind = ControlKind::RadioPair,
                                .name = controlName(field, row),
                                .caption = row.caption,
                                .note = row.switchLabel,
                                .choices = {row.label0, row.label1},
                                .visible = row.control == SwitchControl::RadioPair});
    case SwitchControl::CheckBox:
        return data.addControl(
            {.kind = ControlKind::CheckBox, .name = controlName(field, row), .caption = row.caption});
    case SwitchControl::CountryList:
        return data.addControl({.kind = ControlKind::CodeList,
                                .name = controlName(field, row),
                                .caption = row.caption,
                                .list = row.list});
    case SwitchControl::PassedThrough:
    case SwitchControl::Cleared:
        break;
    }
    return 0;
}

} // namespace

PageData switchPageData(const SwitchPageTable& table, std::span<const FieldSpec> layout)
{
    const FieldSpec& field = fieldNamed(layout, table.field);
    if (field.encoding != Encoding::SwitchPair || field.width != 2)
        throw std::invalid_argument("a memory switch page needs a switch byte pair");

    PageData data;
    std::vector<SwitchPairBinding::Slot> slots;
    unsigned covered = 0;
    for (const SwitchRow& row : table.rows) {
        checkRow(row);
        for (int number = row.switches.first; number <= row.switches.last; ++number) {
            if (covered & (1U << number))
                throw std::invalid_argument("a switch appears in two rows");
            covered |= 1U << number;
        }
        slots.push_back({row.switches, row.control, addControl(data, field, row), row.list});
    }
    // Every switch says whether it is shown, passed through or cleared.
    if (covered != 0x1FEU)
        throw std::invalid_argument("a switch is missing from the table");
    data.addBinding(std::make_unique<SwitchPairBinding>(field.offset, std::move(slots)));
    return data;
}

} // namespace kbs
