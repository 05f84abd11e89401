#include "app/dialog_units.h"
#include "app/main_status_bar.h"
#include "app/main_tool_bar.h"
#include "app/qt_text.h"
#include "app/tab_strip.h"
#include "main_dlg_rig.h"
#include "menu/main_menu.h"
#include "pages/page_widget.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace kbs;
using kbs::test::MainDlgRig;

class TstMainDlgLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }
    void windowIsFixedInDialogUnits_data() { test::addVariantRows(); }
    void windowIsFixedInDialogUnits();
    void toolBarButtonsInOrder();
    void toolTipsAreCutTo79Characters_data();
    void toolTipsAreCutTo79Characters();
    void statusBarHasTwoPartsSplitAtThreeFifths();
    void versionDialogShowsTheVariantsLines_data();
    void versionDialogShowsTheVariantsLines();
};

void TstMainDlgLayout::windowIsFixedInDialogUnits()
{
    QFETCH(QString, deliverable);
    MainDlgRig rig(test::variantNamed(deliverable));
    QVERIFY(rig.showActive());
    CMainDlg& window = rig.window;
    const DialogUnits du(dialogFont());

    QCOMPARE(window.windowTitle(), toQString(rig.variant.windowTitle));
    QCOMPARE(window.clientArea()->size(), du.size(245, 255));
    QCOMPARE(window.clientArea()->geometry().bottom(), window.height() - 1); // the menu bar sits above it
    QCOMPARE(window.minimumSize(), window.size());
    QCOMPARE(window.maximumSize(), window.size());
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!window.windowIcon().isNull());

    QCOMPARE(window.tabStrip()->geometry(), du.rect(5, 20, 235, 221));
    for (std::size_t tab = 0; tab < window.pageCount(); ++tab) {
        QWidget* page = window.pageWidget(tab);
        QCOMPARE(page->geometry(), du.rect(7, 48, 230, 190));
        QCOMPARE(page->isVisible(), tab == 0);
        QCOMPARE(window.tabStrip()->tabText(static_cast<int>(tab)), toQString(rig.variant.tabs[tab].label));
        // Pages lie above the strip, which would otherwise cover them.
        QVERIFY(window.clientArea()->children().indexOf(page) >
                window.clientArea()->children().indexOf(window.tabStrip()));
    }
    // The bars leave the tab strip's rows and the pages uncovered.
    QVERIFY(window.toolBar()->geometry().bottom() < window.tabStrip()->y());
    QVERIFY(window.mainStatusBar()->y() > window.pageWidget(0)->geometry().bottom());
    QCOMPARE(window.mainStatusBar()->geometry().bottom(), window.clientArea()->height() - 1);
    const QRect lastRowTab = window.tabStrip()->tabRect(0).translated(window.tabStrip()->pos());
    QVERIFY(lastRowTab.bottom() <= window.pageWidget(0)->y());
    QVERIFY(window.tabStrip()->rowCount() >= 2);
    QCOMPARE(window.tabStrip()->displayRowOf(0), window.tabStrip()->rowCount() - 1);
}

void TstMainDlgLayout::toolBarButtonsInOrder()
{
    MainDlgRig rig(test::variantNamed("kbs62d"));
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
        QVERIFY(button->isEnabled());
        QVERIFY(!action->icon().isNull());
        tips << button->toolTip();
    }
    QCOMPARE(order.join(' '), QString("| 2000 2001 | 2002 | 2003 | 2004"));
    QCOMPARE(tips, (QStringList{"設定ファイルの読み込み", "設定ファイルへの書き込み",
                                "設定値をプリンタへ送信", "工場出荷設定を表示", "プリンタの選択"}));
    QCOMPARE(bar->button(toolbar::Send)->defaultAction()->data().toInt(), cmd::Send);
    QCOMPARE(bar->button(toolbar::SelectPrinter)->defaultAction()->data().toInt(), cmd::SelectPrinter);
    QCOMPARE(bar->button(toolbar::Send)->focusPolicy(), Qt::NoFocus);
}

void TstMainDlgLayout::toolTipsAreCutTo79Characters_data()
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

void TstMainDlgLayout::toolTipsAreCutTo79Characters()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    const QByteArray utf8 = text.toUtf8();
    QCOMPARE(toolTipText(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))), shown);
}

void TstMainDlgLayout::statusBarHasTwoPartsSplitAtThreeFifths()
{
    MainDlgRig rig(test::variantNamed("kbs18r"));
    QVERIFY(rig.showActive());
    MainStatusBar* bar = rig.window.mainStatusBar();
    QCOMPARE(bar->part(0)->geometry().right() + 1, bar->width() / 5 * 3);
    QVERIFY(bar->part(1)->x() > bar->part(0)->geometry().right());
    QVERIFY(bar->part(1)->geometry().right() >= bar->width() - 8);

    QCOMPARE(bar->part(0)->text(), QString("プリンタ名： Q18_office"));
    QCOMPARE(bar->part(1)->text(), QString("接続先： socket://192.0.2.7:9100"));
    const QString longName(300, 'n');
    rig.window.setStatusText(0, longName.toStdString());
    QCOMPARE(bar->part(0)->geometry().right() + 1, bar->width() / 5 * 3); // a long text widens nothing
}

void TstMainDlgLayout::versionDialogShowsTheVariantsLines_data()
{
    QTest::addColumn<QString>("deliverable");
    QTest::addColumn<QString>("modelLine");
    QTest::addColumn<QString>("versionLine");
    QTest::newRow("kbs18r") << "kbs18r"
                            << "Ferrostrike Q18RW/Q18RV"
                            << "Version 2.000";
    QTest::newRow("kbs62d") << "kbs62d"
                            << "ZAV Ferrostrike P62DW/P62DV"
                            << "Version 2.000";
    QTest::newRow("kbs18t") << "kbs18t"
                            << "Ferrostrike Q18TS"
                            << "Version 1.000";
}

void TstMainDlgLayout::versionDialogShowsTheVariantsLines()
{
    QFETCH(QString, deliverable);
    QFETCH(QString, modelLine);
    QFETCH(QString, versionLine);
    MainDlgRig rig(test::variantNamed(deliverable));
    QVERIFY(rig.showActive());

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
    QCOMPARE(seen.at(0), QString("バージョン情報"));
    QCOMPARE(seen.at(1), QString("ノブステーション"));
    QCOMPARE(seen.at(2), modelLine);
    QCOMPARE(seen.at(3), versionLine);
    QVERIFY(!seen.at(4).isEmpty());
    QCOMPARE(seen.at(5), QString("icon"));
    QVERIFY(rig.window.isVisible());
}

QTEST_MAIN(TstMainDlgLayout)
#include "tst_main_dlg_layout.moc"
