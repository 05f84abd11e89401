#include "pagedata/page_data.h"

#include <algorithm>
#include <utility>

namespace kbs {

std::size_t PageData::addControl(ControlSpec control, MemberKind kind)
{
    controls_.push_back(std::move(control));
    Member member;
    member.kind = kind;
    members_.push_back(std::move(member));
    return controls_.size() - 1;
}

void PageData::addBinding(std::unique_ptr<FieldBinding> binding)
{
    bindings_.push_back(std::move(binding));
}

void PageData::setFormEditor(std::unique_ptr<FormEditor> editor)
{
    forms_ = std::move(editor);
}

std::size_t PageData::indexOf(std::string_view name) const
{
    return static_cast<std::size_t>(std::ranges::find(controls_, name, &ControlSpec::name) -
                                    controls_.begin());
}

std::vector<OwnedBits> PageData::owned(std::size_t control) const
{
    std::vector<OwnedBits> bits;
    for (const auto& binding : bindings_)
        for (const OwnedBits& own : binding->owned(control))
            bits.push_back(own);
    std::ranges::sort(bits, {}, &OwnedBits::offset);
    return bits;
}

void PageData::load(const SettingsBlock& block)
{
    for (const auto& binding : bindings_)
        binding->load(block, members_);
    for (Member& member : members_)
        member.pending = false;
    if (forms_)
        forms_->loadImages(block);
}

void PageData::store(SettingsBlock& block)
{
    for (const auto& binding : bindings_)
        binding->store(block, members_);
    if (forms_)
        forms_->storeImages(block);
}

} // namespace kbs
