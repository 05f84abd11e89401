#pragma once

#include "pagedata/form_editor.h"
#include "pages/page_context.h"

#include <QDialog>

#include <string_view>
#include <vector>

class QLabel;
class QPushButton;

namespace kbs {

class FeedRow;
class NumberBox;

// The form settings dialog: the boxes and sliders of one form over a form editor that holds
// the images of every form. The owning page keeps the editor, moves the images between the
// block and the editor, and before each run names the form: ParseForm, SetFormName, run().
class CFormatDlg : public QDialog {
    Q_OBJECT
public:
    CFormatDlg(const PageContext& context, FormEditor& editor, QWidget* parent = nullptr);

    FormEditor& editor() { return editor_; }

    // Reads the named form's image into the editing fields; a name of no form reads nothing.
    bool ParseForm(std::string_view formName) { return editor_.parseForm(formName); }
    // The form the dialog edits and names in its title.
    void SetFormName(std::string_view formName) { editor_.setFormName(formName); }
    // Opens the dialog on the named form through the page's dialog runner. On Accepted the
    // edited values are in the form's image; on Rejected no image changed.
    int run();

    // The widgets of the editor's box `index`, in the editor's order.
    NumberBox* box(std::size_t index) const { return rows_.at(index).box; }
    FeedRow* feedRow(std::size_t index) const { return rows_.at(index).feed; }

    // OK: closes only when the editor wrote the image; otherwise shows its one notice.
    void accept() override;

private:
    struct Row {
        NumberBox* box = nullptr;
        FeedRow* feed = nullptr;     // feed rows
        std::vector<QWidget*> parts; // label, box and unit: enabled together
    };

    void buildRows();
    void prepareOpening();
    void fill();
    void showText(std::size_t index, const std::string& text);
    void boxChanged(std::size_t index);
    void sliderMoved(std::size_t index, int position);
    void showNotice(const FormNotice& notice);

    PageContext context_;
    FormEditor& editor_;
    std::vector<Row> rows_;
    bool filling_ = false;
};

} // namespace kbs
