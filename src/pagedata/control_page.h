#pragma once

#include "model/control_table.h"
#include "model/field_layout.h"
#include "model/model_variant.h"
#include "pagedata/page_data.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kbs {

// The data of a page built from control rows: one control per row, in row order, and a
// binding for each row with a field. A row whose field is not the page's, or that would
// read or write characters its field does not give the page, throws std::invalid_argument.
PageData controlPageData(const ControlPageTable& table, std::span<const FieldSpec> layout);
// As above; a page with a form button also gets the form editor of the variant, which must give
// the page the images of its forms.
PageData controlPageData(const ControlPageTable& table, const ModelVariant& variant);

// The form button's caption for the form the list shows.
std::string formButtonCaption(const FormButton& button, std::string_view formName);

// What ShowPendingNotice does: the notice to show and the boxes it corrects, in order.
struct PendingCorrection {
    const PendingNotice* notice = nullptr; // nullptr when no box is pending
    std::vector<std::size_t> boxes;
};

// The first notice of the table that has a pending box, with its pending boxes.
PendingCorrection pendingCorrection(const ControlPageTable& table, const PageData& data);

} // namespace kbs
