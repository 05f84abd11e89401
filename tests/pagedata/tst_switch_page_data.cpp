#include "pagedata/code_list.h"
#include "pagedata/switch_page.h"
#include "switch_cases.h"

#include <QtTest>

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

using namespace kbs;
using namespace switch_cases;

namespace {

const SwitchPageCase& caseOf(const QByteArray& deliverable, int msw)
{
    for (const SwitchPageCase& page : allSwitchPages()) {
        if (page.variant->deliverable == deliverable.toStdString() && page.msw == msw)
            return page;
    }
    qFatal("no such switch page");
}

PageData pageDataOf(const SwitchPageCase& page)
{
    return switchPageData(*page.table, page.variant->fields);
}

// Stores `data` into the pattern block and checks that no byte outside the page's pair moved.
std::pair<std::uint8_t, std::uint8_t> storedPair(PageData& data, const SwitchPageCase& page)
{
    const SettingsBlock pattern = patternBlock(page);
    SettingsBlock target = pattern;
    data.store(target);
    for (std::size_t index = 0; index < target.size(); ++index) {
        if (index != page.offset && index != page.offset + 1 && target[index] != pattern[index])
            qFatal("byte %zu outside the pair was written", index);
    }
    return {target[page.offset], target[page.offset + 1]};
}

std::pair<std::uint8_t, std::uint8_t> pair(const QByteArray& bytes)
{
    return {static_cast<std::uint8_t>(bytes[0]), static_cast<std::uint8_t>(bytes[1])};
}

} // namespace

class TestSwitchPageData : public QObject {
    Q_OBJECT

private slots:
    void factoryDefaultsAndFirstLoad_data() { addPageRows(); }
    void factoryDefaultsAndFirstLoad();
    void loadAndStore_data();
    void loadAndStore();
    void countryList_data();
    void countryList();
    void malformedTablesAreRefused_data();
    void malformedTablesAreRefused();
    void codeListFallbacks();
};

void TestSwitchPageData::factoryDefaultsAndFirstLoad()
{
    const SwitchPageCase& page = fetchedPage();
    PageData data = pageDataOf(page);

    // Before the first load nothing is chosen, and storing writes zeros, not a stray pattern.
    for (std::size_t index = 0; index < data.controls().size(); ++index) {
        QCOMPARE(data.member(index).choice, Member::kNoChoice);
        QVERIFY(data.member(index).text.empty());
    }
    QCOMPARE(storedPair(data, page), std::make_pair(std::uint8_t{0}, std::uint8_t{0}));

    constexpr std::array<std::array<std::uint8_t, 2>, 5> defaults = {
        {{0x00, 0x00}, {0x02, 0x00}, {0x00, 0x00}, {0x0C, 0x00}, {0x03, 0x00}}};
    const auto expected = defaults.at(static_cast<std::size_t>(page.msw - 1));
    data.load(factoryBlock(page));
    QCOMPARE(storedPair(data, page), std::make_pair(expected[0], expected[1]));
}

void TestSwitchPageData::loadAndStore_data()
{
    QTest::addColumn<QByteArray>("deliverable");
    QTest::addColumn<int>("msw");
    QTest::addColumn<QByteArray>("loaded");
    QTest::addColumn<QByteArray>("stored");

    // All bits set: the country code 7 has no entry and becomes 0; bits 4 to 7 drop;
    // switches without a control are passed through or cleared as the variant says.
    const std::array<std::pair<const char*, std::array<const char*, 5>>, 3> allSet = {{
        {"kbs18r", {"\x08\x0F", "\x0F\x0F", "\x0F\x0F", "\x0F\x0F", "\x0F\x0F"}},
        {"kbs62d", {"\x08\x0F", "\x0F\x0F", "\x0F\x0F", "\x0D\x09", "\x0F\x01"}},
        {"kbs18t", {"\x08\x0F", "\x0F\x0F", "\x0F\x0F", "\x0F\x0F", "\x0F\x0F"}},
    }};
    for (const auto& [deliverable, stored] : allSet) {
        for (int msw = 1; msw <= 5; ++msw) {
            QTest::addRow("%s MSW%d all set", deliverable, msw)
                << QByteArray(deliverable) << msw << QByteArray("\xFF\xFF", 2)
                << QByteArray(stored.at(static_cast<std::size_t>(msw - 1)), 2);
        }
    }
    const auto row = [](const char* name, const char* deliverable, int msw, const char* loaded,
                        const char* stored) {
        QTest::newRow(name) << QByteArray(deliverable) << msw << QByteArray(loaded, 2)
                            << QByteArray(stored, 2);
    };
    row("kbs62d msw4 0F 0F", "kbs62d", 4, "\x0F\x0F", "\x0D\x09");
    row("kbs62d msw4-2 cleared", "kbs62d", 4, "\x02\x00", "\x00\x00");
    row("kbs18t hidden msw4-2 passed through", "kbs18t", 4, "\x02\x00", "\x02\x00");
    row("kbs62d msw2-4 passed through", "kbs62d", 2, "\x08\x00", "\x08\x00");
    row("kbs62d msw5 second byte 0F", "kbs62d", 5, "\x03\x0F", "\x03\x01");
    row("kbs18r msw5 second byte 0F", "kbs18r", 5, "\x03\x0F", "\x03\x0F");
    row("kbs18t msw5 second byte 0F", "kbs18t", 5, "\x03\x0F", "\x03\x0F");
    row("kbs18r msw5 high bits", "kbs18r", 5, "\xF3\xAE", "\x03\x0E");
}

void TestSwitchPageData::loadAndStore()
{
    QFETCH(QByteArray, deliverable);
    QFETCH(int, msw);
    QFETCH(QByteArray, loaded);
    QFETCH(QByteArray, stored);
    const SwitchPageCase& page = caseOf(deliverable, msw);

    PageData data = pageDataOf(page);
    data.load(withPair(factoryBlock(page), page.offset, pair(loaded).first, pair(loaded).second));
    // Stored into another block than the one loaded: what has no control still comes from the load.
    QCOMPARE(storedPair(data, page), pair(stored));
}

void TestSwitchPageData::countryList_data()
{
    QTest::addColumn<int>("firstByte");
    QTest::addColumn<QString>("country");
    QTest::addColumn<int>("msw1_4");
    QTest::addColumn<int>("storedByte");

    QTest::newRow("01") << 0x01 << "日本" << 0 << 0x00;
    QTest::newRow("05") << 0x05 << "スウェーデン" << 0 << 0x05;
    QTest::newRow("07 has no entry") << 0x07 << "日本" << 0 << 0x00;
    QTest::newRow("0D") << 0x0D << "スウェーデン" << 1 << 0x0D;
    QTest::newRow("F5 high bits") << 0xF5 << "スウェーデン" << 0 << 0x05;
}

void TestSwitchPageData::countryList()
{
    QFETCH(int, firstByte);
    QFETCH(QString, country);
    QFETCH(int, msw1_4);
    QFETCH(int, storedByte);

    // The list is the same in every program; the tables that place it are not.
    for (const char* deliverable : {"kbs18r", "kbs62d", "kbs18t"}) {
        const SwitchPageCase& page = caseOf(deliverable, 1);
        PageData data = pageDataOf(page);
        data.load(withPair(factoryBlock(page), page.offset, static_cast<std::uint8_t>(firstByte), 0x00));
        std::size_t listIndex = 0;
        std::size_t msw1_4Index = 0;
        for (std::size_t index = 0; index < data.controls().size(); ++index) {
            if (data.controls()[index].name == "msw1_country")
                listIndex = index;
            if (data.controls()[index].name == "msw1_4")
                msw1_4Index = index;
        }
        QCOMPARE(QString::fromStdString(data.member(listIndex).text), country);
        QCOMPARE(data.member(msw1_4Index).choice, msw1_4);
        QCOMPARE(storedPair(data, page).first, static_cast<std::uint8_t>(storedByte));
    }
}

void TestSwitchPageData::malformedTablesAreRefused_data()
{
    QTest::addColumn<int>("table");
    QTest::newRow("switch missing") << 0;
    QTest::newRow("switch twice") << 1;
    QTest::newRow("radio pair over two switches") << 2;
    QTest::newRow("country list over two switches") << 3;
    QTest::newRow("switch number 9") << 4;
    QTest::newRow("field not in the layout") << 5;
    QTest::newRow("field not a switch pair") << 6;
}

void TestSwitchPageData::malformedTablesAreRefused()
{
    QFETCH(int, table);
    using enum SwitchControl;
    static constexpr std::array<SwitchRow, 2> missing = {
        {{{1, 4}, "", "", "", "", Cleared}, {{5, 7}, "", "", "", "", Cleared}}};
    static constexpr std::array<SwitchRow, 2> twice = {
        {{{1, 8}, "", "", "", "", Cleared}, {3, "c", "（MSW1-3）", "a(&A)", "b(&B)", RadioPair}}};
    static constexpr std::array<SwitchRow, 2> wideRadio = {
        {{{1, 2}, "c", "", "a(&A)", "b(&B)", RadioPair}, {{3, 8}, "", "", "", "", Cleared}}};
    static constexpr std::array<SwitchRow, 2> narrowList = {
        {{{1, 2}, "c(&C)", "", "", "", CountryList}, {{3, 8}, "", "", "", "", Cleared}}};
    static constexpr std::array<SwitchRow, 1> nine = {{{{1, 9}, "", "", "", "", Cleared}}};
    static constexpr std::array<SwitchRow, 1> whole = {{{{1, 8}, "", "", "", "", PassedThrough}}};
    const std::array<SwitchPageTable, 7> tables = {{
        {PageId::MSW1, "msw1", missing},
        {PageId::MSW1, "msw1", twice},
        {PageId::MSW1, "msw1", wideRadio},
        {PageId::MSW1, "msw1", narrowList},
        {PageId::MSW1, "msw1", nine},
        {PageId::MSW1, "msw9", whole},
        {PageId::MSW1, "font1", whole},
    }};
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, switchPageData(tables.at(static_cast<std::size_t>(table)),
                                                                   kbs18r::variant().fields));
}

void TestSwitchPageData::codeListFallbacks()
{
    static constexpr std::array entries = {CodeEntry{"a", 1}, CodeEntry{"b", 3}};
    const CodeList substituting{entries, "a", 9};
    const CodeList keeping{entries, std::nullopt, 9};

    QCOMPARE(textForCode(substituting, 3), std::optional<std::string_view>("b"));
    QCOMPARE(textForCode(substituting, 2), std::optional<std::string_view>("a"));
    QCOMPARE(textForCode(keeping, 2), std::optional<std::string_view>());
    QCOMPARE(codeForText(keeping, "b"), 3);
    QCOMPARE(codeForText(keeping, "B"), 9);
    QCOMPARE(codeForText(keeping, ""), 9);
}

QTEST_GUILESS_MAIN(TestSwitchPageData)
#include "tst_switch_page_data.moc"
