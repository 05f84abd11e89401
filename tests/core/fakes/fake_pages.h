#pragma once

#include "core/settings_page.h"
#include "fakes/journal.h"
#include "model/model_variant.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kbs::fakes {

// A page that owns the real fields of its tab in the variant's layout and keeps their
// bytes as its "controls".
class FakePage : public SettingsPage {
public:
    FakePage(PageId id, std::vector<const FieldSpec*> fields, Journal& journal);

    void LoadBlock(const SettingsBlock& block) override;
    void StoreBlock(SettingsBlock& block) override;
    bool HasPendingEntry() const override { return pendingEntry; }
    void ShowPendingNotice() override;
    void RefreshFormButton() override;

    bool owns(std::string_view field) const;
    // The user changing a control: `bytes` must have the field's width.
    void edit(std::string_view field, std::string bytes);
    std::string value(std::string_view field) const;
    // A page that does not store a loaded value back byte for byte, but substitutes this.
    void storeAlways(std::string_view field, std::string bytes);
    // True when every owned field shows the bytes of `block`.
    bool shows(const SettingsBlock& block) const;

    const PageId id;
    bool pendingEntry = false;
    int loads = 0;
    int notices = 0;
    int formButtonRefreshes = 0;

private:
    const FieldSpec& field(std::string_view name) const;

    std::vector<const FieldSpec*> fields_;
    std::map<std::string, std::string, std::less<>> values_;
    std::map<std::string, std::string, std::less<>> substitutes_;
    Journal& journal_;
};

// One fake page per tab of the variant, in tab order; none until `create()` when asked.
class FakePages : public PagesPort {
public:
    FakePages(const ModelVariant& variant, Journal& journal, bool created = true);

    void create();
    std::size_t pageCount() const override { return pages_.size(); }
    SettingsPage& page(std::size_t tabIndex) override { return *pages_.at(tabIndex); }

    FakePage& tab(std::size_t tabIndex) { return *pages_.at(tabIndex); }
    FakePage& pageOf(PageId id);
    FakePage& pageOwning(std::string_view field);
    void edit(std::string_view field, std::string bytes) { pageOwning(field).edit(field, std::move(bytes)); }
    bool show(const SettingsBlock& block) const;
    int totalLoads() const;

private:
    const ModelVariant& variant_;
    Journal& journal_;
    std::vector<std::unique_ptr<FakePage>> pages_;
};

} // namespace kbs::fakes
