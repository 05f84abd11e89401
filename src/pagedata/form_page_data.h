#pragma once

#include "model/control_table.h"
#include "model/model_variant.h"
#include "model/settings_block.h"
#include "pagedata/form_editor.h"
#include "pagedata/page_data.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kbs {

// The caption and state of the form settings button.
struct FormButtonState {
    std::string caption;
    bool enabled;

    friend bool operator==(const FormButtonState&, const FormButtonState&) = default;
};

// A number box whose text a store refuses, and the message that says why.
struct StoreRefusal {
    std::size_t control;
    std::string message;
};

// A page with a form list and the button that opens the form settings dialog for the form
// the list shows, without its widgets: the controls of its rows with their members, the text
// each number box shows, the slider of each feed row, and the form editor, which holds the
// images of every form between runs of the dialog.
class FormPageData {
public:
    // Throws std::invalid_argument when the table has no form button rule, or its rows do not
    // fit the variant's layout.
    FormPageData(const ModelVariant& variant, const ControlPageTable& table);

    const PageData& data() const { return data_; }
    FormEditor& editor() { return editor_; }
    std::size_t listControl() const { return list_; }
    std::size_t buttonControl() const { return button_; }

    // Sets every control from its field and the images from theirs; a value no box can show and
    // a code the list lacks leave their control as it was.
    void load(const SettingsBlock& block);
    // Writes the controls' fields and the images. A number box whose text the store refuses
    // leaves every member as it was, so the fields are written as before; the refusal says
    // which box and why.
    std::optional<StoreRefusal> store(SettingsBlock& block);
    // The first number box whose text a store would refuse.
    std::optional<StoreRefusal> refusal() const;

    // What a number box or feed row shows.
    const std::string& text(std::size_t control) const { return data_.member(control).text; }
    int sliderPosition(std::size_t control) const { return sliders_.at(control); }

    // A user's change of a box's text: the text the box shows afterwards (ranges corrected only
    // while it has the keyboard focus); a feed row's slider moves to the nearest stop.
    const std::string& boxChanged(std::size_t control, std::string_view text, bool hasFocus);
    // A feed row's slider moved; with the focus its stop value is the box's new text.
    std::optional<std::string> sliderMoved(std::size_t control, int position, bool hasFocus);

    void chooseEntry(int entry) { data_.member(list_).choice = entry; }
    int shownEntry() const { return data_.member(list_).choice; }
    // The form list's text, empty when it shows no entry.
    std::string_view listText() const;
    FormButtonState formButton() const;
    // Readies the editor for the form the list shows; false when it shows none.
    bool prepareDialog();

private:
    void showNumber(std::size_t control);
    const NumberBoxSpec& numberOf(std::size_t control) const;

    const ControlPageTable& table_;
    PageData data_;
    FormEditor editor_;
    std::vector<int> sliders_;
    std::size_t list_;
    std::size_t button_;
};

} // namespace kbs
