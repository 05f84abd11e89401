#include "printer/printer_select_dlg.h"

#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <deque>
#include <functional>
#include <utility>

using namespace kbs;

namespace {

struct FakePrinters : PrinterListSource {
    std::vector<PrinterChoice> printers;
    std::vector<PrinterChoice> usablePrinters(const ModelVariant&) override { return printers; }
};

// Plays the user while the dialog runs modally: answers every message box with its default
// button, recording its text, and runs one step per showing of the dialog. A showing no step
// is left for is cancelled and counted, so that a test fails instead of hanging.
struct User {
    std::deque<std::function<void(QDialog*)>> steps;
    QStringList boxes;
    int unexpected = 0;
    QTimer timer;
    QPointer<QWidget> lastTop;

    User()
    {
        QObject::connect(&timer, &QTimer::timeout, &timer, [this] { poll(); });
        timer.start(10);
    }

    void poll()
    {
        auto* top = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (top == lastTop || !(lastTop = top))
            return;
        // Acting outside the timer's call lets a step open nested modal windows.
        QTimer::singleShot(0, top, [this, top] {
            lastTop = nullptr;
            if (auto* box = qobject_cast<QMessageBox*>(top)) {
                boxes << box->text();
                box->defaultButton()->click();
            } else if (steps.empty()) {
                ++unexpected;
                top->reject();
            } else {
                const auto step = std::move(steps.front());
                steps.pop_front();
                step(top);
            }
        });
    }
};

const PrinterChoice kOffice{"office", "socket://192.0.2.7:9100"};
const PrinterChoice kArchive{"archive", "FILE:"};
const PrinterChoice kBasement{"Basement", "lpd://192.0.2.9/queue"};
const PrinterChoice kZeta{"zeta", "usb://ZAV/Ferrostrike"};

QTreeWidget* listOf(QWidget* dialog)
{
    return dialog->findChild<QTreeWidget*>("printerList");
}

// Selects the row of that name (none for an empty name) and presses OK.
auto chooseAndOk(const QString& name)
{
    return [name](QDialog* dialog) {
        QTreeWidget* list = listOf(dialog);
        list->clearSelection();
        for (QTreeWidgetItem* row : list->findItems(name, Qt::MatchExactly, 0)) {
            list->setCurrentItem(row);
            row->setSelected(true);
        }
        dialog->findChild<QPushButton*>("okButton")->click();
    };
}

const auto cancel = [](QDialog* dialog) { dialog->findChild<QPushButton*>("cancelButton")->click(); };

} // namespace

class TestPrinterSelectDlg : public QObject {
    Q_OBJECT

    SelectionResult run(const std::vector<PrinterChoice>& listed, const PrinterChoice& preset,
                        bool startupComplete, const ModelVariant& variant = kbs18r::variant())
    {
        printers_.printers = listed;
        return CPrinterSelectDlg(variant, printers_).runSelection(preset, startupComplete);
    }

    FakePrinters printers_;
    std::unique_ptr<User> user_;

private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void init() { user_ = std::make_unique<User>(); }
    void cleanup()
    {
        QCOMPARE(user_->unexpected, 0);
        QCOMPARE(user_->steps.size(), 0u);
        QCOMPARE(user_->boxes, QStringList()); // a test takes those it expects
        user_.reset();
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName() + " left open"));
    }

    void preselection_data()
    {
        QTest::addColumn<QString>("presetName");
        QTest::addColumn<QString>("expected");
        QTest::newRow("the given choice") << QString("office") << QString("office");
        QTest::newRow("choice gone: row 0") << QString("removed") << QString("Basement");
    }

    void preselection()
    {
        QFETCH(QString, presetName);
        QFETCH(QString, expected);
        QString selected; // the one selected row when it has the focus
        user_->steps.push_back([&](QDialog* dialog) {
            QTreeWidgetItem* current = listOf(dialog)->currentItem();
            if (current && listOf(dialog)->selectedItems() == QList{current})
                selected = current->text(0);
            cancel(dialog);
        });

        const PrinterChoice preset{presetName.toStdString(), "socket://192.0.2.1"};
        const SelectionResult result = run({kZeta, kOffice, kBasement, kArchive}, preset, true);

        QCOMPARE(selected, expected);
        QCOMPARE(result.end, SelectionEnd::Cancel);
        QVERIFY(result.choice == preset);
    }

    // The dialog must not show: the user has no step for it.
    void startupTakesTheOnlyPrinterUnshown()
    {
        const SelectionResult result = run({kOffice}, {}, false);

        QCOMPARE(result.end, SelectionEnd::Ok);
        QVERIFY(result.choice == kOffice);
        QCOMPARE(result.listedCount, 1u);
    }

    void okWithoutRowKeepsTheDialogOpen()
    {
        user_->steps = {chooseAndOk(QString()), chooseAndOk("zeta")};

        const SelectionResult result = run({kOffice, kZeta}, kOffice, true);

        QCOMPARE(std::exchange(user_->boxes, {}).size(), 1);
        QCOMPARE(result.end, SelectionEnd::Ok);
        QVERIFY(result.choice == kZeta);
    }

    // The refused row stays the choice, so that cancelling keeps it in the result.
    void fileRowAmongSeveralIsRefused()
    {
        user_->steps = {chooseAndOk("archive"), cancel};

        const SelectionResult result = run({kOffice, kArchive, kZeta}, kOffice, true);

        QCOMPARE(std::exchange(user_->boxes, {}),
                 QStringList{QString::fromUtf8(kbs18r::variant().filePortMessages.chosenPrinterIsFile)});
        QCOMPARE(result.end, SelectionEnd::Cancel);
        QVERIFY(result.choice == kArchive);
    }

    void programEnds_data()
    {
        QTest::addColumn<QList<PrinterChoice>>("listed");
        QTest::addColumn<QString>("message");
        const FilePortMessages& file = kbs18t::variant().filePortMessages;
        QTest::newRow("no printer") << QList<PrinterChoice>()
                                    << "使用可能なプリンタがありませんでした。プリンタドライバを確認してから"
                                       "やり直してください。\n\nKnobstationを終了します。";
        QTest::newRow("only printer on FILE:")
            << QList{kArchive} << QString::fromUtf8(file.onlyPrinterIsFile);
        QTest::newRow("every printer on FILE:") << QList<PrinterChoice>{kArchive, {"spare", "FILE:"}}
                                                << QString::fromUtf8(file.everyPrinterIsFile);
    }

    void programEnds()
    {
        QFETCH(QList<PrinterChoice>, listed);
        QFETCH(QString, message);
        const SelectionResult result = run({listed.begin(), listed.end()}, {}, false, kbs18t::variant());

        QCOMPARE(result.end, SelectionEnd::EndProgram);
        QCOMPARE(std::exchange(user_->boxes, {}), QStringList{message});
    }
};

QTEST_MAIN(TestPrinterSelectDlg)
#include "tst_printer_select_dlg.moc"
