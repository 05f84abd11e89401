#include "printer/printer_select_dlg.h"

#include "core/messages.h"
#include "widgets/dialog_units.h"
#include "widgets/message_box.h"
#include "widgets/qt_text.h"

#include <QCollator>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>

#include <algorithm>

namespace kbs {

namespace {

constexpr std::string_view kNoUsablePrinter = "使用可能なプリンタがありませんでした。"
                                              "プリンタドライバを確認してからやり直してください。\n\n"
                                              "Knobstationを終了します。";
constexpr std::string_view kFilePort = "FILE:";

enum Column { NameColumn, ConnectionColumn };
constexpr int kColumnWidths[] = {200, 90}; // designed, in pixels; shown in this proportion

// The texts as the spooler gave them, so that the choice keeps them byte for byte.
constexpr int kSpoolerTextRole = Qt::UserRole;

std::string spoolerText(const QTreeWidgetItem* row, Column column)
{
    return row->data(column, kSpoolerTextRole).toByteArray().toStdString();
}

// Names in the order a person reads them ("alpha", "Beta"), not by character code. Without
// a locale of its own the user gets the order of the program's language.
std::vector<PrinterChoice> sortedByName(std::vector<PrinterChoice> printers)
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::Japanese, QLocale::Japan);
    const QCollator collator(locale);
    std::stable_sort(printers.begin(), printers.end(), [&](const PrinterChoice& a, const PrinterChoice& b) {
        const int order = collator.compare(toQString(a.name), toQString(b.name));
        return order != 0 ? order < 0 : a.name < b.name;
    });
    return printers;
}

QTreeWidgetItem* newRow(const PrinterChoice& printer)
{
    auto* row = new QTreeWidgetItem;
    row->setText(NameColumn, toQString(printer.name));
    row->setText(ConnectionColumn, toQString(printer.connection));
    // A connection is often wider than its column; the tip shows it whole (the spooler's
    // text carries no password).
    row->setToolTip(ConnectionColumn, toQString(printer.connection));
    row->setData(NameColumn, kSpoolerTextRole, QByteArray::fromStdString(printer.name));
    row->setData(ConnectionColumn, kSpoolerTextRole, QByteArray::fromStdString(printer.connection));
    return row;
}

} // namespace

CPrinterSelectDlg::CPrinterSelectDlg(const ModelVariant& variant, PrinterListSource& printers,
                                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      variant_(variant), printers_(printers)
{
    setObjectName(QStringLiteral("CPrinterSelectDlg"));
    setWindowTitle(QStringLiteral("プリンタの選択"));
    setFont(dialogFont());
    buildControls();
}

// Dialog 152, laid out in dialog units of the dialog font.
void CPrinterSelectDlg::buildControls()
{
    const DialogUnits du(font());
    setFixedSize(du.size(187, 127));

    auto* label = new QLabel(QStringLiteral("プリンタを選択してください。"), this);
    label->setGeometry(du.rect(5, 5, 87, 8));

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("printerList"));
    list_->setGeometry(du.rect(7, 19, 173, 81));
    list_->setColumnCount(2);
    list_->setHeaderLabels({QStringLiteral("プリンタ名"), QStringLiteral("接続先")});
    // The connection column takes the room the name column leaves: dragging the border
    // between them to the left shows more of a long connection.
    list_->header()->setStretchLastSection(true);
    list_->header()->setSectionResizeMode(QHeaderView::Interactive);
    list_->header()->setMinimumSectionSize(du.x(10));
    list_->header()->setSectionsMovable(false);
    list_->header()->setSectionsClickable(false);
    list_->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setAllColumnsShowFocus(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* row) {
        if (row && row->isSelected())
            accept();
    });

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setGeometry(du.rect(30, 106, 50, 14));
    connect(okButton_, &QPushButton::clicked, this, &CPrinterSelectDlg::accept);

    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setGeometry(du.rect(110, 106, 50, 14));
    connect(cancel, &QPushButton::clicked, this, &CPrinterSelectDlg::reject);
}

SelectionResult CPrinterSelectDlg::runSelection(const PrinterChoice& preset, bool startupComplete)
{
    choice_ = preset;
    endProgram_ = false;
    fillList();

    if (list_->topLevelItemCount() == 0) {
        tell(kNoUsablePrinter, false);
        return result(SelectionEnd::EndProgram);
    }
    preselect(preset.name);

    // At start-up a single usable printer is taken without asking.
    if (!startupComplete && list_->topLevelItemCount() == 1) {
        switch (runOkLogic()) {
        case OkOutcome::Accepted:
            return result(SelectionEnd::Ok);
        case OkOutcome::EndProgram:
            return result(SelectionEnd::EndProgram);
        case OkOutcome::StayOpen:
            break;
        }
    }
    if (everyRowIsFile()) {
        tell(variant_.filePortMessages.everyPrinterIsFile, false);
        return result(SelectionEnd::EndProgram);
    }

    startAfresh();
    const int code = exec();
    if (endProgram_)
        return result(SelectionEnd::EndProgram);
    return result(code == QDialog::Accepted ? SelectionEnd::Ok : SelectionEnd::Cancel);
}

void CPrinterSelectDlg::fillList()
{
    list_->clear();
    for (const PrinterChoice& printer : sortedByName(printers_.usablePrinters(variant_)))
        list_->addTopLevelItem(newRow(printer));
}

// Nothing of the last showing carries over: not the focus, not a button that became the
// default by having it, not a column the user dragged wider, not the place.
void CPrinterSelectDlg::startAfresh()
{
    // The columns share the list's width as the designed widths do. The header stretches its
    // last section only when the list is resized, so the connection column is sized here too.
    const int room = list_->contentsRect().width();
    const int name =
        room * kColumnWidths[NameColumn] / (kColumnWidths[NameColumn] + kColumnWidths[ConnectionColumn]);
    list_->header()->resizeSection(NameColumn, name);
    list_->header()->resizeSection(ConnectionColumn, room - name);
    list_->scrollToItem(list_->currentItem());
    list_->setFocus();
    okButton_->setDefault(true);

    // Qt centres a dialog over its owner, which at start-up is not on the screen yet.
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (owner && owner->isVisible()) {
        setAttribute(Qt::WA_Moved, false);
        return;
    }
    const QScreen* screen = owner ? owner->screen() : this->screen();
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void CPrinterSelectDlg::preselect(const std::string& name)
{
    QTreeWidgetItem* row = list_->topLevelItem(0);
    if (!name.empty()) {
        for (int i = 0; i < list_->topLevelItemCount(); ++i) {
            if (spoolerText(list_->topLevelItem(i), NameColumn) == name) {
                row = list_->topLevelItem(i);
                break;
            }
        }
    }
    list_->setCurrentItem(row);
    row->setSelected(true);
}

bool CPrinterSelectDlg::everyRowIsFile() const
{
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        if (spoolerText(list_->topLevelItem(i), ConnectionColumn) != kFilePort)
            return false;
    }
    return true;
}

void CPrinterSelectDlg::accept()
{
    switch (runOkLogic()) {
    case OkOutcome::Accepted:
        QDialog::accept();
        return;
    case OkOutcome::EndProgram:
        endProgram_ = true;
        QDialog::reject();
        return;
    case OkOutcome::StayOpen:
        return;
    }
}

CPrinterSelectDlg::OkOutcome CPrinterSelectDlg::runOkLogic()
{
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
        tell(messages::kNoPrinterChosen, false);
        return OkOutcome::StayOpen;
    }
    choice_ = {spoolerText(selected.front(), NameColumn), spoolerText(selected.front(), ConnectionColumn)};
    if (choice_.connection != kFilePort)
        return OkOutcome::Accepted;
    if (list_->topLevelItemCount() == 1) {
        tell(variant_.filePortMessages.onlyPrinterIsFile, false);
        return OkOutcome::EndProgram;
    }
    tell(variant_.filePortMessages.chosenPrinterIsFile, true);
    return OkOutcome::StayOpen;
}

void CPrinterSelectDlg::tell(std::string_view text, bool information)
{
    // Before the dialog is shown (start-up), the box belongs to the dialog's owner.
    QWidget* owner = isVisible() ? this : parentWidget();
    showMessageBox(owner, text, messages::kCaption, ButtonSet::Ok,
                   information ? MessageIcon::Information : MessageIcon::Exclamation);
}

SelectionResult CPrinterSelectDlg::result(SelectionEnd end) const
{
    return {end, choice_, static_cast<unsigned>(list_->topLevelItemCount())};
}

} // namespace kbs
