#include "pagedata/form_page_data.h"

#include "pagedata/code_list_rules.h"
#include "pagedata/control_page.h"
#include "pagedata/number_rules.h"
#include "pagedata/slider_stops.h"

#include <stdexcept>

namespace kbs {

namespace {

const FormButton& ruleOf(const ControlPageTable& table)
{
    if (table.formButton == nullptr)
        throw std::invalid_argument("the page has no form button");
    return *table.formButton;
}

std::size_t controlNamed(const PageData& data, std::string_view name, ControlKind kind)
{
    const std::size_t index = data.indexOf(name);
    if (index == data.controls().size() || data.controls()[index].kind != kind)
        throw std::invalid_argument("the form button rule names no such control: " + std::string(name));
    return index;
}

bool isNumber(const ControlSpec& control)
{
    return control.kind == ControlKind::NumberBox || control.kind == ControlKind::FeedRow;
}

// The rows' controls and bindings; the images move through the page's own form editor.
PageData rowsData(const ControlPageTable& table, const ModelVariant& variant)
{
    ControlPageTable rows = table;
    rows.formButton = nullptr;
    return controlPageData(rows, variant.fields);
}

} // namespace

FormPageData::FormPageData(const ModelVariant& variant, const ControlPageTable& table)
    : table_(table), data_(rowsData(table, variant)), editor_(variant), sliders_(data_.controls().size(), 0),
      list_(controlNamed(data_, ruleOf(table).list, ControlKind::CodeList)),
      button_(controlNamed(data_, ruleOf(table).button, ControlKind::PushButton))
{
    if (ruleOf(table).captionFormat.find("%s") == std::string_view::npos)
        throw std::invalid_argument("the form button's caption has no place for the form");
    for (std::size_t control = 0; control < data_.controls().size(); ++control)
        if (isNumber(data_.controls()[control]))
            showNumber(control);
}

const NumberBoxSpec& FormPageData::numberOf(std::size_t control) const
{
    return *data_.controls()[control].number;
}

void FormPageData::showNumber(std::size_t control)
{
    Member& member = data_.member(control);
    member.text = std::to_string(member.number);
    sliders_[control] = nearestStop(data_.controls()[control].stops, member.number);
}

void FormPageData::load(const SettingsBlock& block)
{
    data_.load(block);
    for (std::size_t control = 0; control < data_.controls().size(); ++control)
        if (isNumber(data_.controls()[control]))
            showNumber(control);
    editor_.loadImages(block);
}

std::optional<StoreRefusal> FormPageData::refusal() const
{
    for (std::size_t control = 0; control < data_.controls().size(); ++control) {
        if (!isNumber(data_.controls()[control]))
            continue;
        StoredNumber checked = checkStoredNumber(numberOf(control), text(control));
        if (!checked.value)
            return StoreRefusal{control, std::move(checked.refusal)};
    }
    return std::nullopt;
}

std::optional<StoreRefusal> FormPageData::store(SettingsBlock& block)
{
    std::optional<StoreRefusal> refused = refusal();
    if (!refused)
        for (std::size_t control = 0; control < data_.controls().size(); ++control)
            if (isNumber(data_.controls()[control]))
                data_.member(control).number = typedValue(text(control));
    data_.store(block);
    editor_.storeImages(block);
    return refused;
}

const std::string& FormPageData::boxChanged(std::size_t control, std::string_view text, bool hasFocus)
{
    Member& member = data_.member(control);
    member.text = correctTypeAhead(numberOf(control), text, hasFocus, true).text;
    if (data_.controls()[control].kind == ControlKind::FeedRow)
        sliders_[control] = nearestStop(data_.controls()[control].stops, typedValue(member.text));
    return member.text;
}

std::optional<std::string> FormPageData::sliderMoved(std::size_t control, int position, bool hasFocus)
{
    const ControlSpec& row = data_.controls()[control];
    if (!hasFocus || row.kind != ControlKind::FeedRow)
        return std::nullopt;
    return boxChanged(control, std::to_string(stopValue(row.stops, position)), false);
}

std::string_view FormPageData::listText() const
{
    const CodeList& list = *data_.controls()[list_].list;
    const int entry = shownEntry();
    if (entry < 0 || static_cast<std::size_t>(entry) >= list.entries.size())
        return {};
    return list.entries[static_cast<std::size_t>(entry)].text;
}

FormButtonState FormPageData::formButton() const
{
    const std::string_view form = listText();
    // Only a form the dialog edits opens it; "選択なし" and the like leave the button off.
    if (form.empty() || editor_.image(form).empty())
        return {std::string(data_.controls()[button_].caption), false};
    std::string caption(table_.formButton->captionFormat);
    caption.replace(caption.find("%s"), 2, form);
    return {std::move(caption), true};
}

bool FormPageData::prepareDialog()
{
    const std::string_view form = listText();
    if (form.empty() || !editor_.parseForm(form))
        return false;
    editor_.setFormName(form);
    return true;
}

} // namespace kbs
