#pragma once

#include "model/settings_block.h"

#include <cstddef>

namespace kbs {

// One tab page. A page reads and writes exactly the block fields it owns.
class SettingsPage {
public:
    virtual ~SettingsPage() = default;

    // Sets the page's values from its fields; raises no data check.
    virtual void LoadBlock(const SettingsBlock& block) = 0;
    // Writes the page's values into its fields and touches no other byte.
    virtual void StoreBlock(SettingsBlock& block) = 0;

    // An entry that may still grow into its range, or that a store would refuse: the commands
    // that send or save stop on it.
    virtual bool HasPendingEntry() const { return false; }
    virtual void ShowPendingNotice() {}
    // Only the page with the form-settings button has a caption to refresh.
    virtual void RefreshFormButton() {}
};

// The pages of the window in tab order; empty until the window has created them.
class PagesPort {
public:
    virtual ~PagesPort() = default;
    virtual std::size_t pageCount() const = 0;
    virtual SettingsPage& page(std::size_t tabIndex) = 0;
};

} // namespace kbs
