#pragma once

// The three programs looked up by name, and their parameter pages by control name, shared by
// the page data, widget and window tests.
#include "model/page_tables.h"
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

} // namespace param_cases
