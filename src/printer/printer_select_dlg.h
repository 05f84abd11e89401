#pragma once

#include "core/printer_selector_port.h"
#include "cups/printer_list.h"
#include "model/model_variant.h"

#include <QDialog>

#include <string_view>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kbs {

// The choice of the printer to send to, among the usable printers of the variant's models.
// The list is built anew from the spooler every time the selection runs.
class CPrinterSelectDlg : public QDialog, public PrinterSelectorPort {
    Q_OBJECT

public:
    CPrinterSelectDlg(const ModelVariant& variant, PrinterListSource& printers, QWidget* parent = nullptr);

    SelectionResult runSelection(const PrinterChoice& preset, bool startupComplete) override;

    // The OK button, Enter and a double click on a row.
    void accept() override;

private:
    enum class OkOutcome { StayOpen, Accepted, EndProgram };

    void buildControls();
    void fillList();
    void startAfresh();
    void preselect(const std::string& name);
    bool everyRowIsFile() const;
    OkOutcome runOkLogic();
    void tell(std::string_view text, bool information);
    SelectionResult result(SelectionEnd end) const;

    const ModelVariant& variant_;
    PrinterListSource& printers_;
    QTreeWidget* list_ = nullptr;
    QPushButton* okButton_ = nullptr;
    PrinterChoice choice_;
    bool endProgram_ = false;
};

} // namespace kbs
