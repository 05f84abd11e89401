// The form settings dialog over any images, driven by box edits, slider moves and OKs read from
// the input: every notice is one of the table's, and an OK that closes the dialog writes digits
// only, each number within its field, into the edited form's image alone.
#include "pagedata/form_editor.h"
#include "fuzz_input.h"
#include "pagedata/form_image_fields.h"

#include <algorithm>
#include <vector>

namespace {

using namespace kbs;

std::vector<FormNotice> tableNotices(const FormDialogTable& table, std::string_view formName)
{
    std::vector<FormNotice> notices;
    std::vector<const FormNoticeText*> texts{&table.marginOrderAtOk, &table.leftNotBelowRight,
                                             &table.rightPendingAtOk};
    for (const FormBoxRow& box : table.boxes) {
        texts.push_back(&box.belowMinimumAtOk);
        notices.push_back(integerRangeNotice(box.range));
    }
    for (const FormNoticeText* text : texts)
        if (hasNotice(*text))
            notices.push_back(formNotice(*text, formName));
    return notices;
}

void checkNotice(const std::optional<FormNotice>& notice, const FormEditor& editor)
{
    FUZZ_CHECK(!notice || std::ranges::count(tableNotices(editor.table(), editor.formName()), *notice) > 0);
}

// After an OK that closed the dialog: only the edited form's fields changed, each one written
// whole as the digits of its box's value.
void checkWritten(const ModelVariant& variant, const FormEditor& editor,
                  const std::vector<std::string>& before)
{
    const FormDialogTable& table = editor.table();
    for (std::size_t form = 0; form < table.forms.size(); ++form) {
        const std::string_view image = editor.image(table.forms[form].formName);
        std::string unchanged = before[form];
        for (std::size_t box = 0; box < table.boxes.size(); ++box) {
            const FormImageLayout& layout = *formBlockField(variant, table.forms[form]).image;
            const FormFieldSpec* field = imageField(layout, table.boxes[box].field);
            if (field == nullptr || table.forms[form].formName != editor.formName())
                continue;
            const std::string_view digits = image.substr(field->offset, field->width);
            unchanged.replace(field->offset, field->width, digits);
            if (digits == std::string_view(before[form]).substr(field->offset, field->width))
                continue;
            FUZZ_CHECK(std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; }));
            FUZZ_CHECK(readImageDigits(image, *field) == boxTextValue(editor.text(box)).value_or(0));
        }
        FUZZ_CHECK(image == unchanged);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    const ModelVariant& variant = input.program();
    FormEditor editor(variant);
    const FormDialogTable& table = editor.table();
    editor.loadImages(input.block(variant));
    std::vector<std::string> before;
    for (const FormImageEntry& form : table.forms)
        before.emplace_back(editor.image(form.formName));
    const auto open = [&] {
        editor.setFormName(table.forms[input.pick(table.forms.size())].formName);
        FUZZ_CHECK(editor.parseForm(editor.formName()));
        editor.open();
    };
    open();
    while (!input.empty()) {
        const std::size_t box = input.pick(table.boxes.size());
        switch (input.pick(3)) {
        case 0: {
            const bool focus = input.pick(2), userChange = input.pick(2);
            checkNotice(editor.boxChanged(box, input.chunk(), focus, userChange).notice, editor);
            break;
        }
        case 1:
            editor.sliderMoved(box, static_cast<int>(input.pick(40)) - 4, input.pick(2));
            break;
        default:
            if (const auto notice = editor.ok()) {
                FUZZ_CHECK(notice->box < table.boxes.size());
                checkNotice(notice->notice, editor);
                break;
            }
            checkWritten(variant, editor, before);
            for (std::size_t form = 0; form < table.forms.size(); ++form)
                before[form] = editor.image(table.forms[form].formName);
            open();
        }
    }
    return 0;
}
