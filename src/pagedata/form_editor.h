#pragma once

#include "model/form_dialog_table.h"
#include "model/model_variant.h"
#include "model/settings_block.h"
#include "pagedata/form_box_rules.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kbs {

// What OK shows instead of closing: one notice per press.
struct FormOkNotice {
    FormNotice notice;
    std::size_t box; // the box that got a new value or failed its range
    bool focus;      // give that box the keyboard focus
};

// The form settings dialog without its widgets: the images of every form of the variant, the
// editing fields of the form being edited and the rules between them. The dialog shows
// text(), sliderPosition() and boxEnabled() and reports its users' changes.
class FormEditor {
public:
    // Throws std::invalid_argument when the variant's table does not fit its block layout.
    explicit FormEditor(const ModelVariant& variant);

    const FormDialogTable& table() const { return table_; }

    // Image transfer for the owning page, byte for byte.
    void loadImages(const SettingsBlock& block);
    void storeImages(SettingsBlock& block) const;
    // The image of a form by name; empty when the variant has no such form.
    std::string_view image(std::string_view formName) const;

    // Decodes a form's image into the editing fields with their slider positions. A name of no
    // form reads nothing and gives false.
    bool parseForm(std::string_view formName);
    void setFormName(std::string_view formName) { formName_ = formName; }
    const std::string& formName() const { return formName_; }
    // Every opening starts without a pending right margin.
    void open() { rightMarginPending_ = false; }

    std::string title() const { return formDialogTitle(table_, formName_); }
    // A box whose field the named form's image lacks (the margins of form 0) is disabled.
    bool boxEnabled(std::size_t box) const;
    const std::string& text(std::size_t box) const { return boxes_.at(box).text; }
    int sliderPosition(std::size_t box) const { return boxes_.at(box).sliderPosition; }
    bool rightMarginPending() const { return rightMarginPending_; }

    // A box's text changed. The result says what the box shows afterwards; a text equal to the
    // one the editor holds (the dialog writing back a correction) changes nothing.
    BoxCorrection boxChanged(std::size_t box, std::string_view text, bool hasFocus, bool userChange = true);
    // A slider moved; with the focus its stop value becomes the box's text, which is returned.
    std::optional<std::string> sliderMoved(std::size_t box, int position, bool hasFocus);

    // OK: checks in order and either returns the one notice to show (the dialog stays open) or
    // writes the fields into the named form's image and returns nothing (the dialog closes).
    std::optional<FormOkNotice> ok();

private:
    struct Box {
        std::string text;
        int sliderPosition = 0;
    };
    struct Image {
        const FieldSpec* blockField;
        std::string bytes;
    };

    const FormBoxRow& rowAt(std::size_t box) const;
    std::optional<std::size_t> formIndex(std::string_view formName) const;
    const FormImageLayout* namedLayout() const;
    std::optional<std::size_t> boxOfKind(FormBoxKind kind) const;
    std::optional<std::int64_t> valueOf(std::size_t box) const;
    int valueOrZero(std::size_t box) const;
    MarginValues margins() const;
    void setValue(std::size_t box, int value);
    std::optional<FormOkNotice> checkMargins();
    std::optional<FormOkNotice> checkLowFeeds();
    std::optional<FormOkNotice> checkRanges() const;
    void writeImage();

    const FormDialogTable& table_;
    std::vector<Image> images_;
    std::vector<Box> boxes_;
    std::string formName_;
    bool rightMarginPending_ = false;
};

} // namespace kbs
