#include "page_fakes.h"
#include "page_test_support.h"
#include "pagedata/param_cases.h"
#include "pages/page_factory.h"
#include "pages/page_registry.h"
#include "widgets/number_box.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

using namespace kbs;
using namespace param_cases;
using page_fakes::FakeDialogs;
using page_fakes::FakeMessages;
using page_test_support::text;

namespace {

struct Rig : page_test_support::PageRig {
    Rig(const char* program, PageId id) : PageRig(variantNamed(program), id) {}
};

} // namespace

class TestParamPages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup();
    void typingIntoACentringBox();
    void pastingAndProgramChanges();
    void loadingIsQuiet();
    void pendingNotice_data();
    void pendingNotice();
    void refusedFeedTimeStoresNothing();
    void upDownKeepsToTheRange();
    void everyListRaisesOneDataCheck_data();
    void everyListRaisesOneDataCheck();
    void everyTabHasOneBuilder();
    void pagesFitAndNameTheirControls();
    void labelsInOrder_data();
    void labelsInOrder();
};

void TestParamPages::cleanup()
{
    page_test_support::verifyNoWindowOpen();
}

void TestParamPages::typingIntoACentringBox()
{
    Rig rig("kbs18r", PageId::Param);
    QVERIFY(rig.activate());
    NumberBox* box = rig.box("centerCutSheet");

    rig.type("centerCutSheet", "5");
    QCOMPARE(box->text(), QString("5"));
    QVERIFY(rig.page->HasPendingEntry());
    QVERIFY(rig.dataChecks->count() >= 1);

    QTest::keyClicks(box, "8");
    QCOMPARE(box->text(), QString("58"));
    QVERIFY(!rig.page->HasPendingEntry());
    QCOMPARE(rig.stored("centerCutSheet"), QByteArray("58"));

    rig.type("centerCutSheet", "7");
    QCOMPARE(box->text(), QString("10"));
    QVERIFY(!rig.page->HasPendingEntry());

    rig.type("centerCutSheet", "");
    QCOMPARE(box->text(), QString("10"));

    rig.type("centerCutSheet", "69");
    QCOMPARE(box->text(), QString("68"));

    rig.type("centerRearTractor", "13");
    QCOMPARE(rig.box("centerRearTractor")->text(), QString("13"));
    QVERIFY(rig.page->HasPendingEntry());

    rig.type("sheetGuideFeedTime", "9");
    QCOMPARE(rig.box("sheetGuideFeedTime")->text(), QString("5"));
    QVERIFY(rig.messages.shown.empty());
}

void TestParamPages::pastingAndProgramChanges()
{
    Rig rig("kbs62d", PageId::Param);
    QVERIFY(rig.activate());
    NumberBox* box = rig.box("centerFrontTractor");
    box->setFocus();
    box->selectAll();
    QApplication::clipboard()->setText("0040");
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), QString("40"));

    QApplication::clipboard()->setText("4a");
    box->selectAll();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), QString("40")); // digits only

    // The program changing a box that has no focus is not corrected.
    rig.box("centerCutSheet")->setText("7");
    QCOMPARE(rig.box("centerCutSheet")->text(), QString("7"));
    QVERIFY(!rig.page->HasPendingEntry());
}

void TestParamPages::loadingIsQuiet()
{
    Rig rig("kbs18t", PageId::Param);
    QVERIFY(rig.activate());
    rig.type("centerCutSheet", "3");
    QVERIFY(rig.page->HasPendingEntry());
    rig.dataChecks->clear();

    SettingsBlock block(rig.variant.factoryDefaults);
    block[28] = '6';
    block[29] = '5';
    rig.page->LoadBlock(block);
    QCOMPARE(rig.box("centerCutSheet")->text(), QString("65"));
    QCOMPARE(rig.dataChecks->count(), 0);
    QVERIFY(!rig.page->HasPendingEntry());
}

void TestParamPages::pendingNotice_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("typed");     // box=keys
    QTest::addColumn<QStringList>("corrected"); // box=text after the notice
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("stillPending");

    const QString centering =
        "用紙吸入時ヘッドセンタリング位置の値が設定範囲を超えています。\n適正値に変更します。";
    const QString centeringCaption = "パラメータ設定－用紙吸入時ヘッドセンタリング位置";
    const QString cutSheet = "カット紙のセンタリング位置の値が設定範囲を超えています。\n適正値に変更します。";
    const QString continuous = "連続紙のセンタリング位置の値が設定範囲を超えています。\n適正値に変更します。";
    const QString kbs18tCaption = "パラメータ設定－カット紙のセンタリング位置";

    QTest::newRow("kbs18r all three, in order")
        << "kbs18r" << QStringList{"centerRearTractor=6", "centerCutSheet=5", "centerFrontTractor=1"}
        << QStringList{"centerCutSheet=10", "centerFrontTractor=10", "centerRearTractor=68"}
        << "centerRearTractor" << centering << centeringCaption << false;
    QTest::newRow("kbs62d front tractor") << "kbs62d" << QStringList{"centerFrontTractor=5"}
                                          << QStringList{"centerFrontTractor=10", "centerCutSheet=40"}
                                          << "centerFrontTractor" << centering << centeringCaption << false;
    QTest::newRow("kbs18t cut sheet first")
        << "kbs18t" << QStringList{"centerContinuous=2", "centerCutSheet=4"}
        << QStringList{"centerCutSheet=10", "centerContinuous=2"} << "centerCutSheet" << cutSheet
        << kbs18tCaption << true;
    QTest::newRow("kbs18t continuous")
        << "kbs18t" << QStringList{"centerContinuous=6"} << QStringList{"centerContinuous=10"}
        << "centerContinuous" << continuous << kbs18tCaption << false;
}

// The notice names the first pending boxes' subject and corrects them to their lowest value.
void TestParamPages::pendingNotice()
{
    QFETCH(QString, program);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, corrected);
    QFETCH(QString, focus);

    Rig rig(program.toLatin1().constData(), PageId::Param);
    QVERIFY(rig.activate());
    for (const QString& entry : typed)
        rig.type(entry.section('=', 0, 0).toLatin1().constData(), entry.section('=', 1));
    QVERIFY(rig.page->HasPendingEntry());

    rig.page->ShowPendingNotice();
    QCOMPARE(rig.messages.shown.size(), std::size_t(1));
    QTEST(text(rig.messages.shown[0].text), "notice");
    QTEST(text(rig.messages.shown[0].caption), "caption");
    for (const QString& entry : corrected)
        QCOMPARE(rig.box(entry.section('=', 0, 0).toLatin1().constData())->text(), entry.section('=', 1));
    QCOMPARE(QApplication::focusWidget(), rig.box(focus.toLatin1().constData()));
    QTEST(rig.page->HasPendingEntry(), "stillPending");
}

// A feed time the program put into the box unfocused cannot be stored: the page says so, and
// stores every member as it was; before a command the same box counts as a pending entry.
void TestParamPages::refusedFeedTimeStoresNothing()
{
    Rig rig("kbs62d", PageId::Param2);
    QVERIFY(rig.activate());
    QComboBox* lfPitch = rig.page->findChild<QComboBox*>("lfPitchSheetGuide");
    lfPitch->setCurrentIndex(0); // -5, not yet read by a store
    rig.box("sheetGuideFeedTime")->setText("9");
    QVERIFY(rig.page->HasPendingEntry());

    QCOMPARE(rig.stored("sheetGuideFeedTime"), QByteArray("2"));
    QCOMPARE(rig.stored("lfPitchSheetGuide"), QByteArray("00"));
    QVERIFY(rig.messages.shown.size() >= 1);
    QCOMPARE(text(rig.messages.shown.back().text), QString("2 から 5 までの整数を入力してください。"));
    QCOMPARE(text(rig.messages.shown.back().caption), QString("kbs62d"));

    rig.messages.shown.clear();
    rig.page->ShowPendingNotice();
    QCOMPARE(rig.messages.shown.size(), std::size_t(1));
    QCOMPARE(QApplication::focusWidget(), rig.box("sheetGuideFeedTime"));

    rig.type("sheetGuideFeedTime", "4");
    QVERIFY(!rig.page->HasPendingEntry());
    QCOMPARE(rig.stored("lfPitchSheetGuide"), QByteArray("FB"));
    QCOMPARE(rig.stored("sheetGuideFeedTime"), QByteArray("4"));
}

// The up-down control steps within the box's range, from what the box shows.
void TestParamPages::upDownKeepsToTheRange()
{
    Rig rig("kbs18t", PageId::Param);
    QVERIFY(rig.activate());
    NumberBox* feed = rig.box("sheetGuideFeedTime");
    feed->setFocus();
    QCOMPARE(feed->text(), QString("2"));
    QTest::keyClick(feed, Qt::Key_Down);
    QCOMPARE(feed->text(), QString("2"));
    for (int step = 0; step < 5; ++step)
        QTest::keyClick(feed, Qt::Key_Up);
    QCOMPARE(feed->text(), QString("5"));
    QCOMPARE(rig.stored("sheetGuideFeedTime"), QByteArray("05"));

    NumberBox* centering = rig.box("centerContinuous");
    centering->setFocus();
    QTest::keyClick(centering, Qt::Key_Up);
    QCOMPARE(centering->text(), QString("37"));
    QCOMPARE(rig.stored("centerContinuous"), QByteArray("37"));
}

void TestParamPages::everyListRaisesOneDataCheck_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("page");
    QTest::newRow("kbs18r") << "kbs18r" << int(PageId::Param);
    QTest::newRow("kbs62d 1") << "kbs62d" << int(PageId::Param);
    QTest::newRow("kbs62d 2") << "kbs62d" << int(PageId::Param2);
    QTest::newRow("kbs18t") << "kbs18t" << int(PageId::Param);
}

// Choosing another entry with the keyboard raises one data check and changes the stored code;
// clicking the other radio button does the same.
void TestParamPages::everyListRaisesOneDataCheck()
{
    QFETCH(QString, program);
    QFETCH(int, page);
    Rig rig(program.toLatin1().constData(), PageId(page));
    QVERIFY(rig.activate());
    const SettingsBlock before = rig.stored();
    QList<QWidget*> choices;
    for (QComboBox* list : rig.page->findChildren<QComboBox*>())
        choices << list;
    for (QRadioButton* radio : rig.page->findChildren<QRadioButton*>())
        if (!radio->isChecked())
            choices << radio;
    QVERIFY(choices.size() >= 4);
    for (QWidget* choice : choices) {
        rig.dataChecks->clear();
        page_test_support::changeChoice(choice);
        QCOMPARE(rig.dataChecks->count(), 1);
        QVERIFY2(rig.stored() != before, qPrintable(choice->objectName()));
        rig.page->LoadBlock(before);
    }
}

// Dropping a page from the registry, or registering one twice, fails here.
void TestParamPages::everyTabHasOneBuilder()
{
    const auto registry = pageRegistry();
    for (const ModelVariant* variant : kVariants) {
        for (const TabSpec& tab : variant->tabs) {
            const auto builders = std::ranges::count(registry, tab.page, &PageRegistration::page);
            QVERIFY2(builders == 1, variant->deliverable.data());
        }
    }
}

// Every page of every program lies within its 230 x 190 dialog units, and every control the
// user can reach has an object name.
void TestParamPages::pagesFitAndNameTheirControls()
{
    FakeMessages messages;
    FakeDialogs dialogs;
    for (const ModelVariant* variant : kVariants) {
        for (const TabSpec& tab : variant->tabs) {
            const auto page = createPage({*variant, messages, dialogs}, tab.page, nullptr);
            const QString where = QString("%1 %2").arg(variant->deliverable.data(), page->objectName());
            if (QLayout* layout = page->layout()) {
                const QSize needed = layout->minimumSize();
                QVERIFY2(needed.width() <= page->width() && needed.height() <= page->height(),
                         qPrintable(where));
            }
            for (const QWidget* child : page->findChildren<QWidget*>())
                if (child->focusPolicy() != Qt::NoFocus && child->isVisibleTo(page.get()) &&
                    !qobject_cast<const QLineEdit*>(child))
                    QVERIFY2(!child->objectName().isEmpty(),
                             qPrintable(where + " " + child->metaObject()->className()));
        }
    }
}

void TestParamPages::labelsInOrder_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("labels"); // lists and boxes: their labels; radio pairs: their buttons
    QTest::newRow("kbs18r") << "kbs18r" << int(PageId::Param)
                            << QStringList{"カット紙(&C)",
                                           "フロントトラクタ(&T)",
                                           "リアトラクタ(&R)",
                                           "漢字コード表(&K)",
                                           "フォント１(&1)",
                                           "フォント２(&2)",
                                           "自動用紙厚調整\n再実行時間時間(&A)",
                                           "カット位置からの\n自動戻り時間(&P)",
                                           "OFF(&N)",
                                           "ON(&Y)",
                                           "シートガイドからの\n用紙吸入時間(&J)",
                                           "シートガイド(&G)",
                                           "シートフィーダ(&S)",
                                           "フロントトラクタ(&D)",
                                           "リアトラクタ(&B)"};
    QTest::newRow("kbs62d 1") << "kbs62d" << int(PageId::Param)
                              << QStringList{"カット紙(&C)",     "フロントトラクタ(&T)",
                                             "リアトラクタ(&R)", "漢字コード表(&K)",
                                             "フォント１(&1)",   "フォント２(&2)",
                                             "センタ(&S)",       "レフト(&L)",
                                             "OFF(&N)",          "ON(&Y)"};
    QTest::newRow("kbs62d 2") << "kbs62d" << int(PageId::Param2)
                              << QStringList{"シートガイド(&G)",
                                             "シートフィーダ(&S)",
                                             "フロントトラクタ(&F)",
                                             "リアトラクタ(&R)",
                                             "自動用紙厚調整再実行時間(&A)",
                                             "連続紙カット位置からの自動戻り時間(&P)",
                                             "シートガイドからの用紙吸入時間(&J)"};
    QTest::newRow("kbs18t") << "kbs18t" << int(PageId::Param)
                            << QStringList{"カット紙のセンタリング位置(&C)",
                                           "連続紙のセンタリング位置(&T)",
                                           "漢字コード表(&K)",
                                           "シートガイドからの用紙吸入時間(&J)",
                                           "カット位置からの自動戻り時間(&P)",
                                           "フォント１(&1)",
                                           "フォント２(&2)",
                                           "OFF(&N)",
                                           "ON(&Y)",
                                           "自動用紙厚調整再実行時間(&A)"};
}

// The labels in the order the keyboard reaches their controls.
void TestParamPages::labelsInOrder()
{
    QFETCH(QString, program);
    QFETCH(int, page);
    Rig rig(program.toLatin1().constData(), PageId(page));
    QStringList labels;
    for (QWidget* widget = rig.page->nextInFocusChain(); widget != rig.page.get();
         widget = widget->nextInFocusChain()) {
        if (!rig.page->isAncestorOf(widget) || widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            labels << radio->text();
            continue;
        }
        const auto label = rig.page->findChild<QLabel*>(widget->objectName() + "_label");
        if (label)
            labels << label->text();
    }
    QTEST(labels, "labels");
    rig.page->hide();
}

QTEST_MAIN(TestParamPages)
#include "tst_param_pages.moc"
