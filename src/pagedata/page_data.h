#pragma once

#include "model/settings_block.h"
#include "pagedata/field_binding.h"
#include "pagedata/form_editor.h"
#include "pagedata/page_control.h"

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

namespace kbs {

// What a page holds without its widgets: its controls, one member per control and the
// bindings that move the members to and from the page's block fields.
class PageData {
public:
    std::size_t addControl(ControlSpec control, MemberKind kind = MemberKind::Choice);
    void addBinding(std::unique_ptr<FieldBinding> binding);
    // The form settings dialog's editor, whose images the page loads and stores byte for byte.
    void setFormEditor(std::unique_ptr<FormEditor> editor);
    FormEditor* formEditor() { return forms_.get(); }

    std::span<const ControlSpec> controls() const { return controls_; }
    Member& member(std::size_t control) { return members_.at(control); }
    const Member& member(std::size_t control) const { return members_.at(control); }
    // The bytes and bits of the block the control's value decides, by offset: what its binding
    // writes from the value, and no byte it writes the same whatever the value.
    std::vector<OwnedBits> owned(std::size_t control) const;
    // The index of the control named `name`, or controls().size() when there is none.
    std::size_t indexOf(std::string_view name) const;

    // Sets the members (and the form images) from the block and clears every pending flag.
    void load(const SettingsBlock& block);
    void store(SettingsBlock& block);

private:
    std::vector<ControlSpec> controls_;
    std::vector<Member> members_;
    std::vector<std::unique_ptr<FieldBinding>> bindings_;
    std::unique_ptr<FormEditor> forms_;
};

} // namespace kbs
