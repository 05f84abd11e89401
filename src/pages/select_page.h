#pragma once

#include "pages/control_page.h"

#include <memory>

namespace kbs {

class CFormatDlg;

// The function selection page: lists and radio pairs from its table and, where the program
// edits its forms here, the form list with the button that opens the form settings dialog on
// the form it shows. The dialog's images load and store with the page.
class CPage_Select : public ControlPage {
    Q_OBJECT
public:
    CPage_Select(const PageContext& context, const ControlPageTable& table, PageData data,
                 QWidget* parent = nullptr);
    ~CPage_Select() override;

    void RefreshFormButton() override;

    // nullptr where the program's forms are edited on another page.
    CFormatDlg* formDialog() const { return dialog_; }

protected:
    void userChanged(std::size_t member) override;

private:
    void editSelectedForm();
    std::string_view selectedForm() const;

    const FormButton* formButton_;
    std::size_t list_ = 0;
    std::size_t button_ = 0;
    CFormatDlg* dialog_ = nullptr;
};

} // namespace kbs
