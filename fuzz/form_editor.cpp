// The form settings dialog over any images, driven by box edits, slider moves and OKs read from
// the input: every notice is one of the table's, and an OK that closes the dialog writes digits
// only, each number within its field, into the edited form's image alone.
#include "pagedata/form_editor.h"
#include "fuzz_input.h"
#include "pagedata/form_image_fields.h"

namespace {

using namespace kbs;

bool fromTable(const FormNotice& notice, const FormEditor& editor)
{
    const FormDialogTable& table = editor.table();
    bool found = false;
    const auto compare = [&](const FormNoticeText& text) {
        found = found || (hasNotice(text) && notice == formNotice(text, editor.formName()));
    };
    for (const FormNoticeText& text :
         {table.marginOrderAtOk, table.leftNotBelowRight, table.rightPendingAtOk})
        compare(text);
    for (const FormBoxRow& box : table.boxes) {
        compare(box.belowMinimumAtOk);
        found = found || notice == integerRangeNotice(box.range);
    }
    return found;
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
            if (digits != std::string_view(before[form]).substr(field->offset, field->width))
                FUZZ_CHECK(digits.find_first_not_of("0123456789") == std::string_view::npos &&
                           readImageDigits(image, *field) == boxTextValue(editor.text(box)).value_or(0));
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
    const auto open = [&] {
        before.clear();
        for (const FormImageEntry& form : table.forms)
            before.emplace_back(editor.image(form.formName));
        editor.setFormName(table.forms[input.pick(table.forms.size())].formName);
        FUZZ_CHECK(editor.parseForm(editor.formName()));
        editor.open();
    };
    open();
    while (!input.empty()) {
        const std::size_t box = input.pick(table.boxes.size()), action = input.pick(3);
        const bool focus = input.pick(2);
        if (action == 0) {
            const bool userChange = input.pick(2);
            const auto notice = editor.boxChanged(box, input.chunk(), focus, userChange).notice;
            FUZZ_CHECK(!notice || fromTable(*notice, editor));
        } else if (action == 1) {
            editor.sliderMoved(box, static_cast<int>(input.pick(40)) - 4, focus);
        } else if (const auto notice = editor.ok()) {
            FUZZ_CHECK(notice->box < table.boxes.size() && fromTable(notice->notice, editor));
        } else {
            checkWritten(variant, editor, before);
            open();
        }
    }
    return 0;
}
