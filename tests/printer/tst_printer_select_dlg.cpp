#include "printer/printer_select_dlg.h"

#include "core/messages.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"

#include <QApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
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

    void rowsAndPreselection_data()
    {
        QTest::addColumn<QString>("presetName");
        QTest::addColumn<QString>("expected");
        QTest::newRow("the given choice") << QString("office") << QString("office");
        QTest::newRow("choice gone: row 0") << QString("removed") << QString("alpha");
    }

    // Rows in reading order whatever the case; the preset row selected, with the focus.
    void rowsAndPreselection()
    {
        QFETCH(QString, presetName);
        QFETCH(QString, expected);
        QStringList shown;
        QString selected;
        user_->steps.push_back([&](QDialog* dialog) {
            QTreeWidget* list = listOf(dialog);
            for (int row = 0; row < list->topLevelItemCount(); ++row)
                shown << list->topLevelItem(row)->text(0);
            if (list->currentItem() && list->selectedItems() == QList{list->currentItem()})
                selected = list->currentItem()->text(0);
            cancel(dialog);
        });

        const PrinterChoice preset{presetName.toStdString(), "socket://192.0.2.1"};
        const SelectionResult result =
            run({kZeta, kOffice, {"Beta", "FILE:"}, kBasement, kArchive, {"alpha", "FILE:"}}, preset, true);

        QCOMPARE(shown, QStringList({"alpha", "archive", "Basement", "Beta", "office", "zeta"}));
        QCOMPARE(selected, expected);
        QCOMPARE(result.end, SelectionEnd::Cancel);
        QVERIFY(result.choice == preset);
    }

    // Tab, Tab, Space leaves by キャンセル with the focus on it and a column dragged wider; the
    // next opening has the focus on the list again, the widths as designed, and Enter means OK.
    void everyOpeningStartsAfresh()
    {
        printers_.printers = {kOffice, kZeta};
        CPrinterSelectDlg dialog(kbs18r::variant(), printers_);
        QStringList seen; // per opening: focus, the default button, the two column widths
        const auto look = [&](QDialog* shown) {
            QWidget* focus = shown->focusWidget();
            auto* ok = shown->findChild<QPushButton*>("okButton");
            const QHeaderView* header = listOf(shown)->header();
            seen << (focus ? focus->objectName() : QString()) << (ok->isDefault() ? "OK default" : "")
                 << QString("%1 %2").arg(header->sectionSize(0)).arg(header->sectionSize(1));
            return focus;
        };
        user_->steps.push_back([&](QDialog* shown) {
            look(shown);
            listOf(shown)->header()->resizeSection(0, 50);
            QTest::keyClick(shown->focusWidget(), Qt::Key_Tab);
            QTest::keyClick(shown->focusWidget(), Qt::Key_Tab);
            QTest::keyClick(shown->focusWidget(), Qt::Key_Space);
        });
        user_->steps.push_back([&](QDialog* shown) { QTest::keyClick(look(shown), Qt::Key_Return); });

        const SelectionResult first = dialog.runSelection(kZeta, true);
        const SelectionResult second = dialog.runSelection(kZeta, true);

        QCOMPARE(first.end, SelectionEnd::Cancel);
        QCOMPARE(second.end, SelectionEnd::Ok);
        QVERIFY(second.choice == kZeta);
        QCOMPARE(seen.mid(0, 2), QStringList({"printerList", "OK default"}));
        QCOMPARE(seen.mid(3), seen.mid(0, 3));
    }

    // At start-up the main window is not on the screen yet.
    void centredOnTheScreenAtStartup()
    {
        QWidget hiddenOwner;
        hiddenOwner.setGeometry(0, 0, 600, 400);
        printers_.printers = {kOffice, kZeta};
        CPrinterSelectDlg dialog(kbs18r::variant(), printers_, &hiddenOwner);
        QPoint centre;
        user_->steps.push_back([&](QDialog* shown) {
            centre = shown->frameGeometry().center();
            cancel(shown);
        });

        dialog.runSelection({}, false);

        const QPoint screenCentre = dialog.screen()->availableGeometry().center();
        QVERIFY2((centre - screenCentre).manhattanLength() <= 4,
                 qPrintable(QString("centre %1,%2").arg(centre.x()).arg(centre.y())));
    }

    void okRefused_data()
    {
        QTest::addColumn<QString>("firstRow"); // chosen before the first OK, empty for none
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("thenZeta"); // the second showing chooses zeta, else cancels
        QTest::newRow("no row") << QString() << QString::fromUtf8(messages::kNoPrinterChosen) << true;
        // The refused row stays the choice, so that cancelling keeps it in the result.
        QTest::newRow("file row among several")
            << "archive" << QString::fromUtf8(kbs18r::variant().filePortMessages.chosenPrinterIsFile)
            << false;
    }

    // OK on no row or on a printer on FILE: tells why and keeps the dialog open.
    void okRefused()
    {
        QFETCH(QString, firstRow);
        QFETCH(QString, message);
        QFETCH(bool, thenZeta);
        user_->steps = {chooseAndOk(firstRow),
                        thenZeta ? std::function<void(QDialog*)>(chooseAndOk("zeta")) : cancel};

        const SelectionResult result = run({kOffice, kArchive, kZeta}, kOffice, true);

        QCOMPARE(std::exchange(user_->boxes, {}), QStringList{message});
        QCOMPARE(result.end, thenZeta ? SelectionEnd::Ok : SelectionEnd::Cancel);
        QVERIFY(result.choice == (thenZeta ? kZeta : kArchive));
    }

    void startupWithoutTheDialog_data()
    {
        QTest::addColumn<QList<PrinterChoice>>("listed");
        QTest::addColumn<QString>("message"); // empty: none, and the only printer is taken
        const FilePortMessages& file = kbs18t::variant().filePortMessages;
        QTest::newRow("only printer") << QList{kOffice} << QString();
        QTest::newRow("no printer") << QList<PrinterChoice>()
                                    << "使用可能なプリンタがありませんでした。プリンタドライバを確認してから"
                                       "やり直してください。\n\nKnobstationを終了します。";
        QTest::newRow("only printer on FILE:")
            << QList{kArchive} << QString::fromUtf8(file.onlyPrinterIsFile);
        QTest::newRow("every printer on FILE:") << QList<PrinterChoice>{kArchive, {"spare", "FILE:"}}
                                                << QString::fromUtf8(file.everyPrinterIsFile);
    }

    // The user has no step, so a dialog shown here fails the test.
    void startupWithoutTheDialog()
    {
        QFETCH(QList<PrinterChoice>, listed);
        QFETCH(QString, message);
        const SelectionResult result = run({listed.begin(), listed.end()}, {}, false, kbs18t::variant());

        QCOMPARE(std::exchange(user_->boxes, {}), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(result.end, message.isEmpty() ? SelectionEnd::Ok : SelectionEnd::EndProgram);
        if (message.isEmpty())
            QVERIFY(result.choice == kOffice && result.listedCount == 1u);
    }
};

QTEST_MAIN(TestPrinterSelectDlg)
#include "tst_printer_select_dlg.moc"
