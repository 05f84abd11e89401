// The main window as a desktop user meets it: Ctrl+Tab and its kin move between the tabs, F1
// opens the program's own help at the shown page's section, and connections stay readable.
#include "app/help_window.h"
#include "app/main_status_bar.h"
#include "app/main_window_fixture.h"
#include "app/tab_strip.h"
#include "pages/page_widget.h"
#include "printer/printer_select_dlg.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

using fixture::Window;
using namespace kbs;

namespace {
// The line of text at the top of the help window's view.
QString topLine(const HelpWindow& help)
{
    return help.browser()->cursorForPosition(QPoint(4, 4)).block().text();
}
} // namespace

class TestWindowFurniture : public QObject {
    Q_OBJECT
private slots:
    void init() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }

    void programs_data()
    {
        QTest::addColumn<QString>("program");
        for (const char* program : {"kbs18r", "kbs62d", "kbs18t"})
            QTest::newRow(program) << program;
    }

    // From inside a page every key steps one tab on, round the ends, and the focus follows.
    void tabKeysStepThroughTheTabs_data() { programs_data(); }
    void tabKeysStepThroughTheTabs()
    {
        QFETCH(QString, program);
        Window window(program);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const int count = window.tabStrip()->count();
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int step;
        } keys[] = {{Qt::Key_Tab, Qt::ControlModifier, 1},
                    {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, -1},
                    {Qt::Key_PageDown, Qt::ControlModifier, 1},
                    {Qt::Key_PageUp, Qt::ControlModifier, -1}};
        for (const auto& key : keys) {
            for (int press = 0; press <= count; ++press) {
                const int before = int(window.selectedTab());
                QTest::keyClick(QApplication::focusWidget(), key.key, key.modifiers);
                QCOMPARE(int(window.selectedTab()), (before + key.step + count) % count);
                QCOMPARE(window.tabStrip()->currentIndex(), int(window.selectedTab()));
                QVERIFY(window.pageWidget(window.selectedTab())->isAncestorOf(QApplication::focusWidget()));
            }
        }
    }

    // F1 shows the section of the page in view, headed with its tab's name; back returns to the
    // section before; Ctrl+F finds text in the page.
    void helpKeyOpensThePagesSection_data() { programs_data(); }
    void helpKeyOpensThePagesSection()
    {
        QFETCH(QString, program);
        Window window(program, false, QStringLiteral(KBS_HELP_DIR));
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const int count = window.tabStrip()->count();
        for (int tab = 0; tab < count; ++tab) {
            window.activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), &window);
            window.ShowPage(std::size_t(tab));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
            HelpWindow* help = window.helpWindow();
            QVERIFY(help && help->isVisible());
            QCOMPARE(topLine(*help), "「" + window.tabStrip()->tabText(tab) + "」タブ");
            QVERIFY(help->windowTitle().startsWith(window.windowTitle()));
        }
        HelpWindow& help = *window.helpWindow();
        help.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &help);
        QTest::mouseClick(help.findChild<QWidget*>("helpBack"), Qt::LeftButton);
        QCOMPARE(topLine(help), "「" + window.tabStrip()->tabText(count - 2) + "」タブ");

        QTest::keyClick(&help, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), "helpFindText");
        qobject_cast<QLineEdit*>(QApplication::focusWidget())->insert("送信"); // as an input method would
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(help.browser()->textCursor().selectedText(), "送信");
        help.close();
    }

    // A connection too long for its part of the status bar loses its start, not its host and
    // port, and only when it must; the tooltip has it whole.
    void statusBarKeepsTheEndOfAConnection()
    {
        Window window("kbs18r");
        QLabel* part = window.mainStatusBar()->part(1);
        QString connection = ":9100";
        while (connection.size() < 90) {
            connection.prepend(QChar(char16_t(u'a' + connection.size() % 26)));
            const QString whole = "接続先： socket://" + connection;
            window.setStatusText(1, whole.toStdString());
            const int room = part->contentsRect().width() - part->indent();
            QCOMPARE(part->toolTip(), whole);
            QVERIFY(part->fontMetrics().horizontalAdvance(part->text()) <= room);
            if (part->fontMetrics().horizontalAdvance(whole) <= room - part->indent()) {
                QCOMPARE(part->text(), whole);
            } else {
                QVERIFY2(part->text().startsWith("接続先： ") && part->text().contains("…") &&
                             part->text().endsWith(connection.right(8)),
                         qPrintable(part->text()));
            }
        }
    }

    // The printer list's connection column can be widened and tells the whole connection.
    void printerListTellsTheWholeConnection()
    {
        struct Printers : PrinterListSource {
            std::vector<PrinterChoice> usablePrinters(const ModelVariant&) override
            {
                return {{"office", "socket://printer.branch-office.example.com:9100"}, {"desk", "usb://ZAV"}};
            }
        } printers;
        CPrinterSelectDlg dialog(fixture::variantNamed("kbs18r"), printers);
        QHeaderView::ResizeMode resizing = QHeaderView::Fixed;
        QString tip;
        QTimer::singleShot(0, &dialog, [&] {
            const auto* list = dialog.findChild<QTreeWidget*>("printerList");
            resizing = list->header()->sectionResizeMode(1);
            tip = list->topLevelItem(1)->toolTip(1);
            dialog.reject();
        });
        dialog.runSelection({}, true);
        QCOMPARE(resizing, QHeaderView::Interactive);
        QCOMPARE(tip, "socket://printer.branch-office.example.com:9100");
    }
};

QTEST_MAIN(TestWindowFurniture)
#include "tst_window_furniture.moc"
