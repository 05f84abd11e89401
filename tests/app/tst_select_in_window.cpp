#include "app/main_dlg.h"
#include "menu/main_menu.h"
#include "model/command_ids.h"
#include "pagedata/param_cases.h"
#include "pages/format_dlg.h"
#include "pages/page_widget.h"
#include "widgets/number_box.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace kbs;
using param_cases::variantNamed;

namespace {

// A queue that takes every job.
struct AcceptingQueue : OpenQueue {
    bool startRawJob(std::string_view) override { return true; }
    bool writeData(std::span<const std::uint8_t>) override { return true; }
    bool endJob() override { return true; }
};

// One networked printer, chosen at start-up; every send reaches it; no file is chosen.
struct Ports : PrinterSelectorPort, SpoolerPort, FileChooserPort {
    SelectionResult runSelection(const PrinterChoice&, bool startupComplete) override
    {
        return {startupComplete ? SelectionEnd::Cancel : SelectionEnd::Ok, {"office", "socket://q"}, 1};
    }
    std::unique_ptr<OpenQueue> openForUse(std::string_view) override
    {
        return std::make_unique<AcceptingQueue>();
    }
    std::optional<std::string> chooseFileToOpen(std::string_view) override { return std::nullopt; }
    std::optional<std::string> chooseFileToSave(std::string_view) override { return std::nullopt; }
};

// The main window, started up and shown; every message box answers OK.
class Window : public CMainDlg {
public:
    explicit Window(const QString& deliverable)
        : CMainDlg(variantNamed(deliverable), QCoreApplication::applicationDirPath())
    {
        initialise({ports, ports, ports});
        show();
    }
    Answer showMessage(std::string_view, std::string_view, ButtonSet, MessageIcon) override
    {
        ++messages;
        return Answer::Ok;
    }
    bool sendEnabled() const { return menu().action(cmd::Send)->isEnabled(); }

    Ports ports;
    int messages = 0;
};

// Once the form dialog runs modally: types a form length and presses OK or Cancel.
void scriptFormDialog(const QString& length, bool ok, QString* title)
{
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<CFormatDlg*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            scriptFormDialog(length, ok, title);
            return;
        }
        *title = dialog->windowTitle();
        NumberBox* box = dialog->box(0);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, length);
        dialog->findChild<QPushButton*>(ok ? "okButton" : "cancelButton")->click();
    });
}

} // namespace

class TstSelectInWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void formDialogReachesTheEditCopy_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("imageOffset"); // the chosen form's image in the block
        QTest::newRow("kbs18r OK") << "kbs18r"
                                   << "書式３" << true << 165;
        QTest::newRow("kbs18r Cancel") << "kbs18r"
                                       << "書式３" << false << 165;
        QTest::newRow("kbs62d OK") << "kbs62d"
                                   << "書式１" << true << 72;
        QTest::newRow("kbs62d Cancel") << "kbs62d"
                                       << "書式１" << false << 72;
    }

    // After a send the send command is off; OK in the form dialog brings the edited image into the
    // edit copy and turns it on, Cancel leaves the edit copy byte for byte and the command off.
    void formDialogReachesTheEditCopy()
    {
        QFETCH(QString, program);
        QFETCH(QString, form);
        QFETCH(bool, ok);
        QFETCH(int, imageOffset);
        Window window(program);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        PageWidget* page = window.pageWidget(0);
        auto* list = page->findChild<QComboBox*>("formSelect");
        list->setFocus();
        while (list->currentText() != form)
            QTest::keyClick(list, Qt::Key_Down);
        QVERIFY(window.runCommand(cmd::Send));
        QVERIFY(!window.sendEnabled());
        const SettingsBlock before = window.core().editBlock();

        QString title;
        scriptFormDialog("12", ok, &title);
        QTest::mouseClick(page->findChild<QPushButton*>("formSettings"), Qt::LeftButton);
        QCOMPARE(title, "書式の設定： " + form);
        const SettingsBlock after = window.core().editBlock();
        QCOMPARE(window.sendEnabled(), ok);
        if (ok) {
            QCOMPARE(after[std::size_t(imageOffset)], std::uint8_t('1'));
            QCOMPARE(after[std::size_t(imageOffset) + 1], std::uint8_t('2'));
            for (std::size_t offset = 0; offset < after.size(); ++offset)
                if (offset != std::size_t(imageOffset) && offset != std::size_t(imageOffset) + 1)
                    QCOMPARE(after[offset], before[offset]);
        } else {
            QVERIFY(after == before);
        }
        window.hide();
    }
};

QTEST_MAIN(TstSelectInWindow)
#include "tst_select_in_window.moc"
