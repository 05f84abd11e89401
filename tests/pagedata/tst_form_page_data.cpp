#include "model/field_codecs.h"
#include "model/page_tables.h"
#include "pagedata/code_list_rules.h"
#include "pagedata/form_page_data.h"
#include "variants/kbs18t/kbs18t_variant.h"

#include <QtTest>

#include <optional>

using namespace kbs;

namespace {

const ModelVariant& program()
{
    return kbs18t::variant();
}

FormPageData formTab()
{
    return FormPageData(program(), *findControlPage(*program().pageTables, PageId::Form));
}

std::size_t control(const FormPageData& page, const QByteArray& name)
{
    const std::size_t index = page.data().indexOf(name.toStdString());
    if (index == page.data().controls().size())
        qFatal("no control %s", name.constData());
    return index;
}

// Form 0's fields and the form list at their offsets in the block.
struct Field {
    const char* control;
    std::size_t offset;
    std::size_t width;
};
constexpr Field kFields[] = {
    {"formLength", 38, 2},   {"feedContinuous", 41, 3}, {"feedCutSheet", 49, 3},
    {"feedPostcard", 53, 3}, {"adjCutSheet", 57, 2},    {"formSelect", 73, 1},
};

const Field& fieldOf(const QByteArray& name)
{
    for (const Field& field : kFields)
        if (name == field.control)
            return field;
    qFatal("no field %s", name.constData());
}

SettingsBlock defaults()
{
    return SettingsBlock(program().factoryDefaults);
}

SettingsBlock with(SettingsBlock block, const QByteArray& name, const QByteArray& bytes)
{
    const Field& field = fieldOf(name);
    if (static_cast<std::size_t>(bytes.size()) != field.width)
        qFatal("%s takes %zu bytes", name.constData(), field.width);
    writeBytes(block, field.offset, bytes.toStdString());
    return block;
}

QByteArray fieldBytes(const SettingsBlock& block, const QByteArray& name)
{
    const Field& field = fieldOf(name);
    return QByteArray::fromStdString(readBytes(block, field.offset, field.width));
}

// What a control shows: a box its text, a feed row "text@slider", the list its entry's text.
QByteArray shown(const FormPageData& page, const QByteArray& name)
{
    const std::size_t index = control(page, name);
    if (index == page.listControl())
        return QByteArray::fromStdString(std::string(page.listText()));
    QByteArray text = QByteArray::fromStdString(page.text(index));
    if (page.data().controls()[index].kind == ControlKind::FeedRow)
        text += '@' + QByteArray::number(page.sliderPosition(index));
    return text;
}

// A block whose form 0 and form list differ from the defaults in every field.
SettingsBlock otherBlock()
{
    SettingsBlock block = defaults();
    for (const auto& [name, bytes] : {std::pair{"formLength", "12"},
                                      {"feedContinuous", "015"},
                                      {"feedCutSheet", "018"},
                                      {"feedPostcard", "020"},
                                      {"adjCutSheet", "05"},
                                      {"formSelect", "2"}})
        block = with(block, name, bytes);
    return block;
}

SettingsBlock patternBlock()
{
    SettingsBlock block = defaults();
    for (std::size_t offset = 0; offset < block.size(); ++offset)
        block[offset] = static_cast<std::uint8_t>(0x80 + offset % 0x70);
    return block;
}

} // namespace

class TestFormPageData : public QObject {
    Q_OBJECT
private slots:
    void loadLeavesUnreadableValuesAsTheyWere_data();
    void loadLeavesUnreadableValuesAsTheyWere();
    void storeWritesTheFieldsAndNothingElse();
    void typingIsCorrected_data();
    void typingIsCorrected();
    void sliderWritesItsStop_data();
    void sliderWritesItsStop();
    void refusedStoreKeepsEveryField_data();
    void refusedStoreKeepsEveryField();
    void formButtonFollowsTheList_data();
    void formButtonFollowsTheList();
    void dialogOfAFormChangesOnlyItsImage();
    void tableWithoutFormButtonIsRefused();
};

void TestFormPageData::loadLeavesUnreadableValuesAsTheyWere_data()
{
    QTest::addColumn<QByteArray>("control");
    QTest::addColumn<QByteArray>("loaded");
    QTest::addColumn<QByteArray>("shown"); // after a block showing otherBlock()'s values

    QTest::newRow("feed default") << QByteArray("feedContinuous") << QByteArray("120") << QByteArray("120@9");
    QTest::newRow("length default") << QByteArray("formLength") << QByteArray("66") << QByteArray("66");
    QTest::newRow("form 0") << QByteArray("formSelect") << QByteArray("0") << QByteArray("選択なし");
    QTest::newRow("feed in range") << QByteArray("feedCutSheet") << QByteArray("130") << QByteArray("130@9");
    QTest::newRow("feed above its box")
        << QByteArray("feedContinuous") << QByteArray("131") << QByteArray("15@1");
    QTest::newRow("feed with a letter")
        << QByteArray("feedPostcard") << QByteArray("1A0") << QByteArray("20@3");
    QTest::newRow("correction 99") << QByteArray("adjCutSheet") << QByteArray("99") << QByteArray("5");
    QTest::newRow("length 00") << QByteArray("formLength") << QByteArray("00") << QByteArray("12");
    QTest::newRow("length blank") << QByteArray("formLength") << QByteArray(" 9") << QByteArray("12");
    QTest::newRow("form 3") << QByteArray("formSelect") << QByteArray("3") << QByteArray("書式３");
    QTest::newRow("form 7") << QByteArray("formSelect") << QByteArray("7") << QByteArray("書式２");
    QTest::newRow("form NUL") << QByteArray("formSelect") << QByteArray(1, '\0') << QByteArray("書式２");
}

void TestFormPageData::loadLeavesUnreadableValuesAsTheyWere()
{
    QFETCH(QByteArray, control);
    QFETCH(QByteArray, loaded);
    FormPageData page = formTab();
    page.load(otherBlock());
    page.load(with(otherBlock(), control, loaded));
    QTEST(shown(page, control), "shown");
}

// Loaded from the defaults and stored into a block of other bytes, the page writes form 0's
// fields, the form list and the three images, and no other byte: feedReserved (45 to 47)
// keeps its bytes.
void TestFormPageData::storeWritesTheFieldsAndNothingElse()
{
    FormPageData page = formTab();
    page.load(defaults());
    const SettingsBlock pattern = patternBlock();
    SettingsBlock stored = pattern;
    QVERIFY(!page.store(stored));

    struct Range {
        std::size_t offset;
        std::size_t width;
    };
    const Range written[] = {{38, 2}, {41, 3},  {49, 3},   {53, 3},  {57, 2},
                             {73, 1}, {75, 29}, {105, 29}, {135, 29}};
    const SettingsBlock expected = defaults();
    for (std::size_t offset = 0; offset < stored.size(); ++offset) {
        const bool owned = std::ranges::any_of(
            written, [offset](const Range& r) { return offset >= r.offset && offset < r.offset + r.width; });
        QVERIFY2(stored[offset] == (owned ? expected[offset] : pattern[offset]),
                 qPrintable(QString("byte %1").arg(offset)));
    }
}

void TestFormPageData::typingIsCorrected_data()
{
    QTest::addColumn<QByteArray>("control");
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<bool>("focus");
    QTest::addColumn<QByteArray>("shown");
    QTest::addColumn<QByteArray>("stored");

    QTest::newRow("カット紙 200") << QByteArray("feedCutSheet") << QByteArray("200") << true
                                  << QByteArray("130@9") << QByteArray("130");
    QTest::newRow("カット紙 200 unfocused")
        << QByteArray("feedCutSheet") << QByteArray("200") << false << QByteArray("200@9") << QByteArray();
    QTest::newRow("long text") << QByteArray("feedContinuous") << QByteArray("00050") << false
                               << QByteArray("50@7") << QByteArray("050");
    QTest::newRow("4 digits kept") << QByteArray("feedCutSheet") << QByteArray("0046") << true
                                   << QByteArray("0046@7") << QByteArray("046");
    QTest::newRow("連続紙 90") << QByteArray("feedContinuous") << QByteArray("90") << true
                               << QByteArray("90@8") << QByteArray("090");
    QTest::newRow("連続紙 cleared") << QByteArray("feedContinuous") << QByteArray("") << true
                                    << QByteArray("@0") << QByteArray();
    QTest::newRow("用紙長 0099") << QByteArray("formLength") << QByteArray("0099") << false
                                 << QByteArray("99") << QByteArray("99");
    QTest::newRow("補正 7") << QByteArray("adjCutSheet") << QByteArray("7") << true << QByteArray("7")
                            << QByteArray("07");
}

// `stored` empty: the store refuses the text and the field keeps the default.
void TestFormPageData::typingIsCorrected()
{
    QFETCH(QByteArray, control);
    QFETCH(QByteArray, typed);
    QFETCH(bool, focus);
    QFETCH(QByteArray, stored);
    FormPageData page = formTab();
    SettingsBlock block = defaults();
    page.load(block);
    page.boxChanged(::control(page, control), typed.toStdString(), focus);
    QTEST(shown(page, control), "shown");
    const std::optional<StoreRefusal> refused = page.store(block);
    QCOMPARE(refused.has_value(), stored.isEmpty());
    QCOMPARE(fieldBytes(block, control), stored.isEmpty() ? fieldBytes(defaults(), control) : stored);
}

void TestFormPageData::sliderWritesItsStop_data()
{
    QTest::addColumn<QByteArray>("control");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("focus");
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("はがき 7") << QByteArray("feedPostcard") << 7 << true << QByteArray("54@7");
    QTest::newRow("連続紙 0") << QByteArray("feedContinuous") << 0 << true << QByteArray("0@0");
    QTest::newRow("連続紙 3") << QByteArray("feedContinuous") << 3 << true << QByteArray("20@3");
    QTest::newRow("without focus") << QByteArray("feedContinuous") << 3 << false << QByteArray("120@9");
}

void TestFormPageData::sliderWritesItsStop()
{
    QFETCH(QByteArray, control);
    QFETCH(int, position);
    QFETCH(bool, focus);
    FormPageData page = formTab();
    page.load(defaults());
    const std::optional<std::string> text = page.sliderMoved(::control(page, control), position, focus);
    QCOMPARE(text.has_value(), focus);
    QTEST(shown(page, control), "shown");
}

void TestFormPageData::refusedStoreKeepsEveryField_data()
{
    QTest::addColumn<QByteArray>("control");
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("カット紙 empty") << QByteArray("feedCutSheet") << QByteArray("")
                                    << QByteArray("整数を入力してください。");
    QTest::newRow("連続紙 200") << QByteArray("feedContinuous") << QByteArray("200")
                                << QByteArray("0 から 130 までの整数を入力してください。");
    QTest::newRow("用紙長 0") << QByteArray("formLength") << QByteArray("0")
                              << QByteArray("1 から 99 までの整数を入力してください。");
    QTest::newRow("補正 70") << QByteArray("adjCutSheet") << QByteArray("70")
                             << QByteArray("0 から 68 までの整数を入力してください。");
}

// Typed without the focus (so uncorrected), the text is refused; a valid change made to
// another box before is not stored either.
void TestFormPageData::refusedStoreKeepsEveryField()
{
    QFETCH(QByteArray, control);
    QFETCH(QByteArray, typed);
    FormPageData page = formTab();
    SettingsBlock block = defaults();
    page.load(block);
    const QByteArray other = control == "feedPostcard" ? "formLength" : "feedPostcard";
    page.boxChanged(::control(page, other), "20", true);
    page.boxChanged(::control(page, control), typed.toStdString(), false);
    page.chooseEntry(3);

    const std::optional<StoreRefusal> refused = page.store(block);
    QVERIFY(refused);
    QCOMPARE(refused->control, ::control(page, control));
    QTEST(QByteArray::fromStdString(refused->message), "message");
    for (const Field& field : kFields)
        if (QByteArray(field.control) != "formSelect")
            QCOMPARE(fieldBytes(block, field.control), fieldBytes(defaults(), field.control));
    QCOMPARE(fieldBytes(block, "formSelect"), QByteArray("3"));
}

void TestFormPageData::formButtonFollowsTheList_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QByteArray>("caption");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QByteArray>("stored"); // the form list's code, over a loaded 7
    QTest::newRow("選択なし") << 0 << QByteArray("書式の設定(&D)") << false << QByteArray("0");
    QTest::newRow("書式１") << 1 << QByteArray("書式１の設定(&D)") << true << QByteArray("1");
    QTest::newRow("書式３") << 3 << QByteArray("書式３の設定(&D)") << true << QByteArray("3");
    QTest::newRow("no entry") << kNoEntry << QByteArray("書式の設定(&D)") << false << QByteArray("0");
}

// The list's entry names the form button's form, and is what the list stores.
void TestFormPageData::formButtonFollowsTheList()
{
    QFETCH(int, entry);
    QFETCH(bool, enabled);
    FormPageData page = formTab();
    SettingsBlock block = with(defaults(), "formSelect", "7");
    page.load(block);
    page.chooseEntry(entry);
    const FormButtonState button = page.formButton();
    QTEST(QByteArray::fromStdString(button.caption), "caption");
    QCOMPARE(button.enabled, enabled);
    QCOMPARE(page.prepareDialog(), enabled);
    QVERIFY(!page.store(block));
    QTEST(fieldBytes(block, "formSelect"), "stored");
}

// The dialog edits the image of the form the list shows; storing the page then changes that
// image's digits and nothing else.
void TestFormPageData::dialogOfAFormChangesOnlyItsImage()
{
    FormPageData page = formTab();
    SettingsBlock block = defaults();
    page.load(block);
    page.chooseEntry(2);
    QVERIFY(page.prepareDialog());
    QCOMPARE(page.editor().formName(), std::string("書式２"));
    FormEditor& editor = page.editor();
    editor.open();
    editor.boxChanged(0, "12", true); // 用紙長, the dialog's first box
    QVERIFY(!editor.ok());

    QVERIFY(!page.store(block));
    SettingsBlock expected = with(defaults(), "formSelect", "2");
    writeBytes(expected, 105, "12,000,136,120,000,046,054,00");
    QCOMPARE(block, expected);
}

void TestFormPageData::tableWithoutFormButtonIsRefused()
{
    ControlPageTable table = *findControlPage(*program().pageTables, PageId::Form);
    table.formButton = nullptr;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, FormPageData(program(), table));
    const FormButton noSuchList{"formList", "formButton", "%sの設定(&D)"};
    table.formButton = &noSuchList;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, FormPageData(program(), table));
}

QTEST_GUILESS_MAIN(TestFormPageData)
#include "tst_form_page_data.moc"
