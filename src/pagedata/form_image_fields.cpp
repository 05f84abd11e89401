#include "pagedata/form_image_fields.h"

#include "pagedata/field_lookup.h"
#include "pagedata/slider_stops.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace kbs {

namespace {

int largestOfWidth(std::size_t width)
{
    int largest = 0;
    for (std::size_t digit = 0; digit < width; ++digit)
        largest = largest * 10 + 9;
    return largest;
}

void require(bool holds, std::string_view what, std::string_view name)
{
    if (!holds)
        throw std::invalid_argument("form dialog table: " + std::string(what) + " " + std::string(name));
}

void checkBox(const ModelVariant& variant, const FormBoxRow& box)
{
    bool inSomeImage = false;
    for (const FormImageEntry& form : variant.formDialog->forms) {
        const FormFieldSpec* field = imageField(*formBlockField(variant, form).image, box.field);
        if (field == nullptr)
            continue;
        inSomeImage = true;
        require(box.range.min >= 0 && box.range.max <= largestOfWidth(field->width), "range too wide for",
                box.field);
    }
    require(inSomeImage, "no image has the field", box.field);
    require(box.range.min <= box.range.max, "empty range of", box.field);
    if (box.kind != FormBoxKind::Feed)
        return;
    require(!box.stops.empty(), "no slider stops for", box.field);
    for (const SliderScaleLine& line : box.scale)
        for (const SliderScaleMark& mark : line)
            require(mark.position >= 0 && mark.position <= lastPosition(box.stops),
                    "scale mark beyond the slider of", box.field);
}

} // namespace

const FormFieldSpec* imageField(const FormImageLayout& layout, std::string_view name)
{
    const auto field = std::ranges::find(layout.fields, name, &FormFieldSpec::name);
    return field == layout.fields.end() ? nullptr : &*field;
}

int readImageDigits(std::string_view image, const FormFieldSpec& field)
{
    int value = 0;
    for (const char byte : image.substr(field.offset, field.width))
        value = value * 10 + (static_cast<unsigned char>(byte) - '0');
    return value;
}

void writeImageDigits(std::string& image, const FormFieldSpec& field, int value)
{
    int rest = std::clamp(value, 0, largestOfWidth(field.width));
    for (std::size_t digit = field.width; digit-- > 0;) {
        image.at(field.offset + digit) = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
}

const FieldSpec& formBlockField(const ModelVariant& variant, const FormImageEntry& form)
{
    const FieldSpec& field = fieldNamed(variant.fields, form.blockField);
    require(field.image != nullptr && field.image->length == field.width,
            "not a form image:", form.blockField);
    return field;
}

void checkFormDialogTable(const ModelVariant& variant)
{
    require(variant.formDialog != nullptr, "missing for", variant.deliverable);
    for (const FormImageEntry& form : variant.formDialog->forms)
        formBlockField(variant, form);
    for (const FormBoxRow& box : variant.formDialog->boxes)
        checkBox(variant, box);
}

} // namespace kbs
