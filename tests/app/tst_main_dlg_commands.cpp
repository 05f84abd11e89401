#include "app/main_tool_bar.h"
#include "main_dlg_rig.h"
#include "menu/main_menu.h"
#include "pages/page_widget.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QKeySequence>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

using namespace kbs;
using kbs::test::MainDlgRig;

namespace {

// Menu 142 as the user sees it, popup by popup: "id label" per item, "-" for a separator.
QStringList expectedMenu(const QString& deliverable)
{
    QStringList pages = {"32771 機能選択(&K)\tCtrl+K"};
    QString help = "32806 ヘルプ目次(&H)\tF1";
    QString msw5 = "32812";
    if (deliverable == "kbs18r") {
        pages << "32801 パラメータ設定（&P）\tCtrl+P";
    } else if (deliverable == "kbs62d") {
        pages << "32801 パラメータ設定１（&P）\tCtrl+P"
              << "32802 パラメータ設定２（&L）\tCtrl+L";
        msw5 = "32811";
    } else {
        pages << "32804 書式設定(&F)\tCtrl+F"
              << "32801 パラメータ設定（&P）\tCtrl+P";
        msw5 = "32808";
        help = "32807 ヘルプ目次(&H)\tF1";
    }
    pages << "32773 メモリスイッチ１(&1)\tCtrl+1"
          << "32778 メモリスイッチ２(&2)\tCtrl+2"
          << "32779 メモリスイッチ３(&3)\tCtrl+3"
          << "32780 メモリスイッチ４(&4)\tCtrl+4" << msw5 + " メモリスイッチ５(&5)\tCtrl+5";
    return QStringList{"ファイル(&F)",
                       "32781 設定ファイルの読み込み(&O)...\tCtrl+O",
                       "32782 設定ファイルへの書き込み(&S)...\tCtrl+S",
                       "-",
                       "32784 設定値をプリンタへ送信(&W)\tCtrl+W",
                       "32785 工場出荷設定を表示(&I)\tCtrl+I",
                       "-",
                       "32798 プリンタの選択(&C)...\tCtrl+C",
                       "-",
                       "32783 終了(&X)\tAlt+F4",
                       "メニュー(&M)"} +
           pages + QStringList{"ヘルプ(&H)", help, "-", "16 バージョン情報(&A)..."};
}

} // namespace

class TstMainDlgCommands : public QObject {
    Q_OBJECT
public slots:
    void openUrl(const QUrl& url) { openedUrls << url; }

private slots:
    void initTestCase();
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler("file"); }
    void cleanup();
    void menuReadsAsTheVariantsMenu_data() { test::addVariantRows(); }
    void menuReadsAsTheVariantsMenu();
    void acceleratorsRunTheirCommands_data();
    void acceleratorsRunTheirCommands();
    void acceleratorWinsOverTheFocusedLineEdit();
    void acceleratorOfDisabledCommandDoesNothing();
    void menuItemAndToolButtonChangeTogether();
    void pageChangeRunsTheDataCheck();

private:
    QLineEdit* lineEditOnPage(MainDlgRig& rig, std::size_t tab, const QString& text);
    QList<QUrl> openedUrls;
};

void TstMainDlgCommands::initTestCase()
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QDesktopServices::setUrlHandler("file", this, "openUrl");
}

void TstMainDlgCommands::cleanup()
{
    openedUrls.clear();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QLineEdit* TstMainDlgCommands::lineEditOnPage(MainDlgRig& rig, std::size_t tab, const QString& text)
{
    auto* edit = new QLineEdit(text, rig.window.pageWidget(tab));
    edit->show();
    edit->selectAll();
    edit->setFocus();
    return edit;
}

void TstMainDlgCommands::menuReadsAsTheVariantsMenu()
{
    QFETCH(QString, deliverable);
    MainDlgRig rig(test::variantNamed(deliverable));
    QMenuBar* bar = rig.window.menu().menuBar();
    QCOMPARE(bar->parentWidget(), &rig.window);
    QVERIFY(!bar->isNativeMenuBar());

    QStringList shown;
    for (QAction* popup : bar->actions()) {
        shown << popup->text();
        for (QAction* item : popup->menu()->actions())
            shown << (item->isSeparator() ? QString("-")
                                          : QString::number(item->data().toInt()) + " " + item->text());
    }
    QCOMPARE(shown, expectedMenu(deliverable));
}

// Every shortcut the menu shows runs its item; shortcuts of the other programs and keys
// no program uses run nothing.
void TstMainDlgCommands::acceleratorsRunTheirCommands_data()
{
    QTest::addColumn<QString>("deliverable");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("command"); // 0: no accelerator in this program

    const QStringList deliverables = {"kbs18r", "kbs62d", "kbs18t"};
    QMap<QString, QMap<QString, int>> commands; // key -> deliverable -> command
    for (const QString& deliverable : deliverables) {
        for (const QString& item : expectedMenu(deliverable)) {
            const QString key = item.section(u'\t', 1);
            if (!key.isEmpty() && key != "Alt+F4") // Alt+F4 closes: see the behaviour tests
                commands[key][deliverable] = item.section(u' ', 0, 0).toInt();
        }
    }
    commands["Ctrl+X"];
    commands["Ctrl+Shift+W"];
    for (const auto& [key, byProgram] : commands.asKeyValueRange())
        for (const QString& deliverable : deliverables)
            QTest::addRow("%s %s", qPrintable(deliverable), qPrintable(key))
                << deliverable << key << byProgram.value(deliverable);
}

void TstMainDlgCommands::acceleratorsRunTheirCommands()
{
    QFETCH(QString, deliverable);
    QFETCH(QString, key);
    QFETCH(int, command);
    MainDlgRig rig(test::variantNamed(deliverable), true);
    QVERIFY(rig.showActive());
    QList<int> triggered;
    for (QAction* action : rig.window.findChildren<QAction*>())
        if (action->data().toInt() != 0)
            connect(action, &QAction::triggered, this,
                    [&triggered, action] { triggered << action->data().toInt(); });
    // The commands behind the keys run against the fakes: scripted so that nothing changes.
    rig.selector.expectSelection(fakes::chosen("Q18_office", "socket://192.0.2.7:9100", 2));
    rig.chooser.expectOpen(std::nullopt);
    rig.chooser.expectSave(std::nullopt);
    QLineEdit* edit = lineEditOnPage(rig, 0, "text");

    const QKeyCombination combination = QKeySequence::fromString(key)[0];
    QTest::keyClick(edit, combination.key(), combination.keyboardModifiers());

    QCOMPARE(triggered, command ? QList<int>{command} : QList<int>{});
    for (std::size_t tab = 0; tab < rig.variant.tabs.size(); ++tab)
        if (rig.variant.tabs[tab].commandId == command)
            QCOMPARE(rig.window.selectedTab(), tab);
    if (command == rig.variant.helpCommandId)
        QCOMPARE(openedUrls.size(), 1);
}

void TstMainDlgCommands::acceleratorWinsOverTheFocusedLineEdit()
{
    MainDlgRig rig(test::variantNamed("kbs18r"));
    QVERIFY(rig.showActive());
    QApplication::clipboard()->setText("before");
    QLineEdit* edit = lineEditOnPage(rig, 0, "secret");
    QCOMPARE(QApplication::focusWidget(), edit);
    rig.selector.expectSelection(fakes::cancelled({"Q18_office", "socket://192.0.2.7:9100"}));

    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);

    QCOMPARE(rig.selector.calls.size(), std::size_t(2)); // start-up, then Ctrl+C
    QVERIFY(rig.selector.calls.back().startupComplete);
    QCOMPARE(QApplication::clipboard()->text(), QString("before"));

    // Keys that are no accelerator still reach the line edit.
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_X);
    QCOMPARE(edit->text(), QString("secretx"));
}

void TstMainDlgCommands::acceleratorOfDisabledCommandDoesNothing()
{
    MainDlgRig rig(test::variantNamed("kbs18t"));
    QVERIFY(rig.showActive());
    QApplication::clipboard()->setText("before");
    QLineEdit* edit = lineEditOnPage(rig, 0, "secret");
    rig.window.setCommandEnabled(cmd::SelectPrinter, false);
    rig.window.setCommandEnabled(cmd::Send, false);

    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_W, Qt::ControlModifier);

    QCOMPARE(rig.selector.calls.size(), std::size_t(1));
    QVERIFY(rig.spooler.openAttempts.empty());
    // The key is used up all the same, as the accelerator table does.
    QCOMPARE(QApplication::clipboard()->text(), QString("before"));
    QVERIFY(rig.window.messages.empty());
}

void TstMainDlgCommands::menuItemAndToolButtonChangeTogether()
{
    MainDlgRig rig(test::variantNamed("kbs62d"));
    QVERIFY(rig.showActive());
    for (const ToolButtonSpec& entry : kToolButtons) {
        QAction* item = rig.window.menu().action(entry.commandId);
        QToolButton* button = rig.window.toolBar()->button(entry.toolbarId);
        QVERIFY(item && button);
        for (const int id : {entry.commandId, entry.toolbarId}) {
            rig.window.setCommandEnabled(id, false);
            QVERIFY(!item->isEnabled());
            QVERIFY(!button->isEnabled());
            rig.window.setCommandEnabled(id, true);
            QVERIFY(item->isEnabled());
            QVERIFY(button->isEnabled());
        }
    }
}

void TstMainDlgCommands::pageChangeRunsTheDataCheck()
{
    MainDlgRig rig(test::variantNamed("kbs62d"));
    // Nothing sent yet, so the data check offers the send command whatever the pages hold.
    rig.window.setCommandEnabled(cmd::Send, false);
    emit rig.window.pageWidget(4)->dataCheckRequested();
    QVERIFY(rig.window.menu().action(cmd::Send)->isEnabled());
    QVERIFY(rig.window.toolBar()->button(toolbar::Send)->isEnabled());
}

QTEST_MAIN(TstMainDlgCommands)
#include "tst_main_dlg_commands.moc"
