#include "pagedata/switch_cases.h"
#include "pages/page_factory.h"
#include "pages/page_size.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace kbs;
using namespace switch_cases;

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString controlName(int msw, const SwitchRow& row)
{
    return QStringLiteral("msw%1_%2").arg(msw).arg(row.switches.first);
}

bool isShown(const SwitchRow& row)
{
    return row.control == SwitchControl::RadioPair || row.control == SwitchControl::CheckBox ||
           row.control == SwitchControl::CountryList;
}

struct OpenPage {
    SwitchPageCase page;
    std::unique_ptr<PageWidget> widget;
};

OpenPage openPage(int caseIndex)
{
    const SwitchPageCase page = allSwitchPages().at(static_cast<std::size_t>(caseIndex));
    OpenPage open{page, createPage(*page.variant, pageOf(page.msw), nullptr)};
    open.widget->show();
    return open;
}

void addAllPages()
{
    QTest::addColumn<int>("caseIndex");
    const auto cases = allSwitchPages();
    for (std::size_t index = 0; index < cases.size(); ++index)
        QTest::newRow(caseName(cases[index]).constData()) << static_cast<int>(index);
}

// The page's pair after storing it into a copy of `loaded`.
std::pair<std::uint8_t, std::uint8_t> storedPair(PageWidget& page, const SettingsBlock& loaded,
                                                 std::size_t offset)
{
    SettingsBlock block = loaded;
    page.StoreBlock(block);
    for (std::size_t index = 0; index < block.size(); ++index) {
        if (index != offset && index != offset + 1 && block[index] != loaded[index])
            qFatal("the page wrote byte %zu outside its pair", index);
    }
    return {block[offset], block[offset + 1]};
}

std::pair<std::uint8_t, std::uint8_t> withSwitch(std::pair<std::uint8_t, std::uint8_t> pair, int number)
{
    const auto bit = static_cast<std::uint8_t>(1U << ((number - 1) % 4));
    if (number <= 4)
        pair.first |= bit;
    else
        pair.second |= bit;
    return pair;
}

bool overlaps(const QWidget* a, const QWidget* b)
{
    return a->geometry().intersects(b->geometry());
}

// Every child widget lies inside its parent and apart from its siblings, at no less than
// the size it asks for.
void checkNothingClippedOrOverlapping(const QWidget& parent)
{
    const QList<QWidget*> children = parent.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (const QWidget* child : children) {
        if (!child->isVisible())
            continue;
        QVERIFY2(parent.rect().contains(child->geometry()), qPrintable(child->objectName()));
        QVERIFY2(child->width() >= child->minimumSizeHint().width(), qPrintable(child->objectName()));
        QVERIFY2(child->height() >= child->minimumSizeHint().height(), qPrintable(child->objectName()));
        for (const QWidget* other : children) {
            if (other != child && other->isVisible())
                QVERIFY2(!overlaps(child, other),
                         qPrintable(child->objectName() + u' ' + other->objectName()));
        }
        checkNothingClippedOrOverlapping(*child);
    }
}

} // namespace

class TestSwitchPages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void pageFitsItsSize_data();
    void pageFitsItsSize();
    void labelsFollowTheTable_data();
    void labelsFollowTheTable();
    void nothingCheckedBeforeFirstLoad_data();
    void nothingCheckedBeforeFirstLoad();
    void loadRaisesNoDataCheck_data();
    void loadRaisesNoDataCheck();
    void everyClickChangesItsBit_data();
    void everyClickChangesItsBit();
    void countryListChoices_data();
    void countryListChoices();
    void mnemonicChoosesButton();
    void arrowKeyChoosesOtherButton();
    void lineBreakShowsInButton();
};

void TestSwitchPages::initTestCase()
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void TestSwitchPages::cleanup()
{
    for (const QWidget* window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
}

void TestSwitchPages::pageFitsItsSize_data()
{
    addAllPages();
}

void TestSwitchPages::pageFitsItsSize()
{
    QFETCH(int, caseIndex);
    const OpenPage open = openPage(caseIndex);
    PageWidget& page = *open.widget;
    page.LoadBlock(factoryBlock(*open.page.variant));

    QCOMPARE(page.objectName(), QStringLiteral("CPage_MSW%1").arg(open.page.msw));
    QCOMPARE(page.size(), pageSize(page.font()));
    QVERIFY(page.layout() != nullptr);
    const QSize needed = page.layout()->minimumSize();
    QVERIFY2(needed.width() <= page.width() && needed.height() <= page.height(),
             qPrintable(QStringLiteral("needs %1 x %2").arg(needed.width()).arg(needed.height())));
    page.layout()->activate();
    checkNothingClippedOrOverlapping(page);
}

void TestSwitchPages::labelsFollowTheTable_data()
{
    addAllPages();
}

void TestSwitchPages::labelsFollowTheTable()
{
    QFETCH(int, caseIndex);
    const OpenPage open = openPage(caseIndex);
    const PageWidget& page = *open.widget;
    const int msw = open.page.msw;

    int radioPairs = 0;
    for (const SwitchRow& row : tableOf(*open.page.variant, msw).rows) {
        const QString name = controlName(msw, row);
        switch (row.control) {
        case SwitchControl::RadioPair: {
            ++radioPairs;
            const auto* group = page.findChild<QGroupBox*>(name);
            QVERIFY2(group != nullptr, qPrintable(name));
            QCOMPARE(group->title(), qs(row.caption));
            QCOMPARE(page.findChild<QRadioButton*>(name + "_0")->text(), qs(row.label0));
            QCOMPARE(page.findChild<QRadioButton*>(name + "_1")->text(), qs(row.label1));
            QCOMPARE(page.findChild<QLabel*>(name + "_note")->text(), qs(row.switchLabel));
            break;
        }
        case SwitchControl::CheckBox: {
            const auto* box = page.findChild<QCheckBox*>(name);
            QVERIFY2(box != nullptr, qPrintable(name));
            QCOMPARE(box->text(), qs(row.caption));
            break;
        }
        case SwitchControl::CountryList: {
            const auto* list = page.findChild<QComboBox*>(QStringLiteral("msw%1_country").arg(msw));
            QVERIFY(list != nullptr);
            QVERIFY(!list->isEditable());
            QStringList entries;
            for (int index = 0; index < list->count(); ++index)
                entries << list->itemText(index);
            QCOMPARE(entries, QStringList({"日本", "アメリカ", "イギリス", "ドイツ", "スウェーデン"}));
            const auto* label = page.findChild<QLabel*>(list->objectName() + "_label");
            QCOMPARE(label->text(), qs(row.caption));
            QCOMPARE(label->buddy(), list);
            break;
        }
        case SwitchControl::HiddenRadioPair:
        case SwitchControl::PassedThrough:
        case SwitchControl::Cleared:
            QVERIFY2(page.findChild<QWidget*>(name) == nullptr, qPrintable(name));
            break;
        }
    }
    QCOMPARE(page.findChildren<QRadioButton*>().size(), 2 * radioPairs);
}

void TestSwitchPages::nothingCheckedBeforeFirstLoad_data()
{
    addAllPages();
}

void TestSwitchPages::nothingCheckedBeforeFirstLoad()
{
    QFETCH(int, caseIndex);
    const OpenPage open = openPage(caseIndex);
    for (const QRadioButton* button : open.widget->findChildren<QRadioButton*>())
        QVERIFY2(!button->isChecked(), qPrintable(button->objectName()));
    for (const QComboBox* list : open.widget->findChildren<QComboBox*>())
        QCOMPARE(list->currentIndex(), -1);
}

void TestSwitchPages::loadRaisesNoDataCheck_data()
{
    addAllPages();
}

void TestSwitchPages::loadRaisesNoDataCheck()
{
    QFETCH(int, caseIndex);
    const OpenPage open = openPage(caseIndex);
    QSignalSpy dataChecks(open.widget.get(), &PageWidget::dataCheckRequested);
    open.widget->LoadBlock(factoryBlock(*open.page.variant));
    open.widget->LoadBlock(withPair(factoryBlock(*open.page.variant), open.page.offset, 0x0F, 0x0F));
    QCOMPARE(dataChecks.count(), 0);

    // Loading afresh after the user's choice shows the block, not the choice.
    auto* firstButton = open.widget->findChildren<QRadioButton*>().value(0);
    if (firstButton != nullptr) {
        open.widget->LoadBlock(factoryBlock(*open.page.variant));
        QTest::mouseClick(firstButton, Qt::LeftButton);
        open.widget->LoadBlock(factoryBlock(*open.page.variant));
        const SettingsBlock loaded = factoryBlock(*open.page.variant);
        QCOMPARE(storedPair(*open.widget, loaded, open.page.offset),
                 std::make_pair(loaded[open.page.offset], loaded[open.page.offset + 1]));
    }
}

void TestSwitchPages::everyClickChangesItsBit_data()
{
    addAllPages();
}

// Each click raises one data check and moves exactly its switch's bit, from 0 to 1 and back.
void TestSwitchPages::everyClickChangesItsBit()
{
    QFETCH(int, caseIndex);
    const OpenPage open = openPage(caseIndex);
    PageWidget& page = *open.widget;
    const std::size_t offset = open.page.offset;
    const SettingsBlock loaded = withPair(factoryBlock(*open.page.variant), offset, 0x00, 0x00);
    QSignalSpy dataChecks(&page, &PageWidget::dataCheckRequested);

    for (const SwitchRow& row : tableOf(*open.page.variant, open.page.msw).rows) {
        if (!isShown(row) || row.control == SwitchControl::CountryList)
            continue;
        const QString name = controlName(open.page.msw, row);
        page.LoadBlock(loaded);
        const auto unchanged = storedPair(page, loaded, offset);
        const auto set = withSwitch(unchanged, row.switches.first);
        QVERIFY(set != unchanged);

        QAbstractButton* toOne = row.control == SwitchControl::CheckBox
                                     ? static_cast<QAbstractButton*>(page.findChild<QCheckBox*>(name))
                                     : page.findChild<QRadioButton*>(name + "_1");
        QAbstractButton* toZero =
            row.control == SwitchControl::CheckBox ? toOne : page.findChild<QRadioButton*>(name + "_0");
        QVERIFY2(toOne != nullptr && toZero != nullptr, qPrintable(name));

        dataChecks.clear();
        QTest::mouseClick(toOne, Qt::LeftButton);
        QCOMPARE(dataChecks.count(), 1);
        QCOMPARE(storedPair(page, loaded, offset), set);

        QTest::mouseClick(toZero, Qt::LeftButton);
        QCOMPARE(dataChecks.count(), 2);
        QCOMPARE(storedPair(page, loaded, offset), unchanged);
    }
}

void TestSwitchPages::countryListChoices_data()
{
    QTest::addColumn<int>("caseIndex");
    const auto cases = allSwitchPages();
    for (std::size_t index = 0; index < cases.size(); ++index) {
        if (cases[index].msw == 1)
            QTest::newRow(caseName(cases[index]).constData()) << static_cast<int>(index);
    }
}

// Stepping down the list with the keyboard chooses each country in turn, each a change
// of its own; MSW1-4 in bit 3 stays as loaded.
void TestSwitchPages::countryListChoices()
{
    QFETCH(int, caseIndex);
    const OpenPage open = openPage(caseIndex);
    PageWidget& page = *open.widget;
    const std::size_t offset = open.page.offset;
    const SettingsBlock loaded = withPair(factoryBlock(*open.page.variant), offset, 0x09, 0x00);
    page.LoadBlock(loaded);
    auto* list = page.findChild<QComboBox*>("msw1_country");
    QCOMPARE(list->currentText(), QStringLiteral("日本"));

    QSignalSpy dataChecks(&page, &PageWidget::dataCheckRequested);
    const std::array<std::uint8_t, 4> codes = {2, 3, 4, 5};
    for (std::size_t step = 0; step < codes.size(); ++step) {
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(dataChecks.count(), static_cast<int>(step + 1));
        QCOMPARE(storedPair(page, loaded, offset),
                 std::make_pair(static_cast<std::uint8_t>(0x08 | codes[step]), std::uint8_t{0x00}));
    }
}

void TestSwitchPages::mnemonicChoosesButton()
{
    const OpenPage open = openPage(0); // kbs18r MSW1
    PageWidget& page = *open.widget;
    page.LoadBlock(factoryBlock(*open.page.variant));
    QVERIFY(QTest::qWaitForWindowActive(&page));
    QSignalSpy dataChecks(&page, &PageWidget::dataCheckRequested);

    QTest::keyClick(&page, Qt::Key_K, Qt::AltModifier); // 高速受信(&K)
    QTRY_COMPARE(dataChecks.count(), 1);
    QVERIFY(page.findChild<QRadioButton*>("msw1_4_1")->isChecked());
    QCOMPARE(storedPair(page, factoryBlock(*open.page.variant), open.page.offset).first, std::uint8_t{0x08});
}

void TestSwitchPages::arrowKeyChoosesOtherButton()
{
    const OpenPage open = openPage(0); // kbs18r MSW1
    PageWidget& page = *open.widget;
    page.LoadBlock(factoryBlock(*open.page.variant));
    QVERIFY(QTest::qWaitForWindowActive(&page));
    auto* first = page.findChild<QRadioButton*>("msw1_5_0");
    first->setFocus();
    QSignalSpy dataChecks(&page, &PageWidget::dataCheckRequested);

    QTest::keyClick(first, Qt::Key_Down);
    QCOMPARE(dataChecks.count(), 1);
    QVERIFY(page.findChild<QRadioButton*>("msw1_5_1")->isChecked());
    QCOMPARE(storedPair(page, factoryBlock(*open.page.variant), open.page.offset).second, std::uint8_t{0x01});
}

void TestSwitchPages::lineBreakShowsInButton()
{
    const OpenPage open = openPage(0); // kbs18r MSW1
    const auto* oneLine = open.widget->findChild<QRadioButton*>("msw1_7_0");
    const auto* twoLines = open.widget->findChild<QRadioButton*>("msw1_7_1");
    QVERIFY(twoLines->text().contains(u'\n'));
    QVERIFY(twoLines->height() >= oneLine->height() + oneLine->fontMetrics().height());
}

QTEST_MAIN(TestSwitchPages)
#include "tst_switch_pages.moc"
