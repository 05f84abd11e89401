#pragma once

#include "pages/page_widget.h"

namespace kbs {

// The page of a tab whose settings are not editable in this build yet: it owns no field,
// so every byte it would own passes through unchanged.
class EmptyPage : public PageWidget {
    Q_OBJECT
public:
    using PageWidget::PageWidget;

    void LoadBlock(const SettingsBlock&) override {}
    void StoreBlock(SettingsBlock&) override {}
};

} // namespace kbs
