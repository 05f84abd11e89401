#include "app/main_window_fixture.h"
#include "menu/main_menu.h"
#include "model/command_ids.h"
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

using fixture::Window;

namespace {

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
        for (const bool ok : {true, false}) {
            QTest::addRow("kbs18r %s", ok ? "OK" : "Cancel") << "kbs18r"
                                                             << "書式３" << ok << 165;
            QTest::addRow("kbs62d %s", ok ? "OK" : "Cancel") << "kbs62d"
                                                             << "書式１" << ok << 72;
        }
    }

    // After a send the send command is off; OK in the form dialog brings the edited image into the
    // edit copy and turns it on, Cancel leaves the edit copy byte for byte and the command off.
    void formDialogReachesTheEditCopy()
    {
        QFETCH(QString, program);
        QFETCH(QString, form);
        QFETCH(bool, ok);
        QFETCH(int, imageOffset);
        Window window(program, true);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        PageWidget* page = window.pageWidget(0);
        auto* list = page->findChild<QComboBox*>("formSelect");
        list->setFocus();
        while (list->currentText() != form)
            QTest::keyClick(list, Qt::Key_Down);
        QVERIFY(window.runCommand(cmd::Send));
        QVERIFY(!window.menu().action(cmd::Send)->isEnabled());
        const SettingsBlock before = window.core().editBlock();

        QString title;
        scriptFormDialog("12", ok, &title);
        QTest::mouseClick(page->findChild<QPushButton*>("formSettings"), Qt::LeftButton);
        QCOMPARE(title, "書式の設定： " + form);
        SettingsBlock expected = before;
        if (ok) {
            expected[std::size_t(imageOffset)] = '1';
            expected[std::size_t(imageOffset) + 1] = '2';
        }
        QVERIFY(window.core().editBlock() == expected);
        QCOMPARE(window.menu().action(cmd::Send)->isEnabled(), ok);
        window.hide();
    }
};

QTEST_MAIN(TstSelectInWindow)
#include "tst_select_in_window.moc"
