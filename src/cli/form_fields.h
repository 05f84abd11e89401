#pragma once

#include "model/control_table.h"
#include "model/form_dialog_table.h"
#include "model/model_variant.h"
#include "model/settings_block.h"
#include "pagedata/page_control.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace kbs::cli {

// One digit field of a form image, as the form settings dialog edits it: the form, the
// dialog's box for it, and where its digits lie in the block. `control` describes it as a
// number box with the box's label, unit and range, grouped under the form's name.
struct FormField {
    std::string key;                 // "form1.formLength"
    const FormImageEntry* form;      // 書式１ and its block field
    std::size_t box;                 // index of the box in the dialog table
    const FieldSpec* image;          // the form's image in the block
    const FormFieldSpec* imageField; // the digits inside the image
    std::string label;               // feed rows: behind the feed group's label
    NumberBoxSpec range;
    ControlSpec control;

    // Offset in the block of the field's first digit.
    std::size_t offset() const { return image->offset + imageField->offset; }
};

// Every field of every form the variant's dialog edits, form by form in the dialog's box order;
// a field the form's image lacks (the margins of form 0) is none. The addresses stay valid.
std::deque<FormField> formFieldsOf(const ModelVariant& variant);

// The field's value when its bytes are a number of the box's range that writing it gives
// back byte for byte; nothing otherwise.
std::optional<int> formFieldValue(const FormField& field, const SettingsBlock& block);

// What the dialog's box shows for the field as `block` holds it.
std::string formFieldShown(const ModelVariant& variant, const FormField& field, const SettingsBlock& block);

// Writes the value into the field's digits only; commas and other fields keep their bytes.
void writeFormField(const FormField& field, int value, SettingsBlock& block);

} // namespace kbs::cli
