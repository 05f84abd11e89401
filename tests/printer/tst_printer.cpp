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

const PrinterChoice kOffice{"office", "socket://192.0.2.7:9100"}, kArchive{"archive", "FILE:"},
    kZeta{"zeta", "usb://ZAV/Ferrostrike"};

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

Q_DECLARE_METATYPE(std::vector<PrinterChoice>)

class TestPrinter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    // Rows in reading order whatever the case, the preset selected, or the first row; OK on no
    // row or on a printer on FILE: says why and keeps the dialog; at start-up a lone printer is
    // taken without the dialog, and none, or only printers on FILE:, end the program.
    void selection_data()
    {
        QTest::addColumn<std::vector<PrinterChoice>>("listed");
        QTest::addColumn<bool>("startup");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("seen");
        QTest::addColumn<int>("end");
        QTest::addColumn<QString>("choice");
        const std::vector<PrinterChoice> three{kZeta, kArchive, kOffice, {"Basement", "lpd://h/q"}};
        const QString list = "archive Basement office* zeta";
        const QString noRow = QString::fromUtf8(messages::kNoPrinterChosen);
        const FilePortMessages& file = kbs18r::variant().filePortMessages;
        QTest::newRow("cancelled") << three << false << QStringList() << QStringList{list} << 1 << "office";
        QTest::newRow("preset gone") << std::vector{kZeta, kArchive} << false << QStringList()
                                     << QStringList{"archive* zeta"} << 1 << "office";
        QTest::newRow("no row, then zeta")
            << three << false << QStringList{"", "zeta"}
            << QStringList{list, noRow, "archive Basement office zeta"} << 0 << "zeta";
        QTest::newRow("a printer on FILE:, then cancelled")
            << three << false << QStringList{"archive"}
            << QStringList{list, QString::fromUtf8(file.chosenPrinterIsFile), "archive* Basement office zeta"}
            << 1 << "archive";
        QTest::newRow("start-up, lone printer")
            << std::vector{kOffice} << true << QStringList() << QStringList() << 0 << "office";
        QTest::newRow("start-up, only on FILE:")
            << std::vector{kArchive} << true << QStringList()
            << QStringList{QString::fromUtf8(file.onlyPrinterIsFile)} << 2 << "";
        QTest::newRow("start-up, every printer on FILE:")
            << std::vector{kArchive, kArchive} << true << QStringList()
            << QStringList{QString::fromUtf8(file.everyPrinterIsFile)} << 2 << "";
        QTest::newRow("start-up, none")
            << std::vector<PrinterChoice>() << true << QStringList()
            << QStringList{"使用可能なプリンタがありませんでした。プリンタドライバを確認してからやり直してく"
                           "ださい。\n\nKnobstationを終了します。"}
            << 2 << "";
    }
    void selection()
    {
        QFETCH(std::vector<PrinterChoice>, listed);
        QFETCH(bool, startup);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, seen);
        QFETCH(int, end);
        QFETCH(QString, choice);
        Printers printers;
        printers.listed = listed;
        User user;
        user.rows = rows;
        const SelectionResult result = CPrinterSelectDlg(kbs18r::variant(), printers)
                                           .runSelection(startup ? PrinterChoice{} : kOffice, !startup);
        QCOMPARE(user.seen, seen);
        QCOMPARE(int(result.end), end);
        QVERIFY(end == int(SelectionEnd::EndProgram) || result.choice.name == choice.toStdString());
    }
};

QTEST_MAIN(TestPrinter)
#include "tst_printer.moc"
