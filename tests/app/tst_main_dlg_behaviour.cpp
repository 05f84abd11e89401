#include "app/help_file.h"
#include "app/tab_strip.h"
#include "main_dlg_rig.h"
#include "menu/main_menu.h"
#include "pages/page_widget.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace kbs;
using kbs::test::MainDlgRig;

namespace {
const std::string kSendBeforeExit = "Knobstation を終了する前に、設定値をプリンタへ送信しますか？";

bool focusIsOnPage(CMainDlg& window, std::size_t tab)
{
    QWidget* focus = window.focusWidget();
    return focus == window.pageWidget(tab) || window.pageWidget(tab)->isAncestorOf(focus);
}
} // namespace

class TstMainDlgBehaviour : public QObject {
    Q_OBJECT
public slots:
    void openUrl(const QUrl& url) { openedUrls << url; }

private slots:
    void initTestCase();
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler("file"); }
    void cleanup();
    void enterAndEscapeNeverClose_data();
    void enterAndEscapeNeverClose();
    void closeRunsTheExitCommand_data();
    void closeRunsTheExitCommand();
    void commandsMoveFocusIntoThePage();
    void tabStripKeepsFocus();
    void secondStartRestoresTheMinimisedWindow();
    void helpFileIsFoundBesideOrInShare_data();
    void helpFileIsFoundBesideOrInShare();
    void helpOpensThePageOrSaysItIsMissing();
    void missingHelpGraysTheCommand();

private:
    QList<QUrl> openedUrls;
};

void TstMainDlgBehaviour::initTestCase()
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QDesktopServices::setUrlHandler("file", this, "openUrl");
}

void TstMainDlgBehaviour::cleanup()
{
    openedUrls.clear();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TstMainDlgBehaviour::enterAndEscapeNeverClose_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
}

void TstMainDlgBehaviour::enterAndEscapeNeverClose()
{
    QFETCH(int, key);
    MainDlgRig rig(test::variantNamed("kbs18r"));
    QVERIFY(rig.showActive());
    QVERIFY(rig.loadChangedSettings());

    for (QWidget* target :
         {static_cast<QWidget*>(&rig.window), static_cast<QWidget*>(rig.window.tabStrip())}) {
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QTest::qWait(20);
        QVERIFY(rig.window.isVisible());
    }
    QVERIFY(!rig.window.closeRequested());
    QVERIFY(rig.window.messages.empty()); // not even the exit questions
}

void TstMainDlgBehaviour::closeRunsTheExitCommand_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("close box") << "close box";
    QTest::newRow("Alt+F4") << "Alt+F4";
    QTest::newRow("menu") << "menu";
}

void TstMainDlgBehaviour::closeRunsTheExitCommand()
{
    QFETCH(QString, how);
    MainDlgRig rig(test::variantNamed("kbs62d"));
    QVERIFY(rig.showActive());
    QVERIFY(rig.loadChangedSettings());
    auto close = [&] {
        if (how == "close box")
            rig.window.close();
        else if (how == "Alt+F4")
            QTest::keyClick(rig.window.tabStrip(), Qt::Key_F4, Qt::AltModifier);
        else
            rig.window.menu().action(cmd::Exit)->trigger();
    };

    rig.window.answers = {Answer::Cancel};
    close();
    QVERIFY(rig.window.isVisible());
    QVERIFY(!rig.window.closeRequested());
    QCOMPARE(rig.window.messages.size(), std::size_t(1));
    QCOMPARE(rig.window.messages.at(0).text, kSendBeforeExit);

    rig.window.answers = {Answer::No};
    close();
    QVERIFY(!rig.window.isVisible());
    QVERIFY(rig.window.closeRequested());
    QCOMPARE(rig.window.exitStatus(), 0);
    QCOMPARE(rig.window.messages.size(), std::size_t(2));
    QVERIFY(rig.spooler.openAttempts.empty());
}

void TstMainDlgBehaviour::commandsMoveFocusIntoThePage()
{
    MainDlgRig rig(test::variantNamed("kbs18t"));
    QVERIFY(rig.showActive());
    QVERIFY(focusIsOnPage(rig.window, 0));
    auto* edit = new QLineEdit(rig.window.pageWidget(2));

    // Ctrl+P shows the third tab in this program, and the focus goes with it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(rig.window.tabStrip()->currentIndex(), 2);
    QCOMPARE(QApplication::focusWidget(), edit);

    QTest::keyClick(edit, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(rig.window.selectedTab(), std::size_t(1));
    QVERIFY(focusIsOnPage(rig.window, 1));
    for (std::size_t tab = 0; tab < rig.window.pageCount(); ++tab)
        QCOMPARE(rig.window.pageWidget(tab)->isVisible(), tab == 1);

    rig.window.ShowPage(2); // the page remembers where its focus was
    QCOMPARE(QApplication::focusWidget(), edit);
}

// Changing the page from the tab strip, by arrow key, accelerator or click, leaves the focus there.
void TstMainDlgBehaviour::tabStripKeepsFocus()
{
    MainDlgRig rig(test::variantNamed("kbs18r"));
    QVERIFY(rig.showActive());
    TabStrip* strip = rig.window.tabStrip();
    strip->setFocus();
    const auto expectPage = [&](std::size_t tab) {
        QCOMPARE(rig.window.selectedTab(), tab);
        for (std::size_t other = 0; other < rig.window.pageCount(); ++other)
            QCOMPARE(rig.window.pageWidget(other)->isVisible(), other == tab);
        QCOMPARE(QApplication::focusWidget(), strip);
    };

    QTest::keyClick(strip, Qt::Key_Right);
    expectPage(1);
    QTest::keyClick(strip, Qt::Key_4, Qt::ControlModifier); // ＭＳＷ４, the sixth tab
    expectPage(5);
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(0).center());
    expectPage(0);
}

void TstMainDlgBehaviour::secondStartRestoresTheMinimisedWindow()
{
    MainDlgRig rig(test::variantNamed("kbs62d"));
    QVERIFY(rig.showActive());
    rig.window.showMinimized();
    QTRY_VERIFY(rig.window.isMinimized());

    rig.window.bringToFront();
    QTRY_VERIFY(!rig.window.isMinimized());
    QVERIFY(rig.window.isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), &rig.window);
}

void TstMainDlgBehaviour::helpFileIsFoundBesideOrInShare_data()
{
    QTest::addColumn<bool>("beside");
    QTest::addColumn<bool>("inShare");
    QTest::addColumn<QString>("found"); // relative to the temporary root
    QTest::newRow("beside the program") << true << false << "bin/kbs62d.html";
    QTest::newRow("installed share") << false << true << "share/kbs62d/kbs62d.html";
    QTest::newRow("both: beside wins") << true << true << "bin/kbs62d.html";
    QTest::newRow("neither") << false << false << "";
}

void TstMainDlgBehaviour::helpFileIsFoundBesideOrInShare()
{
    QFETCH(bool, beside);
    QFETCH(bool, inShare);
    QFETCH(QString, found);
    QTemporaryDir root;
    QDir(root.path()).mkpath("bin");
    QDir(root.path()).mkpath("share/kbs62d");
    QDir(root.path()).mkpath("share/kbs18r");
    QFile(root.filePath("share/kbs18r/kbs62d.html")).open(QIODevice::WriteOnly); // another program's folder
    if (beside)
        QVERIFY(QFile(root.filePath("bin/kbs62d.html")).open(QIODevice::WriteOnly));
    if (inShare)
        QVERIFY(QFile(root.filePath("share/kbs62d/kbs62d.html")).open(QIODevice::WriteOnly));

    const std::optional<QString> path = locateHelpFile(test::variantNamed("kbs62d"), root.filePath("bin"));
    QCOMPARE(path.value_or(QString()), found.isEmpty() ? QString() : QDir(root.path()).filePath(found));
}

void TstMainDlgBehaviour::helpOpensThePageOrSaysItIsMissing()
{
    MainDlgRig rig(test::variantNamed("kbs18t"), true);
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
    QCOMPARE(rig.window.messages.at(0).text, std::string("ヘルプファイルが見つかりません。"));
    QCOMPARE(rig.window.messages.at(0).icon, MessageIcon::Exclamation);
}

void TstMainDlgBehaviour::missingHelpGraysTheCommand()
{
    MainDlgRig rig(test::variantNamed("kbs18r"));
    QVERIFY(rig.showActive());
    QVERIFY(!rig.window.menu().action(cmd::Help)->isEnabled());
    QTest::keyClick(rig.window.focusWidget(), Qt::Key_F1);
    QVERIFY(openedUrls.isEmpty());
    QVERIFY(rig.window.messages.empty());
}

QTEST_MAIN(TstMainDlgBehaviour)
#include "tst_main_dlg_behaviour.moc"
