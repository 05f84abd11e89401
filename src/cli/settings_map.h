#pragma once

#include "cli/form_fields.h"
#include "model/model_variant.h"
#include "model/settings_block.h"
#include "pagedata/page_data.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace kbs::cli {

// One control of a page with a value of its own, under a stable ASCII key.
struct Setting {
    std::string key;             // "msw1.4", "msw1.country", "centerCutSheet", "form0.formLength"
    std::string formerKey;       // an earlier key of the same setting, still read; empty for none
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

// Which bits of the block each setting decides, as the page data bind them (a switch, the
// characters of a field from its first owned one, a form's digits), so that pages added later
// need no change here.
class SettingsMap {
public:
    explicit SettingsMap(const ModelVariant& variant);
    SettingsMap(const SettingsMap&) = delete; // the settings point into it
    SettingsMap& operator=(const SettingsMap&) = delete;

    const ModelVariant& variant() const { return variant_; }
    const std::vector<Setting>& settings() const { return settings_; }
    // The setting with `key`, or with it as its former key; nullptr for none.
    const Setting* find(std::string_view key) const;
    // The setting that decides a bit of `mask` at `offset`, or nullptr.
    const Setting* ownerOf(std::size_t offset, std::uint8_t mask) const;

    // Bits of the byte that some setting decides; 0 for a byte no setting touches.
    std::uint8_t ownedMask(std::size_t offset) const { return owned_[offset]; }

    // Fresh page data of every mapped tab (controls showing nothing), in tab order.
    std::vector<MappedPage> freshPages() const;
    // The control behind a setting; for a form field, its number box.
    const ControlSpec& control(const Setting& setting) const;

private:
    void own(Setting& setting);

    const ModelVariant& variant_;
    std::vector<Setting> settings_;
    std::vector<std::uint8_t> owned_;
    std::vector<MappedPage> pages_; // for the controls' descriptions
    std::deque<FormField> formFields_;
};

// The page data of `tab` among `pages`.
PageData& pageOf(std::vector<MappedPage>& pages, std::size_t tab);

// Loads every page from `block`, then stores every page into `block`.
void loadPages(std::vector<MappedPage>& pages, const SettingsBlock& block);
void storePages(std::vector<MappedPage>& pages, SettingsBlock& block);

// The map of a program, built once.
const SettingsMap& settingsMapOf(const ModelVariant& variant);

} // namespace kbs::cli
