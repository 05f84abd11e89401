// The main window as a desktop user meets it: Ctrl+Tab and its kin move between the tabs, F1
// opens the program's own help at the shown page's section, and connections stay readable.
#include "app/help_window.h"
#include "app/main_status_bar.h"
#include "app/tab_strip.h"
#include "app/window_rig.h"
#include "pages/page_widget.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

using kbs::test::Window;
using namespace kbs;

class TestWindowFurniture : public QObject {
    Q_OBJECT
private slots:
    void windowKeys_data()
    {
        QTest::addColumn<QString>("program");
        for (const char* program : {"kbs18r", "kbs62d", "kbs18t"})
            QTest::newRow(program) << program;
    }

    // From inside a page each tab key steps one tab on, round the ends, and the focus follows;
    // F1 there shows the page's section of the help, headed with the tab's name. In the help,
    // back returns to the section before and Ctrl+F finds text; a page gone is reported.
    void windowKeys()
    {
        QFETCH(QString, program);
        QTemporaryDir folder;
        const QString page = folder.filePath(program + ".html");
        QVERIFY(QFile::copy(QStringLiteral(KBS_HELP_DIR "/") + program + ".html", page));
        Window window(program, folder.path());
        const int count = window.tabStrip()->count();
        const auto heading = [&](int tab) { return "「" + window.tabStrip()->tabText(tab) + "」タブ"; };
        const auto topLine = [&] {
            return window.helpWindow()->browser()->cursorForPosition(QPoint(4, 4)).block().text();
        };
        const std::tuple<Qt::Key, Qt::KeyboardModifiers, int> keys[] = {
            {Qt::Key_Tab, Qt::ControlModifier, 1},
            {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, -1},
            {Qt::Key_PageDown, Qt::ControlModifier, 1},
            {Qt::Key_PageUp, Qt::ControlModifier, -1}};
        for (const auto& [key, modifiers, step] : keys) {
            for (int press = 0; press <= count; ++press) {
                window.activateWindow();
                QTRY_COMPARE(QApplication::activeWindow(), &window);
                const int before = int(window.selectedTab());
                QTest::keyClick(QApplication::focusWidget(), key, modifiers);
                const int tab = int(window.selectedTab());
                QCOMPARE(tab, (before + step + count) % count);
                QVERIFY(window.pageWidget(std::size_t(tab))->isAncestorOf(QApplication::focusWidget()));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
                QVERIFY(window.helpWindow()->isVisible());
                QCOMPARE(topLine(), heading(tab));
                QVERIFY(window.helpWindow()->windowTitle().startsWith(window.windowTitle()));
            }
        }

        HelpWindow& help = *window.helpWindow();
        help.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &help);
        QTest::mouseClick(help.findChild<QWidget*>("helpBack"), Qt::LeftButton);
        QCOMPARE(topLine(), heading(1));
        QTest::keyClick(&help, Qt::Key_F, Qt::ControlModifier);
        auto* find = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(find);
        find->insert("送信"); // as an input method would
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(help.browser()->textCursor().selectedText(), "送信");
        help.close();

        // A page gone since the start is a missing one.
        QVERIFY(QFile::remove(page));
        window.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &window);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(window.texts, QStringList("ヘルプファイルが見つかりません。"));
    }

    // A connection too long for its part of the status bar loses its start, not its host and
    // port, and only when it must; the tooltip has it whole.
    void statusBarKeepsTheEndOfAConnection()
    {
        Window window("kbs18r");
        QLabel* part = window.mainStatusBar()->part(1);
        for (QString connection = ":9100"; connection.size() < 90; connection.prepend(u'x')) {
            const QString whole = "接続先： socket://" + connection;
            window.setStatusText(1, whole.toStdString());
            const int room = part->contentsRect().width() - part->indent();
            QCOMPARE(part->toolTip(), whole);
            QVERIFY(part->fontMetrics().horizontalAdvance(part->text()) <= room);
            if (part->fontMetrics().horizontalAdvance(whole) <= room - part->indent())
                QCOMPARE(part->text(), whole);
            else
                QVERIFY(part->text().startsWith("接続先： ") && part->text().contains("…") &&
                        part->text().endsWith("x:9100"));
        }
    }
};

QTEST_MAIN(TestWindowFurniture)
#include "tst_window_furniture.moc"
