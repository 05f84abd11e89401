#include "pagedata/switch_page.h"
#include "switch_cases.h"

#include <QtTest>

#include <algorithm>

using namespace kbs;
using namespace switch_cases;

namespace {

// Loads `loaded` into the page's data and stores it into a block unlike it, so that what the page
// takes from the load shows, and so does a write outside the pair.
Pair loadAndStorePair(const SwitchPageCase& page, const SettingsBlock& loaded)
{
    PageData data = switchPageData(*page.table, page.variant->fields);
    data.load(loaded);
    SettingsBlock pattern = loaded;
    for (std::size_t index = 0; index < pattern.size(); ++index)
        pattern[index] = static_cast<std::uint8_t>(0x80 + index * 7);
    SettingsBlock stored = pattern;
    data.store(stored);
    return pairOnlyChanged(pattern, stored, page.offset);
}

} // namespace

class TestSwitchPageData : public QObject {
    Q_OBJECT

private slots:
    void factoryDefaultsAreReproduced();
    void loadAndStore_data();
    void loadAndStore();
};

void TestSwitchPageData::factoryDefaultsAreReproduced()
{
    for (const SwitchPageCase& page : allSwitchPages()) {
        const SettingsBlock factory(page.variant->factoryDefaults);
        QCOMPARE(loadAndStorePair(page, factory), Pair(factory[page.offset], factory[page.offset + 1]));
    }
}

void TestSwitchPageData::loadAndStore_data()
{
    QTest::addColumn<QByteArray>("deliverable");
    QTest::addColumn<int>("msw");
    QTest::addColumn<QByteArray>("loaded");
    QTest::addColumn<QByteArray>("stored");

    const auto row = [](const char* name, const char* deliverable, int msw, const char* loaded,
                        const char* stored) {
        QTest::newRow(name) << QByteArray(deliverable) << msw << QByteArray(loaded, 2)
                            << QByteArray(stored, 2);
    };
    row("country 05", "kbs18r", 1, "\x05\x00", "\x05\x00");
    row("country 0D keeps MSW1-4", "kbs18r", 1, "\x0D\x00", "\x0D\x00");
    row("country 01 is stored as 00", "kbs18r", 1, "\x01\x00", "\x00\x00");
    row("kbs62d msw4 0F 0F", "kbs62d", 4, "\x0F\x0F", "\x0D\x09");
    row("kbs62d msw5 second byte 0F", "kbs62d", 5, "\x03\x0F", "\x03\x01");
    row("kbs18r msw5 second byte 0F", "kbs18r", 5, "\x03\x0F", "\x03\x0F");
    row("kbs62d msw2-4 passed through", "kbs62d", 2, "\x08\x00", "\x08\x00");
    row("kbs18t hidden msw4-2 passed through", "kbs18t", 4, "\x02\x00", "\x02\x00");
    row("high bits dropped", "kbs18r", 5, "\xF3\xAE", "\x03\x0E");
}

void TestSwitchPageData::loadAndStore()
{
    QFETCH(QByteArray, deliverable);
    QFETCH(int, msw);
    QFETCH(QByteArray, loaded);
    QFETCH(QByteArray, stored);

    const auto& cases = allSwitchPages();
    const auto page = std::find_if(cases.begin(), cases.end(), [&](const SwitchPageCase& each) {
        return each.variant->deliverable == deliverable.toStdString() && each.msw == msw;
    });
    QVERIFY(page != cases.end());
    const auto pairOf = [](const QByteArray& bytes) {
        return Pair(std::uint8_t(bytes[0]), std::uint8_t(bytes[1]));
    };
    const SettingsBlock factory(page->variant->factoryDefaults);
    QCOMPARE(loadAndStorePair(*page, withPair(factory, page->offset, pairOf(loaded))), pairOf(stored));
}

QTEST_GUILESS_MAIN(TestSwitchPageData)
#include "tst_switch_page_data.moc"
