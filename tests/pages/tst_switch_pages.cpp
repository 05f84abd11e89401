#include "page_fakes.h"
#include "page_test_support.h"
#include "pagedata/switch_cases.h"
#include "pages/page_factory.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

using namespace kbs;
using namespace switch_cases;

class TestSwitchPages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup();
    void everyClickChangesItsBit_data();
    void everyClickChangesItsBit();
};

void TestSwitchPages::cleanup()
{
    page_test_support::verifyNoWindowOpen();
}

void TestSwitchPages::everyClickChangesItsBit_data()
{
    QTest::addColumn<int>("caseIndex");
    const auto& cases = allSwitchPages();
    for (std::size_t index = 0; index < cases.size(); ++index)
        QTest::addRow("%s MSW%d", cases[index].variant->deliverable.data(), cases[index].msw) << int(index);
}

// Loading raises no data check; each click raises one and moves exactly its switch's bit,
// from 0 to 1 and back.
void TestSwitchPages::everyClickChangesItsBit()
{
    QFETCH(int, caseIndex);
    const SwitchPageCase& page = allSwitchPages().at(std::size_t(caseIndex));
    page_fakes::FakeMessages messages;
    page_fakes::FakeDialogs dialogs;
    const auto widget = createPage({*page.variant, messages, dialogs}, page.table->page, nullptr);
    widget->show();
    const SettingsBlock factory(page.variant->factoryDefaults);
    const SettingsBlock loaded = withPair(factory, page.offset, {0x00, 0x00});
    QSignalSpy dataChecks(widget.get(), &PageWidget::dataCheckRequested);
    widget->LoadBlock(withPair(factory, page.offset, {0x0F, 0x0F}));
    widget->LoadBlock(loaded);
    QCOMPARE(dataChecks.count(), 0);

    const auto storedPair = [&] {
        SettingsBlock block = loaded;
        widget->StoreBlock(block);
        return pairOnlyChanged(loaded, block, page.offset);
    };
    for (const SwitchRow& row : page.table->rows) {
        const QString name = QStringLiteral("msw%1_%2").arg(page.msw).arg(row.switches.first);
        const bool radio = row.control == SwitchControl::RadioPair;
        if (!radio && row.control != SwitchControl::CheckBox)
            continue;
        QAbstractButton* toOne =
            radio ? static_cast<QAbstractButton*>(widget->findChild<QRadioButton*>(name + "_1"))
                  : widget->findChild<QCheckBox*>(name);
        QAbstractButton* toZero = radio ? widget->findChild<QRadioButton*>(name + "_0") : toOne;
        QVERIFY2(toOne != nullptr && toZero != nullptr, qPrintable(name));

        const Pair unchanged = storedPair();
        const int number = row.switches.first;
        const auto bit = static_cast<std::uint8_t>(1U << ((number - 1) % 4));
        const Pair set = number <= 4 ? Pair(unchanged.first | bit, unchanged.second)
                                     : Pair(unchanged.first, unchanged.second | bit);
        QVERIFY(set != unchanged);

        dataChecks.clear();
        QTest::mouseClick(toOne, Qt::LeftButton);
        QCOMPARE(dataChecks.count(), 1);
        QCOMPARE(storedPair(), set);
        QTest::mouseClick(toZero, Qt::LeftButton);
        QCOMPARE(dataChecks.count(), 2);
        QCOMPARE(storedPair(), unchanged);
    }
}

QTEST_MAIN(TestSwitchPages)
#include "tst_switch_pages.moc"
