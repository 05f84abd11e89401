#include "pagedata/control_page.h"

#include "pagedata/code_list_binding.h"
#include "pagedata/field_lookup.h"
#include "pagedata/number_binding.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace kbs {

namespace {

[[noreturn]] void refuse(const ControlRow& row, const char* why)
{
    throw std::invalid_argument(std::string(row.name) + ": " + why);
}

// The field of a row, checked against what the layout gives the page.
const FieldSpec& fieldOf(const ControlRow& row, PageId page, std::span<const FieldSpec> layout)
{
    const FieldSpec& field = fieldNamed(layout, row.field);
    if (field.owner != page)
        refuse(row, "the field belongs to another page");
    if (row.firstChar != field.firstOwnedChar || row.firstChar >= field.width)
        refuse(row, "the control must cover exactly the characters the page owns");
    return field;
}

ControlSpec controlOf(const ControlRow& row)
{
    ControlSpec control{.kind = row.kind,
                        .name = std::string(row.name),
                        .caption = row.label,
                        .field = row.field,
                        .note = row.note,
                        .list = row.list,
                        .number = row.number,
                        .unit = row.unit,
                        .group = row.group,
                        .placement = row.placement,
                        .visible = row.visible};
    if (row.kind == ControlKind::RadioPair) {
        if (row.list == nullptr || row.list->entries.size() != 2)
            refuse(row, "a radio pair needs a list of two entries");
        control.choices = {row.list->entries[0].text, row.list->entries[1].text};
    }
    return control;
}

void addRow(PageData& data, const ControlRow& row, PageId page, std::span<const FieldSpec> layout)
{
    switch (row.kind) {
    case ControlKind::NumberBox:
    case ControlKind::FeedRow: {
        if (row.number == nullptr)
            refuse(row, "a number box needs its range");
        if ((row.kind == ControlKind::FeedRow) == row.stops.empty())
            refuse(row, "a feed row, and only a feed row, has slider stops");
        ControlSpec control = controlOf(row);
        control.stops = row.stops;
        control.scale = row.scale;
        const std::size_t member = data.addControl(std::move(control), MemberKind::Number);
        if (!row.field.empty()) {
            const FieldSpec& field = fieldOf(row, page, layout);
            data.addBinding(std::make_unique<NumberBinding>(
                field.offset + row.firstChar, field.width - row.firstChar, *row.number, member));
        }
        return;
    }
    case ControlKind::CodeList:
    case ControlKind::RadioPair: {
        if (row.list == nullptr)
            refuse(row, "a list needs its entries");
        const std::size_t member = data.addControl(controlOf(row), MemberKind::Choice);
        const FieldSpec& field = fieldOf(row, page, layout);
        const bool twoChars = row.codec != CodeCodec::Chars;
        if (twoChars && (field.width != 2 || row.firstChar != 0))
            refuse(row, "this code needs a field of two characters");
        data.addBinding(std::make_unique<CodeListBinding>(
            field.offset + row.firstChar, field.width - row.firstChar, row.codec, *row.list, member));
        return;
    }
    case ControlKind::PushButton:
        data.addControl(controlOf(row), MemberKind::Text);
        return;
    case ControlKind::CheckBox:
        break;
    }
    refuse(row, "this kind of control has no binding on a control page yet");
}

} // namespace

PageData controlPageData(const ControlPageTable& table, std::span<const FieldSpec> layout)
{
    if (table.formButton != nullptr)
        throw std::invalid_argument("a page with a form button needs its program's forms");
    PageData data;
    for (const ControlRow& row : table.rows)
        addRow(data, row, table.page, layout);
    for (const PendingNotice& notice : table.pendingNotices)
        for (const std::string_view box : notice.boxes)
            if (data.indexOf(box) == data.controls().size())
                throw std::invalid_argument("a pending notice names no box of the page: " + std::string(box));
    return data;
}

namespace {
void checkFormButton(const ControlPageTable& table, const PageData& data, const ModelVariant& variant)
{
    const FormButton& button = *table.formButton;
    const auto controls = data.controls();
    const std::size_t list = data.indexOf(button.list);
    const std::size_t push = data.indexOf(button.button);
    if (list == controls.size() || controls[list].kind != ControlKind::CodeList)
        throw std::invalid_argument("the form button's list is no list of the page");
    if (push == controls.size() || controls[push].kind != ControlKind::PushButton)
        throw std::invalid_argument("the form button is no button of the page");
    if (variant.formDialog == nullptr)
        throw std::invalid_argument("the program has no form dialog");
    for (const FormImageEntry& form : variant.formDialog->forms)
        if (fieldNamed(variant.fields, form.blockField).owner != table.page)
            throw std::invalid_argument("the image of " + std::string(form.formName) + " is not the page's");
}
} // namespace

PageData controlPageData(const ControlPageTable& table, const ModelVariant& variant)
{
    if (table.formButton == nullptr)
        return controlPageData(table, variant.fields);
    ControlPageTable rowsOnly = table;
    rowsOnly.formButton = nullptr;
    PageData data = controlPageData(rowsOnly, variant.fields);
    checkFormButton(table, data, variant);
    data.setFormEditor(std::make_unique<FormEditor>(variant));
    return data;
}

std::string formButtonCaption(const FormButton& button, std::string_view formName)
{
    std::string caption(button.captionFormat);
    if (const std::size_t at = caption.find("%s"); at != std::string::npos)
        caption.replace(at, 2, formName);
    return caption;
}

PendingCorrection pendingCorrection(const ControlPageTable& table, const PageData& data)
{
    for (const PendingNotice& notice : table.pendingNotices) {
        PendingCorrection correction{&notice, {}};
        for (const std::string_view box : notice.boxes)
            if (const std::size_t index = data.indexOf(box); data.member(index).pending)
                correction.boxes.push_back(index);
        if (!correction.boxes.empty())
            return correction;
    }
    return {};
}

} // namespace kbs
