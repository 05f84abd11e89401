#include "pages/select_page.h"

#include "pagedata/control_page.h"
#include "pages/control_widget.h"
#include "pages/format_dlg.h"
#include "widgets/qt_text.h"

#include <utility>

namespace kbs {

CPage_Select::CPage_Select(const PageContext& context, const ControlPageTable& table, PageData data,
                           QWidget* parent)
    : ControlPage(context, table, std::move(data), parent), formButton_(table.formButton)
{
    FormEditor* editor = pageData().formEditor();
    if (formButton_ == nullptr || editor == nullptr)
        return;
    list_ = pageData().indexOf(formButton_->list);
    button_ = pageData().indexOf(formButton_->button);
    editor_ = editor;
    connect(this, &ControlPage::buttonPressed, this, [this](const QString& name) {
        if (name == toQString(formButton_->button))
            editSelectedForm();
    });
}

CPage_Select::~CPage_Select() = default;

CFormatDlg& CPage_Select::formDialog()
{
    if (dialog_ == nullptr)
        dialog_ = new CFormatDlg(context(), *editor_, this);
    return *dialog_;
}

void CPage_Select::RefreshFormButton()
{
    if (editor_ == nullptr)
        return;
    const std::string_view form = selectedForm();
    // No form shown: the button keeps its caption.
    if (form.empty())
        return;
    Member& button = pageData().member(button_);
    button.text = formButtonCaption(*formButton_, form);
    if (ControlWidget* widget = controlWidget(button_))
        widget->showMember(button);
}

// The form list raised its data check; the button follows the form it now shows.
void CPage_Select::userChanged(std::size_t member)
{
    if (editor_ == nullptr || member != list_)
        return;
    if (ControlWidget* widget = controlWidget(list_))
        widget->readMember(pageData().member(list_));
    RefreshFormButton();
}

std::string_view CPage_Select::selectedForm() const
{
    const Member& shown = data().member(list_);
    const CodeList& list = *data().controls()[list_].list;
    if (shown.choice < 0 || static_cast<std::size_t>(shown.choice) >= list.entries.size())
        return {};
    return list.entries[static_cast<std::size_t>(shown.choice)].text;
}

// The dialog reads the image of the form the list shows (a text that names no form reads
// nothing) and runs; its OK brings the edited image into the block through the data check.
void CPage_Select::editSelectedForm()
{
    const std::string_view form = selectedForm();
    CFormatDlg& dialog = formDialog();
    dialog.ParseForm(form);
    dialog.SetFormName(form);
    if (dialog.run() == QDialog::Accepted)
        emit dataCheckRequested();
}

} // namespace kbs
