#include "app/dialog_units.h"
#include "app/help_file.h"
#include "app/main_dlg.h"
#include "app/main_status_bar.h"
#include "app/main_tool_bar.h"
#include "app/qt_text.h"
#include "app/tab_strip.h"
#include "fakes/fake_file_chooser.h"
#include "fakes/fake_printer_selector.h"
#include "fakes/fake_spooler.h"
#include "menu/main_menu.h"
#include "pages/page_widget.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <deque>

using namespace kbs;

namespace {

const ModelVariant& variantNamed(const QString& deliverable)
{
    if (deliverable == QLatin1String("kbs62d"))
        return kbs62d::variant();
    return deliverable == QLatin1String("kbs18t") ? kbs18t::variant() : kbs18r::variant();
}

// The main window with scripted message boxes: questions take the next scripted answer
// (Cancel when none is left), notices are answered with OK.
class ScriptedMainDlg : public CMainDlg {
public:
    using CMainDlg::CMainDlg;
    std::vector<std::pair<std::string, MessageIcon>> messages;
    std::deque<Answer> answers;

    Answer showMessage(std::string_view text, std::string_view, ButtonSet buttons, MessageIcon icon) override
    {
        messages.emplace_back(text, icon);
        if (buttons == ButtonSet::Ok)
            return Answer::Ok;
        const Answer answer = answers.empty() ? Answer::Cancel : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    }
};

// With `helpFile`, the variant's help page is put in the program's directory.
QString programDirectoryOf(const QTemporaryDir& directory, const ModelVariant& variant, bool helpFile)
{
    if (helpFile)
        QFile(directory.filePath(toQString(variant.helpFiles.htmlFile))).open(QIODevice::WriteOnly);
    return directory.path();
}

// A main window started up with fakes: two printers listed, the first one chosen.
struct MainDlgRig {
    explicit MainDlgRig(const ModelVariant& variant, bool helpFile = false)
        : variant(variant), window(variant, programDirectoryOf(programDirectory, variant, helpFile))
    {
        selector.expectSelection(fakes::chosen("Q18_office", "socket://192.0.2.7:9100", 2));
        window.initialise({selector, spooler, chooser});
    }

    [[nodiscard]] bool showActive()
    {
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }

    // Makes the edit copy differ from the printer and file copies by loading a file.
    [[nodiscard]] bool loadChangedSettings()
    {
        std::string contents(variant.fileIdentifier);
        contents.push_back('\0');
        contents.append(variant.factoryDefaults.begin(), variant.factoryDefaults.end());
        contents.back() = contents.back() == 'X' ? 'Y' : 'X';
        const QString path = programDirectory.filePath("changed.dat");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(contents.data(), qint64(contents.size())) != qint64(contents.size()))
            return false;
        file.close();
        chooser.expectOpen(path.toStdString());
        window.core().LoadSettingsFile();
        return window.core().editBlock() != window.core().sentBlock() &&
               window.core().editBlock() != SettingsBlock(variant.factoryDefaults);
    }

    const ModelVariant& variant;
    QTemporaryDir programDirectory;
    fakes::Journal journal;
    fakes::FakePrinterSelector selector{journal};
    fakes::FakeSpooler spooler{journal};
    fakes::FakeFileChooser chooser{journal};
    ScriptedMainDlg window;
};

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

QLineEdit* focusedLineEdit(MainDlgRig& rig, std::size_t tab)
{
    auto* edit = new QLineEdit("secret", rig.window.pageWidget(tab));
    edit->show();
    edit->selectAll();
    edit->setFocus();
    return edit;
}

bool focusIsOnPage(CMainDlg& window, std::size_t tab)
{
    return window.pageWidget(tab) == window.focusWidget() ||
           window.pageWidget(tab)->isAncestorOf(window.focusWidget());
}

// Only the page `tab` is shown.
bool onlyPageShown(CMainDlg& window, std::size_t tab)
{
    for (std::size_t other = 0; other < window.pageCount(); ++other)
        if (window.pageWidget(other)->isVisible() != (other == tab))
            return false;
    return window.selectedTab() == tab;
}

} // namespace

class TstMainDlg : public QObject {
    Q_OBJECT
public slots:
    void openUrl(const QUrl& url) { openedUrls << url; }

private slots:
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler("file"); }
    void windowMenuAndVersionOfEachProgram_data()
    {
        QTest::addColumn<QString>("deliverable");
        QTest::addColumn<QStringList>("aboutLines"); // models and version
        QTest::newRow("kbs18r") << "kbs18r" << QStringList{"Ferrostrike Q18RW/Q18RV", "Version 2.000"};
        QTest::newRow("kbs62d") << "kbs62d" << QStringList{"ZAV Ferrostrike P62DW/P62DV", "Version 2.000"};
        QTest::newRow("kbs18t") << "kbs18t" << QStringList{"Ferrostrike Q18TS", "Version 1.000"};
    }

    void initTestCase()
    {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QDesktopServices::setUrlHandler("file", this, "openUrl");
    }

    void cleanup()
    {
        openedUrls.clear();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void windowMenuAndVersionOfEachProgram()
    {
        QFETCH(QString, deliverable);
        QFETCH(QStringList, aboutLines);
        MainDlgRig rig(variantNamed(deliverable));
        QVERIFY(rig.showActive());
        CMainDlg& window = rig.window;
        const DialogUnits du(dialogFont());

        QCOMPARE(window.clientArea()->size(), du.size(245, 255));
        QCOMPARE(window.clientArea()->geometry().bottom(), window.height() - 1); // the menu bar sits above it
        QCOMPARE(window.minimumSize(), window.size());
        QCOMPARE(window.maximumSize(), window.size());
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);

        QCOMPARE(window.tabStrip()->geometry(), du.rect(5, 20, 235, 221));
        for (std::size_t tab = 0; tab < window.pageCount(); ++tab) {
            QWidget* page = window.pageWidget(tab);
            QCOMPARE(page->geometry(), du.rect(7, 48, 230, 190));
            // Pages lie above the strip, which would otherwise cover them.
            QVERIFY(window.clientArea()->children().indexOf(page) >
                    window.clientArea()->children().indexOf(window.tabStrip()));
        }
        QVERIFY(onlyPageShown(window, 0));
        // The bars leave the tab strip's rows and the pages uncovered.
        QVERIFY(window.toolBar()->geometry().bottom() < window.tabStrip()->y());
        QVERIFY(window.mainStatusBar()->y() > window.pageWidget(0)->geometry().bottom());
        QCOMPARE(window.mainStatusBar()->geometry().bottom(), window.clientArea()->height() - 1);
        // Several rows of tabs, the selected one next to the page.
        QVERIFY(window.tabStrip()->rowCount() >= 2);
        QCOMPARE(window.tabStrip()->displayRowOf(0), window.tabStrip()->rowCount() - 1);
        QVERIFY(window.tabStrip()->tabRect(0).translated(window.tabStrip()->pos()).bottom() <=
                window.pageWidget(0)->y());

        QMenuBar* bar = window.menu().menuBar();
        QCOMPARE(bar->parentWidget(), &window);
        QVERIFY(!bar->isNativeMenuBar());

        QStringList shown;
        for (QAction* popup : bar->actions()) {
            shown << popup->text();
            for (QAction* item : popup->menu()->actions())
                shown << (item->isSeparator() ? QString("-")
                                              : QString::number(item->data().toInt()) + " " + item->text());
        }
        QCOMPARE(shown, expectedMenu(deliverable));

        // The version dialog names the program's models and version.
        QStringList seen;
        bool closed = false;
        QTimer::singleShot(0, this, [&] {
            QWidget* about = QApplication::activeModalWidget();
            if (!about || about == &rig.window)
                return;
            seen << about->windowTitle();
            for (const char* name : {"programName", "modelLine", "versionLine", "makersNotice"})
                if (auto* label = about->findChild<QLabel*>(name))
                    seen << label->text();
            auto* icon = about->findChild<QLabel*>("programIcon");
            seen << (icon && !icon->pixmap().isNull() ? "icon" : "no icon");
            QTest::mouseClick(about->findChild<QAbstractButton*>("okButton"), Qt::LeftButton);
            closed = true;
        });
        rig.window.menu().action(cmd::About)->trigger();
        QTRY_VERIFY(closed);
        QCOMPARE(seen.size(), 6);
        QCOMPARE(seen.mid(0, 4), QStringList({"バージョン情報", "ノブステーション"}) + aboutLines);
        QVERIFY(!seen.at(4).isEmpty());
        QCOMPARE(seen.at(5), QString("icon"));
        QVERIFY(rig.window.isVisible());
    }

    // The buttons share the menu's actions, so they change with the menu items.
    void toolBarFollowsTheMenu()
    {
        MainDlgRig rig(variantNamed("kbs62d"));
        QVERIFY(rig.showActive());
        MainToolBar* bar = rig.window.toolBar();

        QStringList order;
        QStringList tips;
        for (QAction* action : bar->actions()) {
            if (action->isSeparator()) {
                order << "|";
                continue;
            }
            QWidget* button = bar->widgetForAction(action);
            order << button->property("toolbarId").toString();
            QCOMPARE(action, rig.window.menu().action(action->data().toInt()));
            QVERIFY(!action->icon().isNull());
            tips << button->toolTip();
        }
        QCOMPARE(order.join(' '), QString("| 2000 2001 | 2002 | 2003 | 2004"));
        QCOMPARE(tips, (QStringList{"設定ファイルの読み込み", "設定ファイルへの書き込み",
                                    "設定値をプリンタへ送信", "工場出荷設定を表示", "プリンタの選択"}));

        for (const ToolButtonSpec& entry : kToolButtons) {
            QAction* item = rig.window.menu().action(entry.commandId);
            QToolButton* button = bar->button(entry.toolbarId);
            QVERIFY(item && button);
            for (const int id : {entry.commandId, entry.toolbarId}) {
                for (const bool enabled : {false, true}) {
                    rig.window.setCommandEnabled(id, enabled);
                    QCOMPARE(item->isEnabled(), enabled);
                    QCOMPARE(button->isEnabled(), enabled);
                }
            }
        }
        // A page's data check offers the send command again: nothing has been sent yet.
        rig.window.setCommandEnabled(cmd::Send, false);
        emit rig.window.pageWidget(4)->dataCheckRequested();
        QVERIFY(rig.window.menu().action(cmd::Send)->isEnabled());
        QVERIFY(bar->button(toolbar::Send)->isEnabled());
    }

    void toolTipsAreCutTo79Characters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");

        const QString ascii79(79, 'a');
        const QString kana79(79, QChar(0x30A2));
        const QString face = QString::fromUcs4(U"\U0001F5A8");
        QTest::newRow("79 stays") << ascii79 << ascii79;
        QTest::newRow("80 cut") << ascii79 + "b" << ascii79;
        QTest::newRow("Japanese cut") << kana79 + "イウエオ" << kana79;
        QTest::newRow("character beyond the basic plane is never split")
            << QString(78, 'a') + face + face << QString(78, 'a') + face;
    }

    void toolTipsAreCutTo79Characters()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        const QByteArray utf8 = text.toUtf8();
        QCOMPARE(toolTipText(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))),
                 shown);
    }

    void statusBarIsSplitAtThreeFifths()
    {
        MainDlgRig rig(variantNamed("kbs18r"));
        QVERIFY(rig.showActive());
        MainStatusBar* bar = rig.window.mainStatusBar();
        QCOMPARE(bar->part(0)->geometry().right() + 1, bar->width() / 5 * 3);
        QVERIFY(bar->part(1)->x() > bar->part(0)->geometry().right());
        QVERIFY(bar->part(1)->geometry().right() >= bar->width() - 8);

        QCOMPARE(bar->part(0)->text(), QString("プリンタ名： Q18_office"));
        QCOMPARE(bar->part(1)->text(), QString("接続先： socket://192.0.2.7:9100"));
        rig.window.setStatusText(0, std::string(300, 'n'));
        QCOMPARE(bar->part(0)->geometry().right() + 1, bar->width() / 5 * 3); // a long text widens nothing
    }

    // Every shortcut the menu shows runs its item; shortcuts of the other programs and keys
    // no program uses run nothing.
    void acceleratorsRunTheirCommands_data()
    {
        QTest::addColumn<QString>("deliverable");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("command"); // 0: no accelerator in this program

        const QStringList deliverables = {"kbs18r", "kbs62d", "kbs18t"};
        QMap<QString, QMap<QString, int>> commands; // key -> deliverable -> command
        for (const QString& deliverable : deliverables) {
            for (const QString& item : expectedMenu(deliverable)) {
                const QString key = item.section(u'\t', 1);
                if (!key.isEmpty() && key != "Alt+F4") // Alt+F4 closes: see onlyTheExitCommandCloses
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

    void acceleratorsRunTheirCommands()
    {
        QFETCH(QString, deliverable);
        QFETCH(QString, key);
        QFETCH(int, command);
        MainDlgRig rig(variantNamed(deliverable), true);
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
        QLineEdit* edit = focusedLineEdit(rig, 0);

        const QKeyCombination combination = QKeySequence::fromString(key)[0];
        QTest::keyClick(edit, combination.key(), combination.keyboardModifiers());

        QCOMPARE(triggered, command ? QList<int>{command} : QList<int>{});
        for (std::size_t tab = 0; tab < rig.variant.tabs.size(); ++tab)
            if (rig.variant.tabs[tab].commandId == command)
                QCOMPARE(rig.window.selectedTab(), tab);
        if (command == rig.variant.helpCommandId)
            QCOMPARE(openedUrls.size(), 1);
    }

    // Ctrl+C is the printer selection, not the line edit's copy; while grayed it is used up all the same.
    void ctrlCSelectsThePrinterEvenInALineEdit()
    {
        MainDlgRig rig(variantNamed("kbs18r"));
        QVERIFY(rig.showActive());
        QApplication::clipboard()->setText("before");
        QLineEdit* edit = focusedLineEdit(rig, 0);
        QCOMPARE(QApplication::focusWidget(), edit);
        rig.selector.expectSelection(fakes::cancelled({"Q18_office", "socket://192.0.2.7:9100"}));

        QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(rig.selector.calls.size(), std::size_t(2)); // start-up, then Ctrl+C
        QVERIFY(rig.selector.calls.back().startupComplete);

        rig.window.setCommandEnabled(cmd::SelectPrinter, false);
        QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(rig.selector.calls.size(), std::size_t(2));
        QCOMPARE(QApplication::clipboard()->text(), QString("before"));
        QVERIFY(rig.window.messages.empty());

        // Keys that are no accelerator still reach the line edit.
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_X);
        QCOMPARE(edit->text(), QString("secretx"));
    }

    void onlyTheExitCommandCloses_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("exits"); // runs the exit command, which asks first
        for (const char* how : {"close box", "Alt+F4", "menu"})
            QTest::newRow(how) << how << true;
        for (const char* key : {"Escape", "Return", "Enter"})
            QTest::newRow(key) << key << false;
    }

    void onlyTheExitCommandCloses()
    {
        QFETCH(QString, how);
        QFETCH(bool, exits);
        MainDlgRig rig(variantNamed("kbs62d"));
        QVERIFY(rig.showActive());
        QVERIFY(rig.loadChangedSettings());
        auto close = [&] {
            if (how == "close box") {
                rig.window.close();
            } else if (how == "menu") {
                rig.window.menu().action(cmd::Exit)->trigger();
            } else {
                const QKeyCombination key = QKeySequence::fromString(how)[0];
                QTest::keyClick(rig.window.tabStrip(), key.key(), key.keyboardModifiers());
                if (!exits)
                    QTest::keyClick(&rig.window, key.key(), key.keyboardModifiers());
            }
            QTest::qWait(20);
        };

        rig.window.answers = {Answer::Cancel};
        close();
        QVERIFY(rig.window.isVisible());
        QVERIFY(!rig.window.closeRequested());
        QCOMPARE(rig.window.messages.size(), std::size_t(exits ? 1 : 0));
        if (!exits)
            return;
        QCOMPARE(rig.window.messages.at(0).first,
                 std::string("Knobstation を終了する前に、設定値をプリンタへ送信しますか？"));

        rig.window.answers = {Answer::No};
        close();
        QVERIFY(!rig.window.isVisible());
        QVERIFY(rig.window.closeRequested());
        QCOMPARE(rig.window.exitStatus(), 0);
        QCOMPARE(rig.window.messages.size(), std::size_t(2));
        QVERIFY(rig.spooler.openAttempts.empty());
    }

    void commandsMoveFocusIntoThePage()
    {
        MainDlgRig rig(variantNamed("kbs18t"));
        QVERIFY(rig.showActive());
        QVERIFY(focusIsOnPage(rig.window, 0));
        auto* edit = new QLineEdit(rig.window.pageWidget(2));

        // Ctrl+P shows the third tab in this program, and the focus goes with it.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(onlyPageShown(rig.window, 2));
        QCOMPARE(rig.window.tabStrip()->currentIndex(), 2);
        QCOMPARE(QApplication::focusWidget(), edit);

        QTest::keyClick(edit, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(onlyPageShown(rig.window, 1));
        QVERIFY(focusIsOnPage(rig.window, 1));

        rig.window.ShowPage(2); // the page remembers where its focus was
        QCOMPARE(QApplication::focusWidget(), edit);
    }

    // Changing the page from the tab strip, by arrow key, accelerator or click, leaves the focus there.
    void tabStripKeepsFocus()
    {
        MainDlgRig rig(variantNamed("kbs18r"));
        QVERIFY(rig.showActive());
        TabStrip* strip = rig.window.tabStrip();
        strip->setFocus();

        QTest::keyClick(strip, Qt::Key_Right);
        QVERIFY(onlyPageShown(rig.window, 1));
        QCOMPARE(QApplication::focusWidget(), strip);
        QTest::keyClick(strip, Qt::Key_4, Qt::ControlModifier); // ＭＳＷ４, the sixth tab
        QVERIFY(onlyPageShown(rig.window, 5));
        QCOMPARE(QApplication::focusWidget(), strip);
        QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(0).center());
        QVERIFY(onlyPageShown(rig.window, 0));
        QCOMPARE(QApplication::focusWidget(), strip);
    }

    void secondStartRestoresTheMinimisedWindow()
    {
        MainDlgRig rig(variantNamed("kbs62d"));
        QVERIFY(rig.showActive());
        rig.window.showMinimized();
        QTRY_VERIFY(rig.window.isMinimized());

        rig.window.bringToFront();
        QTRY_VERIFY(!rig.window.isMinimized());
        QTRY_COMPARE(QApplication::activeWindow(), &rig.window);
    }

    void helpFileIsFoundBesideOrInShare_data()
    {
        QTest::addColumn<bool>("beside");
        QTest::addColumn<bool>("inShare");
        QTest::addColumn<QString>("found"); // relative to the temporary root
        QTest::newRow("beside the program") << true << false << "bin/kbs62d.html";
        QTest::newRow("installed share") << false << true << "share/kbs62d/kbs62d.html";
        QTest::newRow("both: beside wins") << true << true << "bin/kbs62d.html";
        QTest::newRow("neither") << false << false << "";
    }

    void helpFileIsFoundBesideOrInShare()
    {
        QFETCH(bool, beside);
        QFETCH(bool, inShare);
        QFETCH(QString, found);
        QTemporaryDir root;
        for (const char* folder : {"bin", "share/kbs62d", "share/kbs18r"})
            QVERIFY(QDir(root.path()).mkpath(folder));
        // One in another program's folder, which is never taken.
        QVERIFY(QFile(root.filePath("share/kbs18r/kbs62d.html")).open(QIODevice::WriteOnly));
        if (beside)
            QVERIFY(QFile(root.filePath("bin/kbs62d.html")).open(QIODevice::WriteOnly));
        if (inShare)
            QVERIFY(QFile(root.filePath("share/kbs62d/kbs62d.html")).open(QIODevice::WriteOnly));

        const std::optional<QString> path = locateHelpFile(variantNamed("kbs62d"), root.filePath("bin"));
        QCOMPARE(path.value_or(QString()), found.isEmpty() ? QString() : QDir(root.path()).filePath(found));
    }

    void helpOpensThePageOrSaysItIsMissing()
    {
        MainDlgRig rig(variantNamed("kbs18t"), true);
        QVERIFY(rig.showActive());
        QAction* help = rig.window.menu().action(cmd::HelpKbs18t);
        QVERIFY(help->isEnabled());

        QTest::keyClick(rig.window.focusWidget(), Qt::Key_F1);
        QCOMPARE(openedUrls, QList<QUrl>{QUrl::fromLocalFile(rig.programDirectory.filePath("kbs18t.html"))});

        // Removed while the program runs: the viewer has nothing to show.
        QVERIFY(QFile::remove(rig.programDirectory.filePath("kbs18t.html")));
        help->trigger();
        QCOMPARE(openedUrls.size(), 1);
        QCOMPARE(rig.window.messages.size(), std::size_t(1));
        QCOMPARE(rig.window.messages.at(0).first, std::string("ヘルプファイルが見つかりません。"));
        QCOMPARE(rig.window.messages.at(0).second, MessageIcon::Exclamation);

        // Missing from the start: the command is grayed and F1 does nothing.
        MainDlgRig without(variantNamed("kbs18r"));
        QVERIFY(without.showActive());
        QVERIFY(!without.window.menu().action(cmd::Help)->isEnabled());
        QTest::keyClick(without.window.focusWidget(), Qt::Key_F1);
        QCOMPARE(openedUrls.size(), 1);
        QVERIFY(without.window.messages.empty());
    }

private:
    QList<QUrl> openedUrls;
};

QTEST_MAIN(TstMainDlg)
#include "tst_main_dlg.moc"
