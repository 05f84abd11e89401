#pragma once

#include "model/control_table.h"
#include "pagedata/form_page_data.h"
#include "pages/page_context.h"
#include "pages/page_widget.h"

#include <cstddef>
#include <vector>

namespace kbs {

class CFormatDlg;
class CodeListBox;
class FeedRow;
class NumberBox;
class PushButtonControl;

// The form tab: the basic form's feeds with their sliders, its length and cut-sheet correction
// edited on the page itself, the form list, and the button that opens the form settings dialog
// for the stored form the list shows. The page's form editor keeps the stored forms' images.
class CPage_Form : public PageWidget {
    Q_OBJECT
public:
    CPage_Form(const PageContext& context, const ControlPageTable& table, QWidget* parent = nullptr);

    void LoadBlock(const SettingsBlock& block) override;
    // A box the store refuses shows the framework's message and gets the focus; every field is
    // then written as it was.
    void StoreBlock(SettingsBlock& block) override;
    // A box whose text a store would refuse stops the commands that send or save.
    bool HasPendingEntry() const override;
    void ShowPendingNotice() override;
    void RefreshFormButton() override;

private:
    void build();
    NumberBox* boxOf(std::size_t control) const;
    void showNumber(std::size_t control);
    // Every control shows its member, quietly.
    void showControls();
    void boxChanged(std::size_t control);
    void sliderMoved(std::size_t control, int position);
    void formChosen();
    void openFormDialog();
    void showRefusal(const StoreRefusal& refusal);

    PageContext context_;
    FormPageData data_;
    std::vector<FeedRow*> feeds_;   // by control; nullptr for other controls
    std::vector<NumberBox*> boxes_; // by control; nullptr for controls without a box
    CodeListBox* list_ = nullptr;
    PushButtonControl* button_ = nullptr;
    CFormatDlg* dialog_ = nullptr; // built when first opened: the images live in data_
    bool refreshing_ = false;
};

} // namespace kbs
