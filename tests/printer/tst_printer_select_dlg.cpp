#include "printer/printer_select_dlg.h"

#include "app/dialog_units.h"
#include "support/modal_driver.h"
#include "support/printer_choice_text.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace kbs;
using kbs::test::ModalDriver;

Q_DECLARE_METATYPE(const kbs::ModelVariant*)

namespace {

class FakePrinters : public PrinterListSource {
public:
    std::vector<PrinterChoice> printers;
    int enumerations = 0;

    std::vector<PrinterChoice> usablePrinters(const ModelVariant&) override
    {
        ++enumerations;
        return printers;
    }
};

const PrinterChoice kOffice{"office", "socket://192.0.2.7:9100"};
const PrinterChoice kArchive{"archive", "FILE:"};
const PrinterChoice kBasement{"Basement", "lpd://192.0.2.9/queue"};
const PrinterChoice kZeta{"zeta", "usb://ZAV/Ferrostrike"};

const QString kNoPrinterChosen =
    QStringLiteral("プリンタが選択されていません。\nプリンタを選択してください。");
const QString kNoUsablePrinter =
    QStringLiteral("使用可能なプリンタがありませんでした。プリンタドライバを確認してから"
                   "やり直してください。\n\nKnobstationを終了します。");

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QTreeWidget* listOf(QWidget* dialog)
{
    return dialog->findChild<QTreeWidget*>(QStringLiteral("printerList"));
}

QStringList rowsOf(QWidget* dialog)
{
    QStringList rows;
    QTreeWidget* list = listOf(dialog);
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows << list->topLevelItem(i)->text(0) + QLatin1Char('|') + list->topLevelItem(i)->text(1);
    return rows;
}

QString selectedName(QWidget* dialog)
{
    const QList<QTreeWidgetItem*> selected = listOf(dialog)->selectedItems();
    return selected.size() == 1 ? selected.front()->text(0) : QString();
}

ModalDriver::Step selectRow(const QString& name)
{
    return [name](QWidget* dialog) {
        QTreeWidget* list = listOf(dialog);
        const QList<QTreeWidgetItem*> found = list->findItems(name, Qt::MatchExactly, 0);
        list->clearSelection();
        if (!found.isEmpty()) {
            list->setCurrentItem(found.front());
            found.front()->setSelected(true);
        }
    };
}

void addVariantRows()
{
    QTest::addColumn<const ModelVariant*>("variant");
    for (const ModelVariant* variant : {&kbs18r::variant(), &kbs62d::variant(), &kbs18t::variant()})
        QTest::newRow(variant->deliverable.data()) << variant;
}

} // namespace

class TestPrinterSelectDlg : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup();

    void layoutInDialogUnits();
    void rowsSortedByNameAndRebuiltOnEveryRun();
    void preselection_data();
    void preselection();
    void startupTakesTheOnlyPrinterWithoutShowing();
    void afterStartupTheOnlyPrinterStillWaits();
    void okWithoutRowKeepsTheDialogOpen();
    void fileRowAmongSeveralIsRefused_data();
    void fileRowAmongSeveralIsRefused();
    void programEnds_data();
    void programEnds();
    void doubleClickOnRowAccepts();
    void enterAccepts();
    void choiceKeepsTheSpoolerBytes();
};

void TestPrinterSelectDlg::cleanup()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName() + QStringLiteral(" left open")));
}

void TestPrinterSelectDlg::layoutInDialogUnits()
{
    FakePrinters printers;
    printers.printers = {kOffice, kZeta};
    CPrinterSelectDlg dialog(kbs18r::variant(), printers);
    const DialogUnits du(dialogFont());
    QWidget* seen = nullptr;
    ModalDriver driver;
    driver.step([&](QWidget* modal) {
        seen = modal;
        QCOMPARE(modal->windowTitle(), QStringLiteral("プリンタの選択"));
        QCOMPARE(modal->size(), du.size(187, 127));
        QCOMPARE(modal->minimumSize(), modal->maximumSize());

        const QLabel* label = modal->findChild<QLabel*>();
        QCOMPARE(label->text(), QStringLiteral("プリンタを選択してください。"));
        QCOMPARE(label->geometry(), du.rect(5, 5, 87, 8));

        QTreeWidget* list = listOf(modal);
        QCOMPARE(list->geometry(), du.rect(7, 19, 173, 81));
        QCOMPARE(list->headerItem()->text(0), QStringLiteral("プリンタ名"));
        QCOMPARE(list->headerItem()->text(1), QStringLiteral("接続先"));
        QCOMPARE(list->header()->sectionSize(0), 200);
        QCOMPARE(list->header()->sectionSize(1), 90);
        QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);

        const auto* ok = modal->findChild<QPushButton*>(QStringLiteral("okButton"));
        const auto* cancel = modal->findChild<QPushButton*>(QStringLiteral("cancelButton"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        QCOMPARE(ok->geometry(), du.rect(30, 106, 50, 14));
        QCOMPARE(cancel->text(), QStringLiteral("キャンセル"));
        QCOMPARE(cancel->geometry(), du.rect(110, 106, 50, 14));
    });
    driver.click(QStringLiteral("cancelButton"));

    dialog.runSelection({}, true);
    QCOMPARE(seen, &dialog);
    QVERIFY2(driver.problems().isEmpty(), qPrintable(driver.problems().join('\n')));
}

void TestPrinterSelectDlg::rowsSortedByNameAndRebuiltOnEveryRun()
{
    FakePrinters printers;
    printers.printers = {kZeta, kOffice, kBasement, kArchive};
    CPrinterSelectDlg dialog(kbs18r::variant(), printers);
    QStringList firstRows, secondRows;
    ModalDriver driver;
    driver.step([&](QWidget* modal) { firstRows = rowsOf(modal); }).click(QStringLiteral("cancelButton"));
    driver.step([&](QWidget* modal) { secondRows = rowsOf(modal); }).click(QStringLiteral("cancelButton"));

    const SelectionResult first = dialog.runSelection(kOffice, true);
    printers.printers = {kOffice, kZeta};
    const SelectionResult second = dialog.runSelection(kOffice, true);

    QCOMPARE(firstRows, (QStringList{"Basement|lpd://192.0.2.9/queue", "archive|FILE:",
                                     "office|socket://192.0.2.7:9100", "zeta|usb://ZAV/Ferrostrike"}));
    QCOMPARE(first.listedCount, 4u);
    QCOMPARE(secondRows, (QStringList{"office|socket://192.0.2.7:9100", "zeta|usb://ZAV/Ferrostrike"}));
    QCOMPARE(second.listedCount, 2u);
    QCOMPARE(printers.enumerations, 2);
    QVERIFY2(driver.problems().isEmpty(), qPrintable(driver.problems().join('\n')));
}

void TestPrinterSelectDlg::preselection_data()
{
    QTest::addColumn<QString>("presetName");
    QTest::addColumn<QString>("expected");

    QTest::newRow("the given choice") << "office"
                                      << "office";
    QTest::newRow("the given choice on FILE:") << "archive"
                                               << "archive";
    QTest::newRow("no choice: row 0") << ""
                                      << "Basement";
    QTest::newRow("choice gone: row 0") << "removed"
                                        << "Basement";
    QTest::newRow("name differs in case: row 0") << "Office"
                                                 << "Basement";
}

void TestPrinterSelectDlg::preselection()
{
    QFETCH(QString, presetName);
    QFETCH(QString, expected);
    FakePrinters printers;
    printers.printers = {kZeta, kOffice, kBasement, kArchive};
    CPrinterSelectDlg dialog(kbs18r::variant(), printers);
    QString selected;
    bool focused = false;
    ModalDriver driver;
    driver.step([&](QWidget* modal) {
        selected = selectedName(modal);
        focused = listOf(modal)->currentItem() && listOf(modal)->currentItem()->isSelected();
    });
    driver.click(QStringLiteral("cancelButton"));

    const PrinterChoice preset{presetName.toStdString(), "socket://192.0.2.1"};
    const SelectionResult result = dialog.runSelection(preset, true);

    QCOMPARE(selected, expected);
    QVERIFY(focused);
    QCOMPARE(result.end, SelectionEnd::Cancel);
    QCOMPARE(result.choice, preset);
    QVERIFY2(driver.problems().isEmpty(), qPrintable(driver.problems().join('\n')));
}

void TestPrinterSelectDlg::startupTakesTheOnlyPrinterWithoutShowing()
{
    FakePrinters printers;
    printers.printers = {kOffice};
    CPrinterSelectDlg dialog(kbs18r::variant(), printers);
    ModalDriver driver;

    const SelectionResult result = dialog.runSelection({}, false);

    QCOMPARE(result.end, SelectionEnd::Ok);
    QCOMPARE(result.choice, kOffice);
    QCOMPARE(result.listedCount, 1u);
    QVERIFY2(driver.problems().isEmpty(), qPrintable(driver.problems().join('\n')));
}

void TestPrinterSelectDlg::afterStartupTheOnlyPrinterStillWaits()
{
    FakePrinters printers;
    printers.printers = {kOffice};
    CPrinterSelectDlg dialog(kbs18r::variant(), printers);
    bool shown = false;
    ModalDriver driver;
    driver.step([&](QWidget*) { shown = true; }).click(QStringLiteral("okButton"));

    const SelectionResult result = dialog.runSelection(kOffice, true);

    QVERIFY(shown);
    QCOMPARE(result.end, SelectionEnd::Ok);
    QCOMPARE(result.choice, kOffice);
    QCOMPARE(result.listedCount, 1u);
    QVERIFY2(driver.problems().isEmpty(), qPrintable(driver.problems().join('\n')));
}

void TestPrinterSelectDlg::okWithoutRowKeepsTheDialogOpen()
{
    FakePrinters printers;
    printers.printers = {kOffice, kZeta};
    CPrinterSelectDlg dialog(kbs18r::variant(), printers);
    ModalDriver driver;
    driver.step(selectRow(QString())).click(QStringLiteral("okButton")).answerBox();
    driver.step(selectRow(QStringLiteral("zeta"))).click(QStringLiteral("okButton"));

    const SelectionResult result = dialog.runSelection(kOffice, true);

    QCOMPARE(driver.boxTexts(), QStringList{kNoPrinterChosen});
    QCOMPARE(driver.boxes().front().icon, QMessageBox::Warning);
    QCOMPARE(driver.boxes().front().caption, QStringLiteral("Knobstation"));
    QCOMPARE(result.end, SelectionEnd::Ok);
    QCOMPARE(result.choice, kZeta);
    QVERIFY2(driver.problems().isEmpty(), qPrintable(driver.problems().join('\n')));
}

void TestPrinterSelectDlg::fileRowAmongSeveralIsRefused_data()
{
    addVariantRows();
}

void TestPrinterSelectDlg::fileRowAmongSeveralIsRefused()
{
    QFETCH(const ModelVariant*, variant);
    FakePrinters printers;
    printers.printers = {kOffice, kArchive, kZeta};
    CPrinterSelectDlg dialog(*variant, printers);
    ModalDriver driver;
    driver.step(selectRow(QStringLiteral("archive"))).click(QStringLiteral("okButton")).answerBox();
    driver.click(QStringLiteral("cancelButton"));

    const SelectionResult result = dialog.runSelection(kOffice, true);

    QCOMPARE(driver.boxTexts(), QStringList{text(variant->filePortMessages.chosenPrinterIsFile)});
    QCOMPARE(driver.boxes().front().icon, QMessageBox::Information);
    QCOMPARE(result.end, SelectionEnd::Cancel);
    QCOMPARE(result.choice, kArchive);
    QCOMPARE(result.listedCount, 3u);
    QVERIFY2(driver.problems().isEmpty(), qPrintable(driver.problems().join('\n')));
}

void TestPrinterSelectDlg::programEnds_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<QList<PrinterChoice>>("listed");
    QTest::addColumn<bool>("startupComplete");
    QTest::addColumn<QString>("message");

    const QList<PrinterChoice> none;
    const QList<PrinterChoice> onlyFile{kArchive};
    const QList<PrinterChoice> allFile{kArchive, {"spare", "FILE:"}};
    for (const ModelVariant* variant : {&kbs18r::variant(), &kbs62d::variant(), &kbs18t::variant()}) {
        const FilePortMessages& file = variant->filePortMessages;
        const auto row = [&](const char* name) -> QTestData& {
            return QTest::addRow("%s: %s", variant->deliverable.data(), name) << variant;
        };
        row("no printer at start-up") << none << false << kNoUsablePrinter;
        row("no printer later") << none << true << kNoUsablePrinter;
        row("only printer on FILE: at start-up") << onlyFile << false << text(file.onlyPrinterIsFile);
        row("only printer on FILE: later") << onlyFile << true << text(file.everyPrinterIsFile);
        row("every printer on FILE: at start-up") << allFile << false << text(file.everyPrinterIsFile);
        row("every printer on FILE: later") << allFile << true << text(file.everyPrinterIsFile);
    }
}

void TestPrinterSelectDlg::programEnds()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(QList<PrinterChoice>, listed);
    QFETCH(bool, startupComplete);
    QFETCH(QString, message);
    FakePrinters printers;
    printers.printers.assign(listed.begin(), listed.end());
    CPrinterSelectDlg dialog(*variant, printers);
    ModalDriver driver;
    driver.answerBox();

    const SelectionResult result = dialog.runSelection({}, startupComplete);

    QCOMPARE(result.end, SelectionEnd::EndProgram);
    QCOMPARE(result.listedCount, static_cast<unsigned>(listed.size()));
    QCOMPARE(driver.boxTexts(), QStringList{message});
    QCOMPARE(driver.boxes().front().icon, QMessageBox::Warning);
    QVERIFY2(driver.problems().isEmpty(), qPrintable(driver.problems().join('\n')));
}

void TestPrinterSelectDlg::doubleClickOnRowAccepts()
{
    FakePrinters printers;
    printers.printers = {kOffice, kZeta, kBasement};
    CPrinterSelectDlg dialog(kbs18r::variant(), printers);
    ModalDriver driver;
    driver.step([](QWidget* modal) {
        QTreeWidget* list = listOf(modal);
        QTreeWidgetItem* zeta = list->findItems(QStringLiteral("zeta"), Qt::MatchExactly).front();
        const QPoint centre = list->visualItemRect(zeta).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    });

    const SelectionResult result = dialog.runSelection(kOffice, true);

    QCOMPARE(result.end, SelectionEnd::Ok);
    QCOMPARE(result.choice, kZeta);
    QVERIFY2(driver.problems().isEmpty(), qPrintable(driver.problems().join('\n')));
}

void TestPrinterSelectDlg::enterAccepts()
{
    FakePrinters printers;
    printers.printers = {kOffice, kZeta};
    CPrinterSelectDlg dialog(kbs18r::variant(), printers);
    ModalDriver driver;
    driver.step([](QWidget* modal) {
        listOf(modal)->setFocus();
        QTest::keyClick(listOf(modal), Qt::Key_Down);
        QTest::keyClick(listOf(modal), Qt::Key_Return);
    });

    const SelectionResult result = dialog.runSelection(kOffice, true);

    QCOMPARE(result.end, SelectionEnd::Ok);
    QCOMPARE(result.choice, kZeta);
    QVERIFY2(driver.problems().isEmpty(), qPrintable(driver.problems().join('\n')));
}

void TestPrinterSelectDlg::choiceKeepsTheSpoolerBytes()
{
    const PrinterChoice japanese{"経理部_Q18RW", "socket://192.0.2.8:9100"};
    FakePrinters printers;
    printers.printers = {kOffice, japanese};
    CPrinterSelectDlg dialog(kbs18r::variant(), printers);
    QString shown;
    ModalDriver driver;
    driver.step([&](QWidget* modal) { shown = selectedName(modal); }).click(QStringLiteral("okButton"));

    const SelectionResult result = dialog.runSelection(japanese, true);

    QCOMPARE(shown, QStringLiteral("経理部_Q18RW"));
    QCOMPARE(result.choice, japanese);
}

QTEST_MAIN(TestPrinterSelectDlg)
#include "tst_printer_select_dlg.moc"
