#include "cli/settings_map.h"

#include "cli/setting_values.h"
#include "pagedata/page_data_for.h"

#include <algorithm>
#include <stdexcept>

namespace kbs::cli {

namespace {

// "msw1_4" -> "msw1.4"; names are the controls' object names.
std::string keyOf(const ControlSpec& control)
{
    std::string key = control.name;
    std::ranges::replace(key, '_', '.');
    if (key.empty() ||
        !std::ranges::all_of(key, [](unsigned char c) { return c > 0x20 && c < 0x7F && c != '='; }))
        throw std::logic_error("a control name that cannot serve as a key: " + control.name);
    return key;
}

SettingsBlock stored(std::vector<MappedPage>& pages, std::size_t page, const SettingsBlock& onto)
{
    SettingsBlock block = onto;
    pages[page].data.store(block);
    return block;
}

} // namespace

int valueCount(const ControlSpec& control)
{
    switch (control.kind) {
    case ControlKind::RadioPair:
    case ControlKind::CheckBox:
        return 2;
    case ControlKind::CodeList:
        return control.list ? static_cast<int>(control.list->entries.size()) : 0;
    case ControlKind::NumberBox:
    case ControlKind::FeedRow:
        return control.number ? control.number->max - control.number->min + 1 : 0;
    case ControlKind::PushButton:
        break;
    }
    return 0;
}

void setTrialValue(const ControlSpec& control, Member& member, int n)
{
    if (holdsNumber(control))
        member.number = control.number->min + n;
    else
        member.choice = n;
}

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
    : variant_(variant), owned_(variant.blockLength, 0), canonical_(variant.blockLength, 0)
{
    const SettingsBlock defaults(variant.factoryDefaults);
    std::vector<MappedPage> pages = freshPages();
    loadPages(pages, defaults);

    // The bits each control changes over all its values, from the defaults' stored form.
    std::vector<std::vector<std::uint8_t>> changed;
    std::vector<bool> switchByte(variant.blockLength, false);
    for (const FieldSpec& field : variant.fields)
        if (field.encoding == Encoding::SwitchPair)
            for (std::size_t b = field.offset; b < field.offset + field.width && b < switchByte.size(); ++b)
                switchByte[b] = true;
    std::vector<int> controlsOnByte(variant.blockLength, 0);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        PageData& data = pages[p].data;
        const SettingsBlock base = stored(pages, p, defaults);
        for (std::size_t c = 0; c < data.controls().size(); ++c) {
            const ControlSpec& control = data.controls()[c];
            const int count = valueCount(control);
            if (count == 0)
                continue;
            const Member saved = data.member(c);
            std::vector<std::uint8_t> mask(variant.blockLength, 0);
            for (int n = 0; n < count; ++n) {
                setTrialValue(control, data.member(c), n);
                const SettingsBlock trial = stored(pages, p, defaults);
                for (std::size_t b = 0; b < mask.size(); ++b)
                    mask[b] |= trial[b] ^ base[b];
            }
            data.member(c) = saved;
            if (std::ranges::all_of(mask, [](std::uint8_t m) { return m == 0; }))
                continue;
            for (std::size_t b = 0; b < mask.size(); ++b)
                controlsOnByte[b] += mask[b] != 0;
            settings_.push_back({keyOf(control), pages[p].tab, c, {}});
            changed.push_back(std::move(mask));
        }
        if (data.formEditor() != nullptr) {
            addFormFields(pages[p].tab);
            changed.resize(settings_.size()); // the form fields' digits are owned below
        }
    }

    for (std::size_t s = 0; s < settings_.size(); ++s) {
        if (settings_[s].form != nullptr)
            continue;
        for (std::size_t b = 0; b < variant.blockLength; ++b) {
            if (changed[s][b] == 0)
                continue;
            const std::uint8_t mask = controlsOnByte[b] == 1 && !switchByte[b] ? 0xFF : changed[s][b];
            settings_[s].bits.push_back({b, mask});
            owned_[b] |= mask;
        }
    }
    for (Setting& setting : settings_)
        if (setting.form != nullptr)
            ownFormDigits(setting);
    SettingsBlock canonical = defaults;
    storePages(pages, canonical);
    canonical_.assign(canonical.bytes().begin(), canonical.bytes().end());

    pages_ = freshPages();
    std::vector<std::string> keys;
    for (const Setting& setting : settings_)
        keys.push_back(setting.key);
    std::ranges::sort(keys);
    if (std::ranges::adjacent_find(keys) != keys.end())
        throw std::logic_error("two controls with the same key");
}

void SettingsMap::addFormFields(std::size_t tab)
{
    if (!formFields_.empty())
        throw std::logic_error("two pages with the form settings dialog");
    formFields_ = formFieldsOf(variant_);
    for (const FormField& field : formFields_)
        settings_.push_back({field.key, tab, 0, {}, &field});
}

void SettingsMap::ownFormDigits(Setting& setting)
{
    // The page passes the images through whole, so no control of it may write these digits.
    for (std::size_t i = 0; i < setting.form->imageField->width; ++i) {
        const std::size_t offset = setting.form->offset() + i;
        if (owned_.at(offset) != 0)
            throw std::logic_error("a form field on a byte a control writes: " + setting.key);
        owned_[offset] = 0xFF;
        setting.bits.push_back({offset, 0xFF});
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
    const auto found = std::ranges::find(settings_, key, &Setting::key);
    return found != settings_.end() ? &*found : nullptr;
}

} // namespace kbs::cli
