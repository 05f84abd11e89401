#include "cli/form_fields.h"

#include "pagedata/form_editor.h"
#include "pagedata/form_image_fields.h"

#include <algorithm>

namespace kbs::cli {

namespace {

std::string imageOf(const FormField& field, const SettingsBlock& block)
{
    const auto bytes = block.bytes().subspan(field.image->offset, field.image->width);
    return {bytes.begin(), bytes.end()};
}

} // namespace

std::deque<FormField> formFieldsOf(const ModelVariant& variant)
{
    std::deque<FormField> fields;
    if (variant.formDialog == nullptr)
        return fields;
    const FormDialogTable& table = *variant.formDialog;
    for (const FormImageEntry& form : table.forms) {
        const FieldSpec& image = formBlockField(variant, form);
        for (std::size_t box = 0; box < table.boxes.size(); ++box) {
            const FormBoxRow& row = table.boxes[box];
            const FormFieldSpec* digits = imageField(*image.image, row.field);
            if (digits == nullptr)
                continue;
            FormField& field = fields.emplace_back();
            field.key = std::string(form.blockField) + "." + std::string(row.field);
            field.form = &form;
            field.box = box;
            field.image = &image;
            field.imageField = digits;
            field.label = row.kind == FormBoxKind::Feed
                              ? std::string(table.feedGroupLabel) + " " + std::string(row.label)
                              : std::string(row.label);
            field.range =
                NumberBoxSpec{.min = row.range.min, .max = row.range.max, .maxTypedLength = digits->width};
            field.control = ControlSpec{.kind = ControlKind::NumberBox,
                                        .name = field.key,
                                        .caption = field.label,
                                        .number = &field.range,
                                        .unit = row.unit,
                                        .group = form.formName};
        }
    }
    return fields;
}

std::optional<int> formFieldValue(const FormField& field, const SettingsBlock& block)
{
    const std::string image = imageOf(field, block);
    const std::string_view digits =
        std::string_view(image).substr(field.imageField->offset, field.imageField->width);
    if (!std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int value = readImageDigits(image, *field.imageField);
    if (value < field.range.min || value > field.range.max)
        return std::nullopt;
    std::string written = image;
    writeImageDigits(written, *field.imageField, value);
    return written == image ? std::optional<int>(value) : std::nullopt;
}

std::string formFieldShown(const ModelVariant& variant, const FormField& field, const SettingsBlock& block)
{
    FormEditor editor(variant);
    editor.loadImages(block);
    editor.parseForm(field.form->formName);
    return editor.text(field.box);
}

void writeFormField(const FormField& field, int value, SettingsBlock& block)
{
    std::string image = imageOf(field, block);
    writeImageDigits(image, *field.imageField, value);
    for (std::size_t i = 0; i < field.imageField->width; ++i)
        block[field.offset() + i] = static_cast<std::uint8_t>(image[field.imageField->offset + i]);
}

} // namespace kbs::cli
