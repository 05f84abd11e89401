#include "cli/settings_map.h"

#include "pagedata/page_data_for.h"

#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>

namespace kbs::cli {

namespace {

// "msw1_4" -> "msw1.4"; names are the controls' object names.
std::string keyOf(std::string_view name)
{
    std::string key(name);
    std::ranges::replace(key, '_', '.');
    if (key.empty() ||
        !std::ranges::all_of(key, [](unsigned char c) { return c > 0x20 && c < 0x7F && c != '='; }))
        throw std::logic_error("a name that cannot serve as a key: " + key);
    return key;
}

} // namespace

void loadPages(std::vector<MappedPage>& pages, const SettingsBlock& block)
{
    for (MappedPage& page : pages)
        page.data.load(block);
}

void storePages(std::vector<MappedPage>& pages, SettingsBlock& block)
{
    for (MappedPage& page : pages)
        page.data.store(block);
}

std::vector<MappedPage> SettingsMap::freshPages() const
{
    std::vector<MappedPage> pages;
    for (std::size_t tab = 0; tab < variant_.tabs.size(); ++tab)
        if (auto data = pageDataFor(variant_, variant_.tabs[tab].page))
            pages.push_back({tab, std::move(*data)});
    return pages;
}

SettingsMap::SettingsMap(const ModelVariant& variant)
    : variant_(variant), owned_(variant.blockLength, 0), pages_(freshPages())
{
    for (MappedPage& page : pages_) {
        const PageData& data = page.data;
        for (std::size_t c = 0; c < data.controls().size(); ++c) {
            const ControlSpec& control = data.controls()[c];
            std::vector<OwnedBits> bits = data.owned(c);
            if (bits.empty())
                continue;
            // A control on a field of its own goes by the field's name: one scheme for all
            // forms, whether a form is a field or digits of an image.
            const std::string key = keyOf(control.field.empty() ? control.name : control.field);
            const std::string name = keyOf(control.name);
            settings_.push_back({key, name != key ? name : "", page.tab, c, std::move(bits)});
        }
        if (page.data.formEditor() != nullptr) {
            if (!formFields_.empty())
                throw std::logic_error("two pages with the form settings dialog");
            formFields_ = formFieldsOf(variant_);
            for (const FormField& field : formFields_) {
                settings_.push_back({field.key,
                                     {},
                                     page.tab,
                                     0,
                                     wholeBytes(field.offset(), field.imageField->width),
                                     &field});
            }
        }
    }
    for (Setting& setting : settings_)
        own(setting);

    std::vector<std::string> keys;
    for (const Setting& setting : settings_)
        for (const std::string& key : {setting.key, setting.formerKey})
            if (!key.empty())
                keys.push_back(key);
    std::ranges::sort(keys);
    if (std::ranges::adjacent_find(keys) != keys.end())
        throw std::logic_error("two settings with the same key");
}

void SettingsMap::own(Setting& setting)
{
    for (const OwnedBits& bits : setting.bits) {
        if (bits.offset >= owned_.size() || (owned_[bits.offset] & bits.mask) != 0)
            throw std::logic_error("a bit of two settings, or outside the block: " + setting.key);
        owned_[bits.offset] |= bits.mask;
    }
}

const ControlSpec& SettingsMap::control(const Setting& setting) const
{
    if (setting.form != nullptr)
        return setting.form->control;
    for (const MappedPage& page : pages_)
        if (page.tab == setting.tab)
            return page.data.controls()[setting.control];
    throw std::logic_error("a setting of a tab without a page");
}

PageData& pageOf(std::vector<MappedPage>& pages, std::size_t tab)
{
    for (MappedPage& page : pages)
        if (page.tab == tab)
            return page.data;
    throw std::logic_error("a setting of a tab without a page");
}

const Setting* SettingsMap::find(std::string_view key) const
{
    const auto found = std::ranges::find_if(
        settings_, [&](const Setting& setting) { return setting.key == key || setting.formerKey == key; });
    return found != settings_.end() ? &*found : nullptr;
}

const Setting* SettingsMap::ownerOf(std::size_t offset, std::uint8_t mask) const
{
    for (const Setting& setting : settings_)
        for (const OwnedBits& bits : setting.bits)
            if (bits.offset == offset && (bits.mask & mask) != 0)
                return &setting;
    return nullptr;
}

const SettingsMap& settingsMapOf(const ModelVariant& variant)
{
    static std::map<const ModelVariant*, std::unique_ptr<SettingsMap>> maps;
    auto& map = maps[&variant];
    if (!map)
        map = std::make_unique<SettingsMap>(variant);
    return *map;
}

} // namespace kbs::cli
