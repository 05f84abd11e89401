#pragma once

#include "core/settings_page.h"
#include "fakes/journal.h"
#include "model/model_variant.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace kbs::fakes {

// A page that owns the real fields of its tab in the variant's layout; its "controls" are
// the bytes of those fields, kept at their block offsets.
class FakePage : public SettingsPage {
public:
    FakePage(const ModelVariant& variant, std::size_t tabIndex, Journal& journal)
        : variant_(variant), tabIndex_(tabIndex), journal_(journal), controls_(variant.blockLength, 0)
    {
    }

    void LoadBlock(const SettingsBlock& block) override { copyOwned(block.data(), controls_.data()); }
    void StoreBlock(SettingsBlock& block) override { copyOwned(controls_.data(), block.data()); }
    bool HasPendingEntry() const override { return pendingEntry; }
    void ShowPendingNotice() override
    {
        pendingEntry = false; // the notice corrects the entry
        journal_.add("pending notice on tab " + std::to_string(tabIndex_));
    }
    void RefreshFormButton() override { journal_.add("form button on tab " + std::to_string(tabIndex_)); }

    bool owns(const FieldSpec& field) const { return field.owner == variant_.tabs[tabIndex_].page; }
    // The user changing a control.
    void edit(const FieldSpec& field, const std::string& bytes)
    {
        if (bytes.size() != field.width)
            throw std::invalid_argument("wrong width for " + std::string(field.name));
        std::copy(bytes.begin(), bytes.end(), controls_.begin() + long(field.offset));
    }
    // True when every owned field shows the bytes of `block`.
    bool shows(SettingsBlock block)
    {
        const SettingsBlock given = block;
        StoreBlock(block);
        return block == given;
    }

    bool pendingEntry = false;

private:
    void copyOwned(const std::uint8_t* from, std::uint8_t* to) const
    {
        for (const FieldSpec& field : variant_.fields)
            if (owns(field))
                std::copy_n(from + field.offset, field.width, to + field.offset);
    }

    const ModelVariant& variant_;
    std::size_t tabIndex_;
    Journal& journal_;
    std::vector<std::uint8_t> controls_;
};

// One fake page per tab of the variant, in tab order; none until `create()`.
class FakePages : public PagesPort {
public:
    FakePages(const ModelVariant& variant, Journal& journal) : variant_(variant), journal_(journal) {}

    void create()
    {
        pages_.clear();
        for (std::size_t tab = 0; tab < variant_.tabs.size(); ++tab)
            pages_.push_back(std::make_unique<FakePage>(variant_, tab, journal_));
    }
    std::size_t pageCount() const override { return pages_.size(); }
    SettingsPage& page(std::size_t tabIndex) override { return tab(tabIndex); }
    FakePage& tab(std::size_t tabIndex) { return *pages_.at(tabIndex); }

    void edit(std::string_view name, const std::string& bytes)
    {
        for (const FieldSpec& field : variant_.fields)
            for (auto& page : pages_)
                if (field.name == name && page->owns(field))
                    return page->edit(field, bytes);
        throw std::invalid_argument("no page owns " + std::string(name));
    }
    bool show(const SettingsBlock& block)
    {
        return std::all_of(pages_.begin(), pages_.end(),
                           [&](const auto& page) { return page->shows(block); });
    }

private:
    const ModelVariant& variant_;
    Journal& journal_;
    std::vector<std::unique_ptr<FakePage>> pages_;
};

} // namespace kbs::fakes
