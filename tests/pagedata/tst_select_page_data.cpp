#include "load_store_cases.h"

using namespace kbs;
using namespace param_cases;
using namespace load_store_cases;

namespace {

// A block of bytes no page writes.
SettingsBlock otherBlock(std::size_t length)
{
    return SettingsBlock(std::vector<std::uint8_t>(length, 0xA5));
}

// The same with `bytes` in one field.
SettingsBlock otherBytes(const ModelVariant& variant, const FieldSpec& field, const QByteArray& bytes)
{
    return withField(otherBlock(variant.blockLength), field, bytes);
}

const ControlPageTable& selectTable(const ModelVariant& variant)
{
    const ControlPageTable* table = findControlPage(*variant.pageTables, PageId::Select);
    if (table == nullptr)
        qFatal("no function selection table");
    return *table;
}

} // namespace

class TestSelectPageData : public QObject {
    Q_OBJECT

private slots:
    void goldenRows_data();
    void goldenRows();
    void loadAndStore_data();
    void loadAndStore();
    void formImagesByteForByte_data();
    void formImagesByteForByte();
    void formButtonCaption_data();
    void formButtonCaption();
};

void TestSelectPageData::goldenRows_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("label"); // a radio pair's group caption
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("entries"); // text=code, in list order
    QTest::addColumn<bool>("visible");

    const auto row = [](const char* program, const char* field, const char* label, int offset,
                        const char* entries, bool visible = true) {
        QTest::addRow("%s %s", program, field) << program << field << QString::fromUtf8(label) << offset
                                               << QString::fromUtf8(entries) << visible;
    };
    row("kbs18r", "printPressure", "印刷圧微調整(&B)", 77,
        "-6=FA|-5=FB|-4=FC|-3=FD|-2=FE|-1=FF|0=00|+1=01|+2=02|+3=03");
    row("kbs18r", "printPosAdjust", "印刷位置の微調整(&K)", 80,
        "-1.3=FD|-0.8=FE|-0.4=FF|0=00|+0.4=01|+0.8=02|+1.3=03");
    row("kbs18r", "reducePrint", "縮小印刷(&P)", 72, "縮小なし=0|２／３縮小=1|４／５縮小=5");
    row("kbs18r", "sheetGuideSetPos", "シートガイド用紙セット位置", 26, "左端(&L)=0|自動(&E)=1");
    row("kbs18r", "formSelect", "", 85, "書式０=0|書式１=1|書式２=2|書式３=3|書式４=4");
    row("kbs62d", "reducePrint", "縮小印刷の選択(&P)", 62,
        "縮小なし=0|２／３縮小（左基準）=1|２／３縮小（中央基準）=3|４／５縮小（左基準）=5|"
        "４／５縮小（中央基準）=7");
    row("kbs62d", "hopper", "２ビンシートフィーダのホッパ選択", 58, "ホッパ１(&N)=1|ホッパ２(&Y)=2", false);
    row("kbs18t", "printPressure", "印刷圧微調整(&B)", 67,
        "-6=FA|-5=FB|-4=FC|-3=FD|-2=FE|-1=FF|0=00|1=01|2=02|3=03");
    row("kbs18t", "quietPrint", "クワイエット印刷", 22, "しない(&N)=0|する(&Y)=1", false);
}

// Every list and radio pair of the page as the page's description gives it: label, field offset,
// entries with their codes in list order, and whether it is ever shown.
void TestSelectPageData::goldenRows()
{
    QFETCH(QString, program);
    QFETCH(QString, field);
    const ModelVariant& variant = variantNamed(program.toStdString());
    const Found found = findControl(variant, field.toStdString());
    QVERIFY2(found.row != nullptr, "no control for the field");
    QCOMPARE(found.page->page, PageId::Select);
    QTEST(text(found.row->label), "label");
    QCOMPARE(text(found.row->field), field);
    QTEST(int(fieldNamed(variant.fields, found.row->field).offset), "offset");
    QStringList entries;
    for (const CodeEntry& entry : found.row->list->entries)
        entries << text(entry.text) + "=" + text(entry.code);
    QTEST(entries.join('|'), "entries");
    QTEST(found.row->visible, "visible");
}

void TestSelectPageData::loadAndStore_data()
{
    addColumns();
    // kbs18r substitutes a fixed entry for what it does not know.
    row("kbs18r", "reducePrint", "5", "４／５縮小", "5");
    row("kbs18r", "reducePrint", "2", "縮小なし", "0");
    row("kbs18r", "printPressure", "F9", "0", "00");
    row("kbs18r", "printPressure", "03", "+3", "03");
    row("kbs18r", "printPressure", "04", "0", "00");
    row("kbs18r", "printPressure", "X1", "as before", "00");
    row("kbs18r", "autoPosAdjust", "30", "0", "00");
    row("kbs18r", "autoPosAdjust", "2A", "0", "00");
    row("kbs18r", "paperThickness", "13", "オート", "00");
    row("kbs18r", "printPosAdjust", "03", "+1.3", "03");
    row("kbs18r", "printPosAdjust", "07", "0", "00");
    row("kbs18r", "printPosAdjust", "FC", "0", "00");
    row("kbs18r", "printPosAdjust", "A0", "as before", "00");
    row("kbs18r", "sheetGuideSetPos", "2", "左端(&L)", "0");
    row("kbs18r", "typeface", "7", "明朝体(&R)", "0");
    row("kbs18r", "copyStrength", "3", "標準", "0");
    row("kbs18r", "formSelect", "5", "書式０", "0");
    // kbs62d leaves a control as it was for codes it does not know.
    row("kbs62d", "paperThickness", "06", "as before", "00");
    row("kbs62d", "printPressure", "02", "+2", "02");
    row("kbs62d", "printPressure", "0A", "as before", "00");
    row("kbs62d", "reducePrint", "3", "２／３縮小（中央基準）", "3");
    row("kbs62d", "reducePrint", "2", "as before", "0");
    row("kbs62d", "typeface", "2", "(none)", "2");
    row("kbs62d", "hopper", "3", "as before", "1");
    // kbs18t: no plus signs, no range checks, unlisted codes leave the control.
    row("kbs18t", "printPressure", "03", "3", "03");
    row("kbs18t", "printPressure", "F9", "as before", "00");
    row("kbs18t", "paperThickness", "13", "as before", "00");
    row("kbs18t", "printPosAdjust", "01", "0.4", "01");
    row("kbs18t", "quietPrint", "2", "(none)", "2");
    row("kbs18t", "typeface", "9", "(none)", "9");
}

void TestSelectPageData::loadAndStore()
{
    checkRow(otherBlock);
}

void TestSelectPageData::formImagesByteForByte_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QByteArray>("image");
    QTest::newRow("kbs18r form0 odd bytes") << "kbs18r"
                                            << "form0" << QByteArray("7A,1\0 ,999,---,046,0x4,ZZ,00", 28);
    QTest::newRow("kbs62d form3") << "kbs62d"
                                  << "form3" << QByteArray("\xff\xfe,000,136,120,120,120,046,054", 30);
}

// The page carries every form image from the block it loads into the block it stores, byte for
// byte, whatever the bytes are; kbs18t's function selection page owns no image.
void TestSelectPageData::formImagesByteForByte()
{
    QFETCH(QString, program);
    QFETCH(QString, field);
    QFETCH(QByteArray, image);
    const ModelVariant& variant = variantNamed(program.toStdString());
    const FieldSpec& layoutField = fieldNamed(variant.fields, field.toStdString());
    QCOMPARE(qsizetype(layoutField.width), image.size());
    PageData data = controlPageData(selectTable(variant), variant);
    QVERIFY(data.formEditor() != nullptr);
    data.load(withField(SettingsBlock(variant.factoryDefaults), layoutField, image));
    SettingsBlock stored = otherBytes(variant, layoutField, QByteArray(image.size(), '#'));
    data.store(stored);
    QCOMPARE(fieldBytes(stored, layoutField), image);
    QVERIFY(controlPageData(selectTable(variantNamed("kbs18t")), variantNamed("kbs18t")).formEditor() ==
            nullptr);
}

void TestSelectPageData::formButtonCaption_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("caption");
    QTest::newRow("kbs18r") << "kbs18r"
                            << "書式２"
                            << "書式２の設定(&D)...";
    QTest::newRow("kbs62d") << "kbs62d"
                            << "書式１"
                            << "書式１の設定(&D)";
}

void TestSelectPageData::formButtonCaption()
{
    QFETCH(QString, program);
    QFETCH(QString, form);
    const ControlPageTable& table = selectTable(variantNamed(program.toStdString()));
    QVERIFY(table.formButton != nullptr);
    QTEST(text(kbs::formButtonCaption(*table.formButton, form.toStdString())), "caption");
}

QTEST_GUILESS_MAIN(TestSelectPageData)
#include "tst_select_page_data.moc"
