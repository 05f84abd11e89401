#include "pagedata/code_list.h"
#include "pagedata/switch_page.h"
#include "switch_cases.h"

#include <QtTest>

#include <array>
#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>

using namespace kbs;
using namespace switch_cases;

namespace {

PageData pageDataOf(const SwitchPageCase& page)
{
    return switchPageData(tableOf(*page.variant, page.msw), page.variant->fields);
}

Member& memberNamed(PageData& data, const std::string& name)
{
    const auto controls = data.controls();
    for (std::size_t index = 0; index < controls.size(); ++index) {
        if (controls[index].name == name)
            return data.member(index);
    }
    qFatal("no control named %s", name.c_str());
}

const SwitchPageCase& caseOf(std::string_view deliverable, int msw)
{
    static const std::vector<SwitchPageCase> cases = allSwitchPages();
    for (const SwitchPageCase& page : cases) {
        if (page.variant->deliverable == deliverable && page.msw == msw)
            return page;
    }
    qFatal("no such switch page");
}

// Every byte but the pair at `offset` is equal in both blocks.
bool sameOutsidePair(const SettingsBlock& a, const SettingsBlock& b, std::size_t offset)
{
    for (std::size_t index = 0; index < a.size(); ++index) {
        if (index != offset && index != offset + 1 && a[index] != b[index])
            return false;
    }
    return a.size() == b.size();
}

QString mswName(int msw, int number)
{
    return QStringLiteral("（MSW%1-%2）").arg(msw).arg(number);
}

} // namespace

class TestSwitchPageData : public QObject {
    Q_OBJECT

private slots:
    void factoryDefaultsReproduce_data();
    void factoryDefaultsReproduce();
    void nothingChosenBeforeFirstLoad_data();
    void nothingChosenBeforeFirstLoad();
    void loadAndStore_data();
    void loadAndStore();
    void countryList_data();
    void countryList();
    void countryTextWithoutEntryWritesJapan();
    void tablesNameTheirSwitches_data();
    void tablesNameTheirSwitches();
    void malformedTablesAreRefused_data();
    void malformedTablesAreRefused();
    void codeListFallbacks();
};

namespace {
void addAllPages()
{
    QTest::addColumn<int>("caseIndex");
    const auto cases = allSwitchPages();
    for (std::size_t index = 0; index < cases.size(); ++index)
        QTest::newRow(caseName(cases[index]).constData()) << static_cast<int>(index);
}

SwitchPageCase pageCase(int index)
{
    return allSwitchPages().at(static_cast<std::size_t>(index));
}
} // namespace

void TestSwitchPageData::factoryDefaultsReproduce_data()
{
    addAllPages();
}

void TestSwitchPageData::factoryDefaultsReproduce()
{
    QFETCH(int, caseIndex);
    const SwitchPageCase page = pageCase(caseIndex);
    constexpr std::array<std::array<std::uint8_t, 2>, 5> defaults = {
        {{0x00, 0x00}, {0x02, 0x00}, {0x00, 0x00}, {0x0C, 0x00}, {0x03, 0x00}}};

    PageData data = pageDataOf(page);
    data.load(factoryBlock(*page.variant));
    SettingsBlock target = patternBlock(*page.variant);
    data.store(target);

    const auto expected = defaults.at(static_cast<std::size_t>(page.msw - 1));
    QCOMPARE(target[page.offset], expected[0]);
    QCOMPARE(target[page.offset + 1], expected[1]);
    QVERIFY(sameOutsidePair(target, patternBlock(*page.variant), page.offset));
}

void TestSwitchPageData::nothingChosenBeforeFirstLoad_data()
{
    addAllPages();
}

void TestSwitchPageData::nothingChosenBeforeFirstLoad()
{
    QFETCH(int, caseIndex);
    const SwitchPageCase page = pageCase(caseIndex);
    PageData data = pageDataOf(page);
    for (std::size_t index = 0; index < data.controls().size(); ++index) {
        QCOMPARE(data.member(index).choice, Member::kNoChoice);
        QVERIFY(data.member(index).text.empty());
    }

    // Nothing chosen writes the switch values as they start, not a stray bit pattern.
    SettingsBlock target = withPair(patternBlock(*page.variant), page.offset, 0xFF, 0xFF);
    data.store(target);
    QCOMPARE(target[page.offset], std::uint8_t{0});
    QCOMPARE(target[page.offset + 1], std::uint8_t{0});
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

    QTest::newRow("kbs62d msw4 0F 0F")
        << QByteArray("kbs62d") << 4 << QByteArray("\x0F\x0F", 2) << QByteArray("\x0D\x09", 2);
    QTest::newRow("kbs62d msw4-2 cleared")
        << QByteArray("kbs62d") << 4 << QByteArray("\x02\x00", 2) << QByteArray("\x00\x00", 2);
    QTest::newRow("kbs18t hidden msw4-2 passed through")
        << QByteArray("kbs18t") << 4 << QByteArray("\x02\x00", 2) << QByteArray("\x02\x00", 2);
    QTest::newRow("kbs62d msw2-4 passed through")
        << QByteArray("kbs62d") << 2 << QByteArray("\x08\x00", 2) << QByteArray("\x08\x00", 2);
    QTest::newRow("kbs62d msw5 second byte 0F")
        << QByteArray("kbs62d") << 5 << QByteArray("\x03\x0F", 2) << QByteArray("\x03\x01", 2);
    QTest::newRow("kbs18r msw5 second byte 0F")
        << QByteArray("kbs18r") << 5 << QByteArray("\x03\x0F", 2) << QByteArray("\x03\x0F", 2);
    QTest::newRow("kbs18t msw5 second byte 0F")
        << QByteArray("kbs18t") << 5 << QByteArray("\x03\x0F", 2) << QByteArray("\x03\x0F", 2);
    QTest::newRow("kbs18r msw5 high bits")
        << QByteArray("kbs18r") << 5 << QByteArray("\xF3\xAE", 2) << QByteArray("\x03\x0E", 2);
}

void TestSwitchPageData::loadAndStore()
{
    QFETCH(QByteArray, deliverable);
    QFETCH(int, msw);
    QFETCH(QByteArray, loaded);
    QFETCH(QByteArray, stored);
    const SwitchPageCase& page = caseOf(deliverable.toStdString(), msw);

    PageData data = pageDataOf(page);
    data.load(withPair(factoryBlock(*page.variant), page.offset, static_cast<std::uint8_t>(loaded[0]),
                       static_cast<std::uint8_t>(loaded[1])));
    // Another block than the one loaded: what has no control still comes from the load.
    SettingsBlock target = patternBlock(*page.variant);
    data.store(target);

    QCOMPARE(target[page.offset], static_cast<std::uint8_t>(stored[0]));
    QCOMPARE(target[page.offset + 1], static_cast<std::uint8_t>(stored[1]));
    QVERIFY(sameOutsidePair(target, patternBlock(*page.variant), page.offset));
}

void TestSwitchPageData::countryList_data()
{
    QTest::addColumn<QByteArray>("deliverable");
    QTest::addColumn<int>("firstByte");
    QTest::addColumn<QString>("country");
    QTest::addColumn<int>("msw1_4");
    QTest::addColumn<int>("storedByte");

    struct Row {
        int firstByte;
        const char* country;
        int msw1_4;
        int storedByte;
    };
    constexpr std::array rows = {
        Row{0x00, "日本", 0, 0x00},         Row{0x01, "日本", 0, 0x00},
        Row{0x02, "アメリカ", 0, 0x02},     Row{0x03, "イギリス", 0, 0x03},
        Row{0x04, "ドイツ", 0, 0x04},       Row{0x05, "スウェーデン", 0, 0x05},
        Row{0x06, "日本", 0, 0x00},         Row{0x07, "日本", 0, 0x00},
        Row{0x0D, "スウェーデン", 1, 0x0D}, Row{0x0F, "日本", 1, 0x08},
        Row{0xF5, "スウェーデン", 0, 0x05},
    };
    for (const char* deliverable : {"kbs18r", "kbs62d", "kbs18t"}) {
        for (const Row& row : rows) {
            QTest::addRow("%s %02X", deliverable, row.firstByte)
                << QByteArray(deliverable) << row.firstByte << QString::fromUtf8(row.country) << row.msw1_4
                << row.storedByte;
        }
    }
}

void TestSwitchPageData::countryList()
{
    QFETCH(QByteArray, deliverable);
    QFETCH(int, firstByte);
    QFETCH(QString, country);
    QFETCH(int, msw1_4);
    QFETCH(int, storedByte);
    const SwitchPageCase& page = caseOf(deliverable.toStdString(), 1);

    PageData data = pageDataOf(page);
    data.load(withPair(factoryBlock(*page.variant), page.offset, static_cast<std::uint8_t>(firstByte), 0x00));
    QCOMPARE(QString::fromStdString(memberNamed(data, "msw1_country").text), country);
    QCOMPARE(memberNamed(data, "msw1_4").choice, msw1_4);

    SettingsBlock target = factoryBlock(*page.variant);
    data.store(target);
    QCOMPARE(target[page.offset], static_cast<std::uint8_t>(storedByte));
}

void TestSwitchPageData::countryTextWithoutEntryWritesJapan()
{
    const SwitchPageCase& page = caseOf("kbs18r", 1);
    PageData data = pageDataOf(page);
    data.load(withPair(factoryBlock(*page.variant), page.offset, 0x0B, 0x00));
    memberNamed(data, "msw1_country").text = "フランス";
    SettingsBlock target = factoryBlock(*page.variant);
    data.store(target);
    QCOMPARE(target[page.offset], std::uint8_t{0x08});
}

void TestSwitchPageData::tablesNameTheirSwitches_data()
{
    addAllPages();
}

// Table typos that the code cannot notice: a switch label naming another switch, a
// missing or doubled mnemonic, two controls answering the same Alt key.
void TestSwitchPageData::tablesNameTheirSwitches()
{
    QFETCH(int, caseIndex);
    const SwitchPageCase page = pageCase(caseIndex);
    const SwitchPageTable& table = tableOf(*page.variant, page.msw);
    QCOMPARE(QString::fromUtf8(table.field.data(), static_cast<qsizetype>(table.field.size())),
             QStringLiteral("msw%1").arg(page.msw));

    std::set<QChar> mnemonics;
    const auto takeMnemonic = [&](std::string_view label, bool shown) {
        const QString text = QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
        QCOMPARE(text.count(QLatin1Char('&')), 1);
        const QChar key = text.at(text.indexOf(QLatin1Char('&')) + 1).toUpper();
        if (shown)
            QVERIFY2(mnemonics.insert(key).second, qPrintable(text));
    };

    for (const SwitchRow& row : table.rows) {
        const QString caption =
            QString::fromUtf8(row.caption.data(), static_cast<qsizetype>(row.caption.size()));
        const QString label =
            QString::fromUtf8(row.switchLabel.data(), static_cast<qsizetype>(row.switchLabel.size()));
        switch (row.control) {
        case SwitchControl::RadioPair:
        case SwitchControl::HiddenRadioPair:
            QVERIFY(!caption.isEmpty());
            QVERIFY2(label.startsWith(mswName(page.msw, row.switches.first)), qPrintable(label));
            takeMnemonic(row.label0, row.control == SwitchControl::RadioPair);
            takeMnemonic(row.label1, row.control == SwitchControl::RadioPair);
            break;
        case SwitchControl::CheckBox:
            QVERIFY2(caption.endsWith(mswName(page.msw, row.switches.first)), qPrintable(caption));
            takeMnemonic(row.caption, true);
            break;
        case SwitchControl::CountryList:
            QVERIFY(caption.contains(QStringLiteral("（MSW%1-1/2/3）").arg(page.msw)));
            takeMnemonic(row.caption, true);
            break;
        case SwitchControl::PassedThrough:
        case SwitchControl::Cleared:
            QVERIFY(caption.isEmpty() && label.isEmpty());
            break;
        }
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
