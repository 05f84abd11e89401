#include "printer/printer_select_dlg.h"

#include "app/dialog_units.h"
#include "support/modal_driver.h"
#include "support/printer_choice_text.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace kbs;
using kbs::test::ModalDriver;

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
const PrinterChoice kJapanese{"経理部_Q18RW", "socket://192.0.2.8:9100"};

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

} // namespace

class TestPrinterSelectDlg : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void init();
    void cleanup();

    void layoutInDialogUnits();
    void rowsSortedByNameAndRebuiltOnEveryRun();
    void preselection_data();
    void preselection();
    void onlyPrinter_data();
    void onlyPrinter();
    void okWithoutRowKeepsTheDialogOpen();
    void fileRowAmongSeveralIsRefused();
    void programEnds_data();
    void programEnds();
    void acceptGestures_data();
    void acceptGestures();

private:
    // Runs the dialog over `listed` while the driver plays the steps set up before.
    SelectionResult run(const std::vector<PrinterChoice>& listed, const PrinterChoice& preset,
                        bool startupComplete, const ModelVariant& variant = kbs18r::variant())
    {
        printers_.printers = listed;
        dialog_ = std::make_unique<CPrinterSelectDlg>(variant, printers_);
        return dialog_->runSelection(preset, startupComplete);
    }

    FakePrinters printers_;
    std::unique_ptr<ModalDriver> driver_;
    std::unique_ptr<CPrinterSelectDlg> dialog_;
};

void TestPrinterSelectDlg::init()
{
    printers_ = FakePrinters();
    driver_ = std::make_unique<ModalDriver>();
}

void TestPrinterSelectDlg::cleanup()
{
    const QStringList problems = driver_->problems();
    driver_.reset();
    dialog_.reset();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    for (QWidget* window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName() + QStringLiteral(" left open")));
}

void TestPrinterSelectDlg::layoutInDialogUnits()
{
    const DialogUnits du(dialogFont());
    bool seen = false;
    driver_->step([&](QWidget* modal) {
        seen = true;
        QCOMPARE(modal->windowTitle(), QStringLiteral("プリンタの選択"));
        QCOMPARE(modal->size(), du.size(187, 127));
        QCOMPARE(modal->minimumSize(), modal->maximumSize());
        QTreeWidget* list = listOf(modal);
        QCOMPARE(list->geometry(), du.rect(7, 19, 173, 81));
        QCOMPARE(list->header()->sectionSize(0), 200);
        QCOMPARE(list->header()->sectionSize(1), 90);
        QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
        const auto* ok = modal->findChild<QPushButton*>(QStringLiteral("okButton"));
        QVERIFY(ok->isDefault());
        QCOMPARE(ok->geometry(), du.rect(30, 106, 50, 14));
        QCOMPARE(modal->findChild<QPushButton*>(QStringLiteral("cancelButton"))->geometry(),
                 du.rect(110, 106, 50, 14));
    });
    driver_->click(QStringLiteral("cancelButton"));

    run({kOffice, kZeta}, {}, true);
    QVERIFY(seen);
}

void TestPrinterSelectDlg::rowsSortedByNameAndRebuiltOnEveryRun()
{
    QStringList firstRows, secondRows;
    driver_->step([&](QWidget* modal) { firstRows = rowsOf(modal); }).click(QStringLiteral("cancelButton"));
    driver_->step([&](QWidget* modal) { secondRows = rowsOf(modal); }).click(QStringLiteral("cancelButton"));

    const SelectionResult first = run({kZeta, kOffice, kBasement, kArchive}, kOffice, true);
    printers_.printers = {kOffice, kZeta};
    const SelectionResult second = dialog_->runSelection(kOffice, true);

    QCOMPARE(firstRows, (QStringList{"Basement|lpd://192.0.2.9/queue", "archive|FILE:",
                                     "office|socket://192.0.2.7:9100", "zeta|usb://ZAV/Ferrostrike"}));
    QCOMPARE(first.listedCount, 4u);
    QCOMPARE(secondRows, (QStringList{"office|socket://192.0.2.7:9100", "zeta|usb://ZAV/Ferrostrike"}));
    QCOMPARE(second.listedCount, 2u);
    QCOMPARE(printers_.enumerations, 2);
}

void TestPrinterSelectDlg::preselection_data()
{
    QTest::addColumn<QString>("presetName");
    QTest::addColumn<QString>("expected");
    QTest::newRow("the given choice") << "office"
                                      << "office";
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
    QString selected;
    bool focused = false;
    driver_->step([&](QWidget* modal) {
        selected = selectedName(modal);
        focused = listOf(modal)->currentItem() && listOf(modal)->currentItem()->isSelected();
    });
    driver_->click(QStringLiteral("cancelButton"));

    const PrinterChoice preset{presetName.toStdString(), "socket://192.0.2.1"};
    const SelectionResult result = run({kZeta, kOffice, kBasement, kArchive}, preset, true);

    QCOMPARE(selected, expected);
    QVERIFY(focused);
    QCOMPARE(result.end, SelectionEnd::Cancel);
    QCOMPARE(result.choice, preset);
}

void TestPrinterSelectDlg::onlyPrinter_data()
{
    QTest::addColumn<bool>("startupComplete");
    QTest::newRow("start-up takes it without showing") << false;
    QTest::newRow("later the dialog waits") << true;
}

void TestPrinterSelectDlg::onlyPrinter()
{
    QFETCH(bool, startupComplete);
    bool shown = false;
    if (startupComplete)
        driver_->step([&](QWidget*) { shown = true; }).click(QStringLiteral("okButton"));

    const SelectionResult result =
        run({kOffice}, startupComplete ? kOffice : PrinterChoice{}, startupComplete);

    QCOMPARE(shown, startupComplete);
    QCOMPARE(result.end, SelectionEnd::Ok);
    QCOMPARE(result.choice, kOffice);
    QCOMPARE(result.listedCount, 1u);
}

void TestPrinterSelectDlg::okWithoutRowKeepsTheDialogOpen()
{
    driver_->step(selectRow(QString())).click(QStringLiteral("okButton")).answerBox();
    driver_->step(selectRow(QStringLiteral("zeta"))).click(QStringLiteral("okButton"));

    const SelectionResult result = run({kOffice, kZeta}, kOffice, true);

    QCOMPARE(driver_->boxTexts(),
             QStringList{QStringLiteral("プリンタが選択されていません。\nプリンタを選択してください。")});
    QCOMPARE(driver_->boxes().front().icon, QMessageBox::Warning);
    QCOMPARE(driver_->boxes().front().caption, QStringLiteral("Knobstation"));
    QCOMPARE(result.end, SelectionEnd::Ok);
    QCOMPARE(result.choice, kZeta);
}

// The refused row stays the choice, so that cancelling keeps it in the result.
void TestPrinterSelectDlg::fileRowAmongSeveralIsRefused()
{
    driver_->step(selectRow(QStringLiteral("archive"))).click(QStringLiteral("okButton")).answerBox();
    driver_->click(QStringLiteral("cancelButton"));

    const SelectionResult result = run({kOffice, kArchive, kZeta}, kOffice, true);

    QCOMPARE(driver_->boxTexts(), QStringList{text(kbs18r::variant().filePortMessages.chosenPrinterIsFile)});
    QCOMPARE(driver_->boxes().front().icon, QMessageBox::Information);
    QCOMPARE(result.end, SelectionEnd::Cancel);
    QCOMPARE(result.choice, kArchive);
    QCOMPARE(result.listedCount, 3u);
}

void TestPrinterSelectDlg::programEnds_data()
{
    QTest::addColumn<QList<PrinterChoice>>("listed");
    QTest::addColumn<bool>("startupComplete");
    QTest::addColumn<QString>("message");

    const QString noUsablePrinter =
        QStringLiteral("使用可能なプリンタがありませんでした。プリンタドライバを確認してから"
                       "やり直してください。\n\nKnobstationを終了します。");
    const QList<PrinterChoice> onlyFile{kArchive};
    const QList<PrinterChoice> allFile{kArchive, {"spare", "FILE:"}};
    const FilePortMessages& file = kbs18t::variant().filePortMessages;
    QTest::newRow("no printer at start-up") << QList<PrinterChoice>() << false << noUsablePrinter;
    QTest::newRow("no printer later") << QList<PrinterChoice>() << true << noUsablePrinter;
    QTest::newRow("only printer on FILE: at start-up") << onlyFile << false << text(file.onlyPrinterIsFile);
    QTest::newRow("only printer on FILE: later") << onlyFile << true << text(file.everyPrinterIsFile);
    QTest::newRow("every printer on FILE: at start-up") << allFile << false << text(file.everyPrinterIsFile);
    QTest::newRow("every printer on FILE: later") << allFile << true << text(file.everyPrinterIsFile);
}

void TestPrinterSelectDlg::programEnds()
{
    QFETCH(QList<PrinterChoice>, listed);
    QFETCH(bool, startupComplete);
    QFETCH(QString, message);
    driver_->answerBox();

    const SelectionResult result =
        run({listed.begin(), listed.end()}, {}, startupComplete, kbs18t::variant());

    QCOMPARE(result.end, SelectionEnd::EndProgram);
    QCOMPARE(result.listedCount, static_cast<unsigned>(listed.size()));
    QCOMPARE(driver_->boxTexts(), QStringList{message});
    QCOMPARE(driver_->boxes().front().icon, QMessageBox::Warning);
}

void TestPrinterSelectDlg::acceptGestures_data()
{
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("double click") << true;
    QTest::newRow("Enter") << false;
}

// Either gesture accepts the row under it, its name passed on byte for byte.
void TestPrinterSelectDlg::acceptGestures()
{
    QFETCH(bool, doubleClick);
    driver_->step([doubleClick](QWidget* modal) {
        QTreeWidget* list = listOf(modal);
        QTreeWidgetItem* row =
            list->findItems(QString::fromStdString(kJapanese.name), Qt::MatchExactly).front();
        const QPoint centre = list->visualItemRect(row).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        if (doubleClick)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        else
            QTest::keyClick(list, Qt::Key_Return);
    });

    const SelectionResult result = run({kOffice, kJapanese, kBasement}, kOffice, true);

    QCOMPARE(result.end, SelectionEnd::Ok);
    QCOMPARE(result.choice, kJapanese);
}

QTEST_MAIN(TestPrinterSelectDlg)
#include "tst_printer_select_dlg.moc"
