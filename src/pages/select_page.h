#pragma once

#include "pages/control_page.h"

#include <memory>

namespace kbs {

class CFormatDlg;
class FormEditor;

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

protected:
    void userChanged(std::size_t member) override;

private:
    void editSelectedForm();
    CFormatDlg& formDialog();
    std::string_view selectedForm() const;

    const FormButton* formButton_;
    std::size_t list_ = 0;
    std::size_t button_ = 0;
    FormEditor* editor_ = nullptr; // set where this page edits the forms
    CFormatDlg* dialog_ = nullptr; // built when first opened: the images live in the editor
};

} // namespace kbs
