#include "core/messages.h"
#include "printer/printer_select_dlg.h"
#include "variants/kbs18r/kbs18r_variant.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace kbs;

namespace {

struct Printers : PrinterListSource {
    std::vector<PrinterChoice> listed;
    std::vector<PrinterChoice> usablePrinters(const ModelVariant&) override { return listed; }
};

// Plays the user while the dialog runs: notes every message box and presses its default button,
// notes the dialog's rows (the selected one marked '*'), selects `rows` in turn and presses OK,
// and cancels once they run out.
struct User : QObject {
    QStringList rows, seen;
    User() { startTimer(10); }
    void timerEvent(QTimerEvent*) override
    {
        auto* top = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!top || top->property("handled").toBool())
            return;
        top->setProperty("handled", true);
        QTimer::singleShot(0, top, [this, top] {
            if (auto* box = qobject_cast<QMessageBox*>(top))
                return seen << box->text(), box->defaultButton()->click();
            auto* list = top->findChild<QTreeWidget*>("printerList");
            QStringList shown;
            for (int row = 0; row < list->topLevelItemCount(); ++row)
                shown << list->topLevelItem(row)->text(0) +
                             (list->topLevelItem(row)->isSelected() ? "*" : "");
            seen << shown.join(' ');
            top->setProperty("handled", false);
            if (rows.isEmpty())
                return top->findChild<QPushButton*>("cancelButton")->click();
            list->clearSelection();
            for (QTreeWidgetItem* row : list->findItems(rows.takeFirst(), Qt::MatchExactly, 0))
                list->setCurrentItem(row), row->setSelected(true);
            top->findChild<QPushButton*>("okButton")->click();
        });
    }
};

} // namespace

class TestPrinter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    // Rows in reading order whatever the case, the preset selected, or the first row; OK on no
    // row or on a printer on FILE: says why and keeps the dialog; at start-up a lone printer is
    // taken without the dialog, and none, or only printers on FILE:, end the program.
    // Each line: listed printers (those starting with 'a' print to FILE:), the rows chosen before
    // each OK ("-": none; "start-up": the first selection, where nothing is chosen), what the
    // user sees each time (the rows, the selected one marked '*', or a message), how the
    // selection ends (0 OK, 1 Cancel, 2 end of the program) and the choice.
    void selection_data()
    {
        QTest::addColumn<QStringList>("row");
        const QString table = R"(zeta archive office Basement|- zeta|list|no row|bare list|0|zeta
zeta archive office Basement|archive|list|on FILE:|archive* Basement office zeta|1|archive
zeta Basement||Basement* zeta|1|office
office|start-up|0|office
archive|start-up|only on FILE:|2|archive
|start-up|none|2|office)";
        for (const QString& line : table.split('\n'))
            QTest::newRow(qPrintable(line)) << line.split('|');
    }
    void selection()
    {
        QFETCH(QStringList, row);
        const FilePortMessages& file = kbs18r::variant().filePortMessages;
        const std::map<QString, QString> said{
            {"list", "archive Basement office* zeta"},
            {"bare list", "archive Basement office zeta"},
            {"no row", QString::fromUtf8(messages::kNoPrinterChosen)},
            {"on FILE:", QString::fromUtf8(file.chosenPrinterIsFile)},
            {"only on FILE:", QString::fromUtf8(file.onlyPrinterIsFile)},
            {"none", "使用可能なプリンタがありませんでした。プリンタドライバを確認してからやり直してください"
                     "。\n\nKnobstationを終了します。"}};
        Printers printers;
        for (const QString& name : row[0].split(' ', Qt::SkipEmptyParts))
            printers.listed.push_back(
                {name.toStdString(), name.startsWith('a') ? "FILE:" : "lpd://" + name.toStdString()});
        User user;
        user.rows = row[1].split(' ', Qt::SkipEmptyParts);
        const bool startup = user.rows.removeAll("start-up") > 0;
        const SelectionResult result =
            CPrinterSelectDlg(kbs18r::variant(), printers).runSelection({"office", "lpd://office"}, !startup);
        QStringList seen;
        for (const QString& step : row.mid(2, row.size() - 4))
            seen << (said.contains(step) ? said.at(step) : step);
        QCOMPARE(user.seen, seen);
        QCOMPARE(int(result.end), row.at(row.size() - 2).toInt());
        QCOMPARE(QString::fromStdString(result.choice.name), row.last());
    }
};

QTEST_MAIN(TestPrinter)
#include "tst_printer.moc"
