#pragma once

#include "pagedata/page_data.h"
#include "pages/page_widget.h"

#include <vector>

namespace kbs {

class ControlWidget;

// A page built from its page data: one widget per shown control. Hidden controls keep
// their members, so their fields still go through load and store.
class TablePage : public PageWidget {
    Q_OBJECT
public:
    explicit TablePage(PageData data, QWidget* parent = nullptr);

    void LoadBlock(const SettingsBlock& block) override;
    void StoreBlock(SettingsBlock& block) override;

private:
    struct Shown {
        std::size_t member;
        ControlWidget* control;
    };

    PageData data_;
    std::vector<Shown> shown_;
};

} // namespace kbs
