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

// The window's pages, none until `create()`. Their controls are one screen copy of the block,
// of which each page reads and writes only the fields of its tab.
class FakePages : public PagesPort {
public:
    FakePages(const ModelVariant& variant, Journal& journal)
        : variant_(variant), journal_(journal), controls_(variant.blockLength, 0)
    {
    }

    class Page : public SettingsPage {
    public:
        Page(FakePages& pages, std::size_t tab) : pages_(pages), tab_(tab) {}
        void LoadBlock(const SettingsBlock& block) override
        {
            copyOwned(block.data(), pages_.controls_.data());
        }
        void StoreBlock(SettingsBlock& block) override { copyOwned(pages_.controls_.data(), block.data()); }
        bool HasPendingEntry() const override { return pendingEntry; }
        void ShowPendingNotice() override
        {
            pendingEntry = false; // the notice corrects the entry
            pages_.journal_.add("pending notice on tab " + std::to_string(tab_));
        }
        void RefreshFormButton() override
        {
            pages_.journal_.add("form button on tab " + std::to_string(tab_));
        }

        bool pendingEntry = false;

    private:
        void copyOwned(const std::uint8_t* from, std::uint8_t* to) const
        {
            for (const FieldSpec& field : pages_.variant_.fields)
                if (field.owner == pages_.variant_.tabs[tab_].page)
                    std::copy_n(from + field.offset, field.width, to + field.offset);
        }
        FakePages& pages_;
        std::size_t tab_;
    };

    void create()
    {
        for (std::size_t tab = 0; tab < variant_.tabs.size(); ++tab)
            pages_.push_back(std::make_unique<Page>(*this, tab));
    }
    std::size_t pageCount() const override { return pages_.size(); }
    Page& page(std::size_t tabIndex) override { return *pages_.at(tabIndex); }

    // The user changing a control.
    void edit(std::string_view name, const std::string& bytes)
    {
        const auto field = std::find_if(variant_.fields.begin(), variant_.fields.end(),
                                        [&](const FieldSpec& f) { return f.name == name; });
        if (field == variant_.fields.end() || field->owner == PageId::None || bytes.size() != field->width)
            throw std::invalid_argument("no control for " + std::string(name));
        std::copy(bytes.begin(), bytes.end(), controls_.begin() + long(field->offset));
    }
    // True when the pages show the bytes of `block`.
    bool show(const SettingsBlock& block)
    {
        SettingsBlock shown = block;
        for (auto& page : pages_)
            page->StoreBlock(shown);
        return shown == block;
    }

private:
    const ModelVariant& variant_;
    Journal& journal_;
    std::vector<std::uint8_t> controls_;
    std::vector<std::unique_ptr<Page>> pages_;
};

} // namespace kbs::fakes
