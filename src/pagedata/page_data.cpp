#include "pagedata/page_data.h"

#include <utility>

namespace kbs {

std::size_t PageData::addControl(ControlSpec control)
{
    controls_.push_back(std::move(control));
    members_.emplace_back();
    return controls_.size() - 1;
}

void PageData::addBinding(std::unique_ptr<FieldBinding> binding)
{
    bindings_.push_back(std::move(binding));
}

void PageData::load(const SettingsBlock& block)
{
    for (const auto& binding : bindings_)
        binding->load(block, members_);
}

void PageData::store(SettingsBlock& block)
{
    for (const auto& binding : bindings_)
        binding->store(block, members_);
}

} // namespace kbs
