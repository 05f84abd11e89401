#include "load_store_cases.h"

using namespace kbs;
using namespace param_cases;
using namespace load_store_cases;

namespace {

// The bytes a page owns in the block, page by page.
std::vector<bool> ownedBy(const ModelVariant& variant, PageId page)
{
    std::vector<bool> owned(variant.blockLength, false);
    for (const FieldSpec& field : variant.fields)
        for (std::size_t offset = field.offset; offset < field.offset + field.width; ++offset)
            owned[offset] = field.owner == page && ownsByte(field, offset);
    return owned;
}

} // namespace

class TestParamPageData : public QObject {
    Q_OBJECT

private slots:
    void loadAndStore_data();
    void loadAndStore();
    void storeWritesExactlyTheOwnedBytes_data();
    void storeWritesExactlyTheOwnedBytes();
    void emptyListsStoreTheirFallback_data();
    void emptyListsStoreTheirFallback();
};

void TestParamPageData::loadAndStore_data()
{
    addColumns();
    // kbs18r substitutes a fixed value for anything it does not know.
    row("kbs18r", "centerRearTractor", "200", "96", "096");
    row("kbs18r", "centerRearTractor", "126", "126", "126");
    row("kbs18r", "centerCutSheet", "09", "40", "40");
    row("kbs18r", "centerFrontTractor", "5X", "40", "40");
    row("kbs18r", "autoReturnTime", "03", "１５秒", "15");
    row("kbs18r", "autoReturnTime", "00", "自動戻り無し", "00");
    row("kbs18r", "thicknessRetryTime", "09", "１０秒", "02");
    row("kbs18r", "thicknessRetryTime", "07", "再実行なし", "07");
    row("kbs18r", "sheetGuideFeedTime", "07", "2", "02");
    row("kbs18r", "sheetGuideFeedTime", "94", "4", "94");
    row("kbs18r", "lfPitchSheetGuide", "FA", "0", "00");
    row("kbs18r", "lfPitchSheetFeeder", "05", "+5", "05");
    row("kbs18r", "lfPitchRearTractor", "X3", "as before", "00");
    row("kbs18r", "font1", "4", "OCR-B", "4");
    row("kbs18r", "kanjiTable", "3", "JIS1978年版", "0");
    row("kbs18r", "postcardMode", "2", "OFF(&N)", "0");
    // kbs62d leaves a control as it was for codes it does not know.
    row("kbs62d", "centerRearTractor", "55", "55", "55");
    row("kbs62d", "centerRearTractor", "99", "as before", "68");
    row("kbs62d", "sheetGuideFeedTime", "9", "as before", "2");
    row("kbs62d", "lfPitchSheetGuide", "03", "+3", "03");
    row("kbs62d", "lfPitchSheetFeeder", "06", "as before", "00");
    row("kbs62d", "font1", "7", "as before", "0");
    row("kbs62d", "kanjiTable", "1", "JIS1983年版", "1");
    row("kbs62d", "autoReturnTime", "03", "as before", "08");
    row("kbs62d", "paperSetPos", "2", "as before", "0");
    // kbs18t: ASCII lists in its own order; one digit of the retry time and the feed time.
    row("kbs18t", "thicknessRetryTime", "X3", "60秒", "03");
    row("kbs18t", "thicknessRetryTime", "15", "300秒", "05");
    row("kbs18t", "thicknessRetryTime", "08", "as before", "02");
    row("kbs18t", "sheetGuideFeedTime", "93", "3", "93");
    row("kbs18t", "sheetGuideFeedTime", "07", "as before", "02");
    row("kbs18t", "centerContinuous", "99", "as before", "36");
    row("kbs18t", "font1", "2", "クーリエ", "2");
}

void TestParamPageData::loadAndStore()
{
    checkRow(patternBlock);
}

void TestParamPageData::storeWritesExactlyTheOwnedBytes_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<int>("page");
    for (const ModelVariant* variant : kVariants)
        for (const ControlPageTable& page : variant->pageTables->controlPages)
            QTest::addRow("%s page %d", variant->deliverable.data(), int(page.page))
                << variant << int(page.page);
}

// Loaded from the factory defaults and stored into a block of other bytes, a page writes
// every byte it owns back as the default and no other byte; the first digit of the kbs18r
// and kbs18t feed time is not its own.
void TestParamPageData::storeWritesExactlyTheOwnedBytes()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(int, page);
    const ControlPageTable* table = findControlPage(*variant->pageTables, PageId(page));
    QVERIFY(table != nullptr);
    PageData data = controlPageData(*table, *variant);
    const SettingsBlock defaults(variant->factoryDefaults);
    data.load(defaults);
    const SettingsBlock pattern = patternBlock(variant->blockLength);
    SettingsBlock stored = pattern;
    data.store(stored);

    const std::vector<bool> owned = ownedBy(*variant, PageId(page));
    for (std::size_t offset = 0; offset < stored.size(); ++offset)
        QVERIFY2(stored[offset] == (owned[offset] ? defaults[offset] : pattern[offset]),
                 qPrintable(QString("byte %1").arg(offset)));
    if (const FieldSpec& feed = fieldNamed(variant->fields, "sheetGuideFeedTime"); feed.owner == PageId(page))
        QCOMPARE(owned[feed.offset], feed.width == 1);
}

void TestParamPageData::emptyListsStoreTheirFallback_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QByteArray>("stored"); // "~~" or "~": the field keeps its bytes
    const auto row = [](const char* program, const char* field, const char* stored) {
        QTest::addRow("%s %s", program, field) << program << field << QByteArray(stored);
    };
    row("kbs18r", "font1", "0");
    row("kbs18r", "thicknessRetryTime", "02");
    row("kbs18r", "autoPosAdjust", "00");
    row("kbs18r", "printPosAdjust", "~~");
    row("kbs18r", "reducePrint", "~");
    row("kbs18r", "formSelect", "0");
    row("kbs62d", "autoReturnTime", "08");
    row("kbs62d", "hopper", "1");
    row("kbs18t", "thicknessRetryTime", "07");
    row("kbs18t", "autoReturnTime", "00");
    row("kbs18t", "quietPrint", "~");
}

// A list that shows no entry (never loaded) stores its program's fallback code, or leaves the
// field as it was.
void TestParamPageData::emptyListsStoreTheirFallback()
{
    QFETCH(QString, program);
    QFETCH(QString, field);
    const ModelVariant& variant = variantNamed(program.toStdString());
    const Found found = findControl(variant, field.toStdString());
    QVERIFY(found.row != nullptr);
    const FieldSpec& layoutField = fieldNamed(variant.fields, found.row->field);
    PageData data = controlPageData(*found.page, variant);
    SettingsBlock stored = withField(patternBlock(variant.blockLength), layoutField,
                                     QByteArray(qsizetype(layoutField.width), '~'));
    data.store(stored);
    QTEST(fieldBytes(stored, layoutField), "stored");
}

QTEST_GUILESS_MAIN(TestParamPageData)
#include "tst_param_page_data.moc"
