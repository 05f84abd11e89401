#include "app/help_window.h"
#include "app/main_tool_bar.h"
#include "app/main_window_fixture.h"
#include "app/tab_strip.h"
#include "menu/main_menu.h"
#include "model/command_ids.h"
#include "pages/page_widget.h"
#include "widgets/dialog_units.h"
#include "widgets/number_box.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

using namespace kbs;

using fixture::Window;

class TstMainDlg : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void layoutAndMenuOfEachProgram_data()
    {
        QTest::addColumn<QString>("pages"); // before the memory switches: "id label" per item, '|' between
        QTest::addColumn<int>("msw5");
        QTest::addColumn<int>("help");
        QTest::newRow("kbs18r") << "32801 パラメータ設定（&P）\tCtrl+P" << 32812 << 32806;
        QTest::newRow("kbs62d") << "32801 パラメータ設定１（&P）\tCtrl+P|32802 パラメータ設定２（&L）\tCtrl+L"
                                << 32811 << 32806;
        QTest::newRow("kbs18t") << "32804 書式設定(&F)\tCtrl+F|32801 パラメータ設定（&P）\tCtrl+P" << 32808
                                << 32807;
    }

    void layoutAndMenuOfEachProgram()
    {
        QFETCH(QString, pages);
        QFETCH(int, msw5);
        QFETCH(int, help);
        Window window(QTest::currentDataTag());
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const DialogUnits du(dialogFont());
        QCOMPARE(window.clientArea()->size(), du.size(245, 255));
        QCOMPARE(window.pageWidget(0)->geometry(), du.rect(7, 48, 230, 190));
        // Several rows of tabs, the selected one next to the page.
        TabStrip* strip = window.tabStrip();
        QVERIFY(strip->rowCount() >= 2);
        QCOMPARE(strip->displayRowOf(0), strip->rowCount() - 1);
        QVERIFY(strip->tabRect(0).translated(strip->pos()).bottom() <= window.pageWidget(0)->y());

        const QString expected =
            "ファイル(&F)|32781 設定ファイルの読み込み(&O)...\tCtrl+O|"
            "32782 設定ファイルへの書き込み(&S)...\tCtrl+S|-|"
            "32784 設定値をプリンタへ送信(&W)\tCtrl+W|32785 工場出荷設定を表示(&I)\tCtrl+I|-|"
            "32798 プリンタの選択(&C)...\tCtrl+C|-|32783 終了(&X)\tAlt+F4|"
            "メニュー(&M)|32771 機能選択(&K)\tCtrl+K|" +
            pages + "|32773 メモリスイッチ１(&1)\tCtrl+1|32778 メモリスイッチ２(&2)\tCtrl+2|" +
            "32779 メモリスイッチ３(&3)\tCtrl+3|32780 メモリスイッチ４(&4)\tCtrl+4|" + QString::number(msw5) +
            " メモリスイッチ５(&5)\tCtrl+5|ヘルプ(&H)|" + QString::number(help) + " ヘルプ目次(&H)\tF1|-|" +
            "16 バージョン情報(&A)...";
        QStringList shown;
        for (QAction* popup : window.menu().menuBar()->actions()) {
            shown << popup->text();
            for (QAction* item : popup->menu()->actions())
                shown << (item->isSeparator() ? QString("-")
                                              : QString::number(item->data().toInt()) + " " + item->text());
        }
        QCOMPARE(shown, expected.split('|'));
    }

    void helpCommandFollowsTheHelpFile_data()
    {
        QTest::addColumn<QString>("programAt"); // folders under the test folder
        QTest::addColumn<QString>("helpAt");    // where a page lies under the test folder
        QTest::addColumn<bool>("asFolder");     // a folder of that name instead of a page
        QTest::addColumn<bool>("removedAfterStart");
        QTest::addColumn<int>("helpCommand");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("notFoundBoxes"); // after F1 and the menu item
        const QString bin = "bin";
        // Longer than the 260 characters of the old path buffers, and in lower case.
        const QString deep = QString("deep/%1/%2/bin").arg(QString(120, 'x'), QString(120, 'y'));
        // clang-format off
        QTest::newRow("kbs18r beside the program") << bin << "bin/kbs18r.html" << false << false << 32806 << true << 0;
        QTest::newRow("kbs62d installed under share") << bin << "share/kbs62d/kbs62d.html" << false << false << 32806 << true << 0;
        QTest::newRow("kbs18t in a deep folder") << deep << deep + "/kbs18t.html" << false << false << 32807 << true << 0;
        QTest::newRow("kbs18r without a page") << bin << "" << false << false << 32806 << false << 0;
        QTest::newRow("kbs62d a folder of that name") << bin << "bin/kbs62d.html" << true << false << 32806 << false << 0;
        QTest::newRow("kbs18t another program's page") << bin << "bin/kbs18r.html" << false << false << 32807 << false << 0;
        QTest::newRow("kbs62d page removed after the start") << bin << "bin/kbs62d.html" << false << true << 32806 << true << 2;
        // clang-format on
    }

    // The help command is grayed for the whole run when the page is missing, so F1 does nothing;
    // a page that cannot be read gives the not-found notice.
    void helpCommandFollowsTheHelpFile()
    {
        QFETCH(QString, programAt);
        QFETCH(QString, helpAt);
        QFETCH(bool, asFolder);
        QFETCH(bool, removedAfterStart);
        QFETCH(int, helpCommand);
        QFETCH(bool, enabled);
        QFETCH(int, notFoundBoxes);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkpath(programAt));
        const QString page = folder.filePath(helpAt);
        if (!helpAt.isEmpty()) {
            QVERIFY(QDir().mkpath(asFolder ? page : QFileInfo(page).path()));
            QFile file(page);
            QVERIFY(asFolder || (file.open(QIODevice::WriteOnly) && file.write("<html/>") > 0));
        }

        Window window(QString(QTest::currentDataTag()).section(' ', 0, 0), false, folder.filePath(programAt));
        QVERIFY(QTest::qWaitForWindowActive(&window));
        if (removedAfterStart)
            QVERIFY(QFile::remove(page));
        QAction* help = window.menu().action(helpCommand);
        QVERIFY(help);
        QCOMPARE(help->isEnabled(), enabled);

        QTest::keyClick(&window, Qt::Key_F1);
        help->trigger();
        const bool shown = enabled && notFoundBoxes == 0;
        QCOMPARE(window.helpWindow() && window.helpWindow()->isVisible(), shown);
        if (shown)
            QCOMPARE(window.helpWindow()->browser()->source().toLocalFile(), QDir::cleanPath(page));
        QCOMPARE(window.texts, QStringList(notFoundBoxes, "ヘルプファイルが見つかりません。"));
        const QString box =
            QString("Knobstation %1 %2").arg(int(ButtonSet::Ok)).arg(int(MessageIcon::Exclamation));
        QCOMPARE(window.boxes, QStringList(notFoundBoxes, box));
    }

    // Ctrl+C is the printer selection, not the number box's copy.
    void ctrlCSelectsThePrinterEvenInANumberBox()
    {
        Window window("kbs18r");
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QApplication::clipboard()->setText("before");
        window.ShowPage(1);
        auto* box = window.pageWidget(1)->findChild<NumberBox*>("centerCutSheet");
        QVERIFY(box);
        box->setFocus();
        box->selectAll();
        QCOMPARE(QApplication::focusWidget(), box);

        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(window.ports.selections, (std::vector<bool>{false, true})); // start-up, then Ctrl+C
        QCOMPARE(QApplication::clipboard()->text(), QString("before"));
    }

    void badEntryStopsSaveAndSend_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed");  // empty: the box is cleared
        QTest::addColumn<QString>("notice"); // a pattern for the one notice
        QTest::addColumn<QString>("shownAfter");
        const QString range = ".+の値が設定範囲を超えています。\n適正値に変更します。";
        for (const auto& [program, tab] : {std::pair{"kbs18r", 1}, {"kbs62d", 1}, {"kbs18t", 2}}) {
            QTest::addRow("%s save", program) << int(cmd::SaveFile) << tab << "centerCutSheet"
                                              << "5" << range << "10";
            QTest::addRow("%s send", program) << int(cmd::Send) << tab << "centerCutSheet"
                                              << "5" << range << "10";
        }
        QTest::newRow("kbs18t empty form tab box") << int(cmd::SaveFile) << 1 << "feedPostcard"
                                                   << ""
                                                   << "整数を入力してください。"
                                                   << "";
    }

    // A value left out of range or a box left empty: the command brings its tab forward with the
    // notice and the box focused, and nothing is saved or sent.
    void badEntryStopsSaveAndSend()
    {
        QFETCH(int, command);
        QFETCH(int, tab);
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(QString, notice);
        QFETCH(QString, shownAfter);
        Window window(QString(QTest::currentDataTag()).section(' ', 0, 0));
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.ShowPage(std::size_t(tab));
        auto* box = window.pageWidget(std::size_t(tab))->findChild<NumberBox*>(boxName);
        QVERIFY(box);
        box->setFocus();
        box->selectAll();
        typed.isEmpty() ? QTest::keyClick(box, Qt::Key_Delete) : QTest::keyClicks(box, typed);
        QCOMPARE(box->text(), typed);
        window.ShowPage(0);
        window.texts.clear();

        window.runCommand(command);
        QCOMPARE(window.selectedTab(), std::size_t(tab));
        QCOMPARE(window.texts.size(), 1);
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(notice),
                                    QRegularExpression::DotMatchesEverythingOption)
                     .match(window.texts[0])
                     .hasMatch(),
                 qPrintable(window.texts[0]));
        QCOMPARE(box->text(), shownAfter);
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(window.ports.saveChoices, 0);
        QCOMPARE(window.ports.opens, 0);
    }

    // The buttons share the menu's actions, so they change with the menu items.
    void toolBarButtonsAndMenuItemsChangeTogether()
    {
        Window window("kbs62d");
        for (const ToolButtonSpec& entry : kToolButtons) {
            QAction* item = window.menu().action(entry.commandId);
            QToolButton* button = window.toolBar()->button(entry.toolbarId);
            QVERIFY(item && button);
            for (const int id : {entry.commandId, entry.toolbarId}) {
                for (const bool enabled : {false, true}) {
                    window.setCommandEnabled(id, enabled);
                    QCOMPARE(item->isEnabled(), enabled);
                    QCOMPARE(button->isEnabled(), enabled);
                }
            }
        }
    }

    // Enter and Esc close nothing; the close box runs the exit command, which may keep the window.
    void onlyTheCloseBoxRunsTheExitCommand()
    {
        Window window("kbs62d");
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* box = window.findChild<QCheckBox*>();
        QVERIFY(box);
        box->click(); // the settings now differ from the printer's and the file's
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyClick(window.tabStrip(), key);
            QTest::keyClick(&window, key);
        }
        window.close(); // the question about sending is cancelled
        QVERIFY(window.isVisible());
        QVERIFY(!window.closeRequested());
        QCOMPARE(window.texts.size(), 1);

        window.answer = Answer::No;
        window.close();
        QVERIFY(!window.isVisible());
        QVERIFY(window.closeRequested());
        QCOMPARE(window.exitStatus(), 0);
        QCOMPARE(window.ports.opens, 0);
    }

    // A command gives the focus to the page it shows, unless the tab strip has it.
    void showPageFocusesThePageUnlessTheStripHasIt()
    {
        Window window("kbs18t");
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* firstBox = window.pageWidget(2)->findChild<QWidget*>("centerCutSheet");
        QVERIFY(firstBox != nullptr);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier); // the third tab here
        QCOMPARE(window.selectedTab(), std::size_t(2));
        QCOMPARE(QApplication::focusWidget(), firstBox);

        window.tabStrip()->setFocus();
        QTest::keyClick(window.tabStrip(), Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(window.selectedTab(), std::size_t(0));
        QCOMPARE(QApplication::focusWidget(), window.tabStrip());
    }

    // Ctrl+F brings the form tab forward with the focus in it; the button caption follows the
    // form list, and the core refreshes it whenever it reloads the pages.
    void formTabOfKbs18t()
    {
        Window window("kbs18t");
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(window.selectedTab(), std::size_t(1));
        PageWidget* page = window.pageWidget(1);
        QCOMPARE(page->objectName(), QString("CPage_Form"));
        QVERIFY(page->isAncestorOf(QApplication::focusWidget()));

        auto* button = page->findChild<QPushButton*>("formButton");
        auto* list = page->findChild<QComboBox*>("formSelect");
        QVERIFY(button && list);
        QCOMPARE(button->text(), QString("書式の設定(&D)")); // refreshed at start-up
        QVERIFY(!button->isEnabled());
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(button->text(), QString("書式１の設定(&D)"));
        QVERIFY(button->isEnabled());

        window.answer = Answer::Ok;
        QVERIFY(window.runCommand(cmd::FactoryDefaults));
        QCOMPARE(list->currentText(), QString("選択なし"));
        QCOMPARE(button->text(), QString("書式の設定(&D)"));
        QVERIFY(!button->isEnabled());
    }
};

QTEST_MAIN(TstMainDlg)
#include "tst_main_dlg.moc"
