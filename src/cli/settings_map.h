#pragma once

#include "cli/form_fields.h"
#include "model/model_variant.h"
#include "model/settings_block.h"
#include "pagedata/page_data.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kbs::cli {

// One byte of the block and the bits of it that a setting decides.
struct OwnedBits {
    std::size_t offset;
    std::uint8_t mask;
};

// One control of a page with a value of its own, under a stable ASCII key.
struct Setting {
    std::string key;             // "msw1.4", "msw1.country", "centerCutSheet"
    std::size_t tab;             // index into the variant's tabs
    std::size_t control;         // index into the page data
    std::vector<OwnedBits> bits; // by offset
    // A field of a form image, which the page passes through to the form settings dialog;
    // `control` is then meaningless.
    const FormField* form = nullptr;
};

// One tab whose page the tables describe, with the page's data.
struct MappedPage {
    std::size_t tab;
    PageData data;
};

// Which bits of the block each setting decides, found by trying every value of every control
// on the factory defaults, so that pages added later need no change here. A byte of one
// control belongs to it whole; a switch byte is split bit by bit, as its bits are switches of
// their own and its other bits pass through or are cleared.
class SettingsMap {
public:
    explicit SettingsMap(const ModelVariant& variant);
    SettingsMap(const SettingsMap&) = delete; // the settings point into it
    SettingsMap& operator=(const SettingsMap&) = delete;

    const ModelVariant& variant() const { return variant_; }
    const std::vector<Setting>& settings() const { return settings_; }
    // The setting with `key`, or nullptr.
    const Setting* find(std::string_view key) const;

    // Bits of the byte that some setting decides; 0 for a byte no setting touches.
    std::uint8_t ownedMask(std::size_t offset) const { return owned_[offset]; }
    // What the pages write into the bits of a byte that no setting decides, after loading the
    // factory defaults: constant bits, or the defaults' own where a page passes them through.
    std::uint8_t canonical(std::size_t offset) const { return canonical_[offset]; }

    // Fresh page data of every mapped tab (controls showing nothing), in tab order.
    std::vector<MappedPage> freshPages() const;
    // The control behind a setting; for a form field, its number box.
    const ControlSpec& control(const Setting& setting) const;

private:
    void addFormFields(std::size_t tab);
    void ownFormDigits(Setting& setting);

    const ModelVariant& variant_;
    std::vector<Setting> settings_;
    std::vector<std::uint8_t> owned_;
    std::vector<std::uint8_t> canonical_;
    std::vector<MappedPage> pages_; // for the controls' descriptions
    std::deque<FormField> formFields_;
};

// The page data of `tab` among `pages`.
PageData& pageOf(std::vector<MappedPage>& pages, std::size_t tab);

// The control's value count for the trial of values: entries of a list, 2 for a pair or a
// check box, the range of a number box; 0 for a control without a value of its own.
int valueCount(const ControlSpec& control);
// Sets the member to the n-th trial value.
void setTrialValue(const ControlSpec& control, Member& member, int n);

// Loads every page from `block`, then stores every page into `block`.
void loadPages(std::vector<MappedPage>& pages, const SettingsBlock& block);
void storePages(std::vector<MappedPage>& pages, SettingsBlock& block);

} // namespace kbs::cli
