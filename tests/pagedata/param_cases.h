#pragma once

// The three programs looked up by name, and their parameter pages by control name, shared by
// the page data, widget and window tests.
#include "model/page_tables.h"
#include "pagedata/page_data.h"
#include "pagedata/page_names.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QtTest>

#include <array>
#include <string_view>

namespace param_cases {

inline const std::array<const kbs::ModelVariant*, 3> kVariants = {
    &kbs::kbs18r::variant(), &kbs::kbs62d::variant(), &kbs::kbs18t::variant()};

inline const kbs::ModelVariant& variantNamed(std::string_view deliverable)
{
    for (const kbs::ModelVariant* variant : kVariants)
        if (variant->deliverable == deliverable)
            return *variant;
    qFatal("no program %s", deliverable.data());
}

inline const kbs::ModelVariant& variantNamed(const char* deliverable)
{
    return variantNamed(std::string_view(deliverable));
}

inline const kbs::ModelVariant& variantNamed(const QString& deliverable)
{
    return variantNamed(deliverable.toStdString());
}

// The control page holding the control `name`, and its row.
struct Found {
    const kbs::ControlPageTable* page = nullptr;
    const kbs::ControlRow* row = nullptr;
};

inline Found findControl(const kbs::ModelVariant& variant, std::string_view name)
{
    for (const kbs::ControlPageTable& page : variant.pageTables->controlPages)
        for (const kbs::ControlRow& row : page.rows)
            if (row.name == name)
                return {&page, &row};
    return {};
}

// One data row per page of every program: "variant" and "page".
inline void addPageRows()
{
    QTest::addColumn<const kbs::ModelVariant*>("variant");
    QTest::addColumn<kbs::PageId>("page");
    for (const kbs::ModelVariant* variant : kVariants)
        for (const kbs::TabSpec& tab : variant->tabs)
            QTest::addRow("%s %s", variant->deliverable.data(), kbs::pageClassName(tab.page).data())
                << variant << tab.page;
}

// What a page stores into `base` with `value` in one control's member, after loading `base`.
inline kbs::SettingsBlock storedWith(kbs::PageData& data, std::size_t control, int value,
                                     const kbs::SettingsBlock& base)
{
    data.load(base);
    kbs::Member& member = data.member(control);
    (member.kind == kbs::MemberKind::Choice ? member.choice : member.number) = value;
    member.text = std::to_string(value);
    kbs::SettingsBlock block = base;
    data.store(block);
    return block;
}

} // namespace param_cases
