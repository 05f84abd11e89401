#pragma once

#include "model/field_layout.h"
#include "model/form_dialog_table.h"
#include "model/model_variant.h"

#include <string>
#include <string_view>

namespace kbs {

// The field of a form image layout by name, or nullptr when the image has none (the margins
// of form 0).
const FormFieldSpec* imageField(const FormImageLayout& layout, std::string_view name);

// A digit field of an image: the sum of (byte - '0') times its place value, without checking
// that the bytes are digits, so every image parses.
int readImageDigits(std::string_view image, const FormFieldSpec& field);

// Writes the value as zero-padded decimal of exactly the field's width: only digit positions
// change, and a value the width cannot hold is clamped so that nothing spills into a comma.
void writeImageDigits(std::string& image, const FormFieldSpec& field, int value);

// The image layout behind a form of the table, from the variant's block layout.
const FieldSpec& formBlockField(const ModelVariant& variant, const FormImageEntry& form);

// Checks that the variant's form dialog table fits its block layout: every form names an image
// field, every box names a field of some image, every value a box accepts fits the digits of
// its field, every scale mark stands under a slider position. Throws std::invalid_argument.
void checkFormDialogTable(const ModelVariant& variant);

} // namespace kbs
