#include "model/field_codecs.h"
#include "pagedata/field_lookup.h"
#include "pagedata/form_editor.h"
#include "pagedata/form_image_fields.h"
#include "pagedata/slider_stops.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QtTest>

#include <algorithm>
#include <limits>
#include <random>

using namespace kbs;

namespace {

const ModelVariant& variantNamed(const QByteArray& deliverable)
{
    for (const ModelVariant* variant : {&kbs18r::variant(), &kbs62d::variant(), &kbs18t::variant()})
        if (variant->deliverable == deliverable.toStdString())
            return *variant;
    qFatal("no variant %s", deliverable.constData());
}

std::size_t boxNamed(const FormDialogTable& table, const QByteArray& field)
{
    const auto box = std::ranges::find(table.boxes, field.toStdString(),
                                       [](const FormBoxRow& row) { return std::string(row.field); });
    if (box == table.boxes.end())
        qFatal("no box %s", field.constData());
    return static_cast<std::size_t>(box - table.boxes.begin());
}

QByteArray bytes(std::string_view view)
{
    return QByteArray(view.data(), static_cast<qsizetype>(view.size()));
}

// The boxes' texts in the dialog's order; feeds add "@position", disabled boxes "-".
QByteArray shown(const FormEditor& editor)
{
    QByteArrayList parts;
    for (std::size_t box = 0; box < editor.table().boxes.size(); ++box) {
        QByteArray part = bytes(editor.text(box));
        if (editor.table().boxes[box].kind == FormBoxKind::Feed)
            part += '@' + QByteArray::number(editor.sliderPosition(box));
        parts << (editor.boxEnabled(box) ? part : part + '-');
    }
    return parts.join(' ');
}

// "書式２" names the block field "form2".
std::string blockFieldOf(const QByteArray& formName)
{
    return "form" + std::to_string(QString::fromUtf8(formName).back().unicode() - u'０');
}

// A block of the variant whose image for the form is `image` (the factory default when empty).
SettingsBlock blockWithImage(const ModelVariant& variant, const QByteArray& formName, const QByteArray& image)
{
    SettingsBlock block(variant.factoryDefaults);
    if (!image.isEmpty()) {
        const FieldSpec& field = fieldNamed(variant.fields, blockFieldOf(formName));
        if (static_cast<std::size_t>(image.size()) != field.width)
            qFatal("image of %lld bytes for a field of %zu", static_cast<long long>(image.size()),
                   field.width);
        writeBytes(block, field.offset, image.toStdString());
    }
    return block;
}

// Opens the form as the owning page does.
void openForm(FormEditor& editor, const QByteArray& formName)
{
    QVERIFY(editor.parseForm(formName.toStdString()));
    editor.setFormName(formName.toStdString());
    editor.open();
}

// Types "field=text" tokens with the focus in that box; "reopen" parses and opens afresh.
void typeInto(FormEditor& editor, const QByteArray& edits)
{
    for (const QByteArray& edit : edits.split(' ')) {
        if (edit.isEmpty())
            continue;
        if (edit == "reopen") {
            openForm(editor, QByteArray::fromStdString(editor.formName()));
            continue;
        }
        const qsizetype equals = edit.indexOf('=');
        editor.boxChanged(boxNamed(editor.table(), edit.left(equals)), edit.mid(equals + 1).toStdString(),
                          true);
    }
}

// One OK press as "caption|field=text|focus", "(program)" for the range message's caption, or
// "close".
QByteArray pressOk(FormEditor& editor)
{
    const auto notice = editor.ok();
    if (!notice)
        return "close";
    const QByteArray caption =
        notice->notice.captionIsProgramName ? QByteArray("(program)") : bytes(notice->notice.caption);
    const QByteArray field = bytes(editor.table().boxes[notice->box].field);
    return caption + '|' + field + '=' + bytes(editor.text(notice->box)) + '|' +
           (notice->focus ? "focus" : "stay");
}

// Presses OK once per expected outcome ("a; b; close") and gives the outcomes the same way.
QByteArray pressOkFor(FormEditor& editor, const QByteArray& expected)
{
    QByteArrayList outcomes;
    for (qsizetype press = 0; press < expected.split(';').size(); ++press)
        outcomes << pressOk(editor);
    return outcomes.join("; ");
}

} // namespace

class TestFormEditor : public QObject {
    Q_OBJECT

private slots:
    void nearestStop_data();
    void nearestStop();
    void parseForm_data();
    void parseForm();
    void sliderMoved_data();
    void sliderMoved();
    void boxCorrection_data();
    void boxCorrection();
    void ownRewritesAreQuiet();
    void okSequence_data();
    void okSequence();
    void noticeTexts_data();
    void noticeTexts();
    void writesOnlyDigitsOfTheNamedForm_data();
    void writesOnlyDigitsOfTheNamedForm();
    void unchangedImageIsWrittenBackByteForByte_data();
    void unchangedImageIsWrittenBackByteForByte();
    void tableMustFitTheLayout();
};

void TestFormEditor::nearestStop_data()
{
    QTest::addColumn<QList<int>>("stops");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("position");

    const QList<int> ten = {0, 15, 18, 20, 28, 30, 40, 46, 60, 120};
    QTest::newRow("50 nearest 46") << ten << 50 << 7;
    QTest::newRow("90 as far from 60 as from 120") << ten << 90 << 8;
    QTest::newRow("past the last stop") << ten << 170 << 9;
    QTest::newRow("below the first stop") << ten << -16 << 0;
    QTest::newRow("first of equal stops") << QList<int>{5, 5, 7} << 5 << 0;
    QTest::newRow("lowest int") << ten << std::numeric_limits<int>::min() << 0;
    QTest::newRow("highest int") << ten << std::numeric_limits<int>::max() << 9;
    QTest::newRow("no stops") << QList<int>{} << 7 << 0;
}

void TestFormEditor::nearestStop()
{
    QFETCH(QList<int>, stops);
    QFETCH(int, value);
    QFETCH(int, position);
    const std::vector<int> table(stops.begin(), stops.end());
    QCOMPARE(kbs::nearestStop(table, value), position);
}

void TestFormEditor::parseForm_data()
{
    QTest::addColumn<QByteArray>("deliverable");
    QTest::addColumn<QByteArray>("form");
    QTest::addColumn<QByteArray>("image"); // empty: the factory default
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QByteArray>("shown");

    const auto row = [](const char* name, const char* deliverable, const char* form, const char* image,
                        const char* title, const char* shown) {
        QTest::newRow(name) << QByteArray(deliverable) << QByteArray(form) << QByteArray(image)
                            << QByteArray(title) << QByteArray(shown);
    };
    row("kbs18r form1 default", "kbs18r", "書式１", "", "書式の設定： 書式１",
        "66 0 136 120@9 120@9 46@7 46@7 54@7 0 0");
    row("kbs18r form0 has no margins", "kbs18r", "書式０", "12,015,018,028,040,060,07,68",
        "書式の設定： 書式０", "12 0- 136- 15@1 18@2 28@4 40@6 60@8 68 7");
    row("kbs18r odd bytes by arithmetic", "kbs18r", "書式４", "0:,00:,1:6,0;4,050,046,046,054,00,00",
        "書式の設定： 書式４", "10 10 206 114@9 50@7 46@7 46@7 54@7 0 0");
    row("kbs62d form0 default", "kbs62d", "書式０", "", "書式の設定： 書式０",
        "66 0- 136- 120@2 120@2 120@2 46@0 54@0");
    row("kbs62d form3", "kbs62d", "書式３", "99,010,080,090,060,054,053,132", "書式の設定： 書式３",
        "99 10 80 90@1 60@1 54@1 53@0 132@2");
    row("kbs18t form2", "kbs18t", "書式２", "", "書式の設定：書式２", "66 0 136 120@9 46@7 54@7 0");
}

void TestFormEditor::parseForm()
{
    QFETCH(QByteArray, deliverable);
    QFETCH(QByteArray, form);
    QFETCH(QByteArray, image);
    QFETCH(QByteArray, title);
    QFETCH(QByteArray, shown);

    const ModelVariant& variant = variantNamed(deliverable);
    FormEditor editor(variant);
    editor.loadImages(blockWithImage(variant, form, image));
    openForm(editor, form);
    QCOMPARE(::shown(editor), shown);
    QCOMPARE(bytes(editor.title()), title);
}

void TestFormEditor::sliderMoved_data()
{
    QTest::addColumn<QByteArray>("deliverable");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("hasFocus");
    QTest::addColumn<QByteArray>("written"); // empty: the box is not written

    const auto row = [](const char* deliverable, const char* field, int position, bool focus,
                        const char* written) {
        QTest::addRow("%s %s %d", deliverable, field, position)
            << QByteArray(deliverable) << QByteArray(field) << position << focus << QByteArray(written);
    };
    row("kbs18r", "feedPostcard", 7, true, "54");
    row("kbs18r", "feedFrontTractor", 7, true, "46");
    row("kbs18r", "feedSheetGuide", 3, false, "");
    row("kbs62d", "feedPostcard", 0, true, "54");
}

void TestFormEditor::sliderMoved()
{
    QFETCH(QByteArray, deliverable);
    QFETCH(QByteArray, field);
    QFETCH(int, position);
    QFETCH(bool, hasFocus);
    QFETCH(QByteArray, written);

    FormEditor editor(variantNamed(deliverable));
    openForm(editor, "書式１");
    const std::size_t box = boxNamed(editor.table(), field);
    const std::string before = editor.text(box);
    const auto text = editor.sliderMoved(box, position, hasFocus);
    QCOMPARE(text ? bytes(*text) : QByteArray(), written);
    if (!text) {
        QCOMPARE(editor.text(box), before);
        return;
    }
    // The box's change that follows finds the slider where it is.
    editor.boxChanged(box, *text, false);
    QCOMPARE(editor.text(box), *text);
    QCOMPARE(editor.sliderPosition(box), position);
}

void TestFormEditor::boxCorrection_data()
{
    QTest::addColumn<QByteArray>("deliverable");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<bool>("hasFocus");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("slider");         // -1: no slider move
    QTest::addColumn<QByteArray>("caption"); // empty: no notice
    QTest::addColumn<int>("pending");        // -1: unchanged

    const auto row = [](const char* name, const char* deliverable, const char* field, const char* typed,
                        bool focus, int left, int right, const char* text, int slider, const char* caption,
                        int pending) {
        QTest::newRow(name) << QByteArray(deliverable) << QByteArray(field) << QByteArray(typed) << focus
                            << left << right << QByteArray(text) << slider << QByteArray(caption) << pending;
    };
    // name, program, box, typed, focus, left, right -> text, slider, notice caption, pending
    row("kbs18r feed 50", "kbs18r", "feedFrontTractor", "50", true, 0, 136, "50", 7, "", -1);
    row("kbs18r feed above 170", "kbs18r", "feedPostcard", "200", true, 0, 136, "170", 9, "", -1);
    row("kbs18r leading zeros drop", "kbs18r", "feedRearTractor", "00050", true, 0, 136, "50", 7, "", -1);
    row("kbs18r too long saturates", "kbs18r", "feedRearTractor", "99999", false, 0, 136, "170", 9, "", -1);
    row("kbs18r unfocused stays", "kbs18r", "feedRearTractor", "200", false, 0, 136, "200", 9, "", -1);
    row("kbs18r cleared feed", "kbs18r", "feedRearTractor", "", true, 0, 136, "", 0, "", -1);
    row("kbs62d 3 becomes 40", "kbs62d", "feedFrontTractor", "3", true, 0, 136, "40", 0, "", -1);
    row("kbs62d 1 may grow", "kbs62d", "feedFrontTractor", "1", true, 0, 136, "1", 0, "", -1);
    row("kbs62d はがき 4 becomes 40", "kbs62d", "feedPostcard", "4", true, 0, 136, "40", 0, "", -1);
    row("kbs62d cleared feed", "kbs62d", "feedSheetGuide", "", true, 0, 136, "40", 0, "", -1);
    row("kbs62d feed above 132", "kbs62d", "feedRearTractor", "200", true, 0, 136, "132", 2, "", -1);
    row("length 0", "kbs18r", "formLength", "0", true, 0, 136, "1", -1, "", -1);
    row("length 100", "kbs62d", "formLength", "100", true, 0, 136, "99", -1, "", -1);
    row("length cleared", "kbs18r", "formLength", "", true, 0, 136, "1", -1, "", -1);
    row("correction 69", "kbs18r", "adjFrontTractor", "69", true, 0, 136, "68", -1, "", -1);
    row("kbs18r left 136", "kbs18r", "leftMargin", "136", true, 0, 100, "135", -1, "", -1);
    row("kbs18t left not checked on typing", "kbs18t", "leftMargin", "40", true, 0, 40, "40", -1, "", -1);
    row("kbs18r right 137", "kbs18r", "rightMargin", "137", true, 0, 136, "136", -1, "", -1);
    row("kbs62d left 136, right 100", "kbs62d", "leftMargin", "136", true, 0, 100, "99", -1,
        "レフトマージン幅", -1);
    row("kbs62d left with right 0", "kbs62d", "leftMargin", "5", true, 0, 0, "0", -1, "レフトマージン幅", -1);
    row("kbs62d left, right beyond 136", "kbs62d", "leftMargin", "200", true, 0, 500, "135", -1, "", -1);
    row("kbs62d left above right beyond 136", "kbs62d", "leftMargin", "600", true, 0, 500, "135", -1,
        "レフトマージン幅", -1);
    row("kbs62d right equal to left", "kbs62d", "rightMargin", "40", true, 40, 136, "40", -1, "", 1);
    row("kbs62d right above left", "kbs62d", "rightMargin", "100", true, 40, 136, "100", -1, "", 0);
}

void TestFormEditor::boxCorrection()
{
    QFETCH(QByteArray, deliverable);
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, typed);
    QFETCH(bool, hasFocus);
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(QByteArray, text);
    QFETCH(int, slider);
    QFETCH(QByteArray, caption);
    QFETCH(int, pending);

    const FormDialogTable& table = *variantNamed(deliverable).formDialog;
    const FormBoxRow& box = table.boxes[boxNamed(table, field)];
    const BoxCorrection result =
        correctFormBox(table, box, typed.toStdString(), hasFocus, true, {left, right});
    QCOMPARE(bytes(result.text), text);
    QCOMPARE(result.value, boxTextValue(result.text).value_or(0));
    QCOMPARE(result.sliderPosition.value_or(-1), slider);
    QCOMPARE(result.notice ? bytes(result.notice->caption) : QByteArray(), caption);
    QCOMPARE(result.rightMarginPending ? int(*result.rightMarginPending) : -1, pending);

    // While the dialog fills its boxes nothing is corrected.
    const BoxCorrection filling =
        correctFormBox(table, box, typed.toStdString(), hasFocus, false, {left, right});
    QCOMPARE(bytes(filling.text), typed);
    QVERIFY(!filling.sliderPosition && !filling.notice && !filling.rightMarginPending);
}

void TestFormEditor::ownRewritesAreQuiet()
{
    FormEditor editor(kbs62d::variant());
    openForm(editor, "書式１");
    const std::size_t left = boxNamed(editor.table(), "leftMargin");
    editor.boxChanged(boxNamed(editor.table(), "rightMargin"), "0", true);
    QVERIFY(editor.rightMarginPending());

    const BoxCorrection typed = editor.boxChanged(left, "5", true);
    QVERIFY(typed.notice);
    QCOMPARE(typed.text, "0");
    // The dialog writes the corrected text back: 0 is still not below the right margin 0, yet
    // that rewrite is the editor's own and shows nothing.
    QVERIFY(!editor.boxChanged(left, typed.text, true).notice);
    QCOMPARE(editor.text(left), "0");
}

void TestFormEditor::okSequence_data()
{
    QTest::addColumn<QByteArray>("deliverable");
    QTest::addColumn<QByteArray>("form");
    QTest::addColumn<QByteArray>("loaded"); // empty: the factory default
    QTest::addColumn<QByteArray>("edits");
    QTest::addColumn<QByteArray>("presses");
    QTest::addColumn<QByteArray>("image"); // afterwards; empty: as loaded

    const auto row = [](const char* name, const char* deliverable, const char* form, const char* loaded,
                        const char* edits, const char* presses, const char* image) {
        QTest::newRow(name) << QByteArray(deliverable) << QByteArray(form) << QByteArray(loaded)
                            << QByteArray(edits) << QByteArray(presses) << QByteArray(image);
    };
    // name, program, form, loaded image, typed -> OK presses, image afterwards
    row("kbs18r left 40 right 40", "kbs18r", "書式１", "", "leftMargin=40 rightMargin=40",
        "レフトマージン幅／ライトマージン幅|rightMargin=41|focus; close",
        "66,040,041,120,120,046,046,054,00,00");
    row("kbs18r right stays within 136", "kbs18r", "書式３", "", "leftMargin=135 rightMargin=135",
        "レフトマージン幅／ライトマージン幅|rightMargin=136|focus; close",
        "66,135,136,120,120,046,046,054,00,00");
    row("kbs18r loaded left >= right", "kbs18r", "書式２", "66,100,050,120,120,046,046,054,00,00", "",
        "レフトマージン幅／ライトマージン幅|rightMargin=101|focus; close",
        "66,100,101,120,120,046,046,054,00,00");
    row("kbs18r loaded left beyond 135", "kbs18r", "書式２", "66,150,136,120,120,046,046,054,00,00", "",
        "(program)|leftMargin=150|focus; (program)|leftMargin=150|focus", "");
    row("kbs18r margins before ranges", "kbs18r", "書式４", "00,000,136,120,120,046,046,054,00,00",
        "leftMargin=40 rightMargin=40",
        "レフトマージン幅／ライトマージン幅|rightMargin=41|focus; (program)|formLength=0|focus", "");
    row("kbs18r form0 has no margins to write", "kbs18r", "書式０", "", "adjCutSheet=68 feedPostcard=5",
        "close", "66,120,120,046,046,005,68,00");
    row("kbs62d one notice per press", "kbs62d", "書式２", "", "feedPostcard=1 feedFrontTractor=1",
        "フロントトラクタ吸入位置|feedFrontTractor=40|stay; はがき吸入位置|feedPostcard=40|stay; close",
        "66,000,136,040,120,120,046,040");
    row("kbs62d low feed before ranges", "kbs62d", "書式３", "00,000,136,120,120,120,046,054",
        "feedSheetGuide=1", "シートガイド吸入位置|feedSheetGuide=40|stay; (program)|formLength=0|focus", "");
    row("kbs62d right pending", "kbs62d", "書式１", "", "leftMargin=40 rightMargin=40",
        "ライトマージン幅|rightMargin=41|focus; close", "66,040,041,120,120,120,046,054");
    row("kbs62d pending no longer holds", "kbs62d", "書式１", "",
        "leftMargin=40 rightMargin=30 leftMargin=20", "close", "66,020,030,120,120,120,046,054");
    row("kbs62d pending cleared at opening", "kbs62d", "書式２", "66,100,050,120,120,120,046,054",
        "rightMargin=40 reopen", "close", "");
    row("kbs62d loaded left >= right stays", "kbs62d", "書式２", "66,100,050,120,120,120,046,054", "",
        "close", "");
}

void TestFormEditor::okSequence()
{
    QFETCH(QByteArray, deliverable);
    QFETCH(QByteArray, form);
    QFETCH(QByteArray, loaded);
    QFETCH(QByteArray, edits);
    QFETCH(QByteArray, presses);
    QFETCH(QByteArray, image);

    const ModelVariant& variant = variantNamed(deliverable);
    FormEditor editor(variant);
    editor.loadImages(blockWithImage(variant, form, loaded));
    const QByteArray before = bytes(editor.image(form.toStdString()));
    openForm(editor, form);
    typeInto(editor, edits);
    QCOMPARE(pressOkFor(editor, presses), presses);
    QCOMPARE(bytes(editor.image(form.toStdString())), image.isEmpty() ? before : image);
}

void TestFormEditor::noticeTexts_data()
{
    QTest::addColumn<QByteArray>("deliverable");
    QTest::addColumn<QByteArray>("edits");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("caption"); // empty: the program's name

    const auto row = [](const char* name, const char* deliverable, const char* edits, const char* text,
                        const char* caption) {
        QTest::newRow(name) << QByteArray(deliverable) << QByteArray(edits) << QByteArray(text)
                            << QByteArray(caption);
    };
    const char* rightAboveLeft =
        "ライトマージン幅はレフトマージン幅より大きくしてください。適正値に変更します。";
    row("kbs18r margins", "kbs18r", "leftMargin=40 rightMargin=40", rightAboveLeft,
        "レフトマージン幅／ライトマージン幅");
    row("kbs18t margins", "kbs18t", "leftMargin=40 rightMargin=40", rightAboveLeft,
        "書式１－レフトマージン幅／ライトマージン幅");
    row("kbs62d typed left", "kbs62d", "rightMargin=100 leftMargin=136",
        "レフトマージン幅はライトマージン幅より小さくしてください。適正値に変更します。", "レフトマージン幅");
    row("kbs62d pending right", "kbs62d", "leftMargin=40 rightMargin=40", rightAboveLeft, "ライトマージン幅");
    row("kbs62d front", "kbs62d", "feedFrontTractor=1",
        "フロントトラクタの吸入位置の値が下限を超えています。\n設定値を変更します。",
        "フロントトラクタ吸入位置");
    row("kbs18t range", "kbs18t", "feedCutSheet=", "0 から 130 までの整数を入力してください。", "");
}

void TestFormEditor::noticeTexts()
{
    QFETCH(QByteArray, deliverable);
    QFETCH(QByteArray, edits);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, caption);

    FormEditor editor(variantNamed(deliverable));
    openForm(editor, "書式１");
    std::optional<FormNotice> notice;
    for (const QByteArray& edit : edits.split(' ')) {
        const qsizetype equals = edit.indexOf('=');
        const std::size_t box = boxNamed(editor.table(), edit.left(equals));
        if (auto typed = editor.boxChanged(box, edit.mid(equals + 1).toStdString(), true).notice)
            notice = typed;
    }
    if (!notice) {
        const auto pressed = editor.ok();
        QVERIFY(pressed);
        notice = pressed->notice;
    }
    QCOMPARE(bytes(notice->text), text);
    QCOMPARE(bytes(notice->caption), caption);
    QCOMPARE(notice->captionIsProgramName, caption.isEmpty());
}

void TestFormEditor::writesOnlyDigitsOfTheNamedForm_data()
{
    QTest::addColumn<QByteArray>("deliverable");
    QTest::addColumn<QByteArray>("form");
    QTest::addColumn<int>("offset"); // of the image in the block
    QTest::addColumn<QByteArray>("loaded");
    QTest::addColumn<QByteArray>("edits");
    QTest::addColumn<QByteArray>("written");

    const auto row = [](const char* name, const char* deliverable, const char* form, int offset,
                        const char* loaded, const char* edits, const char* written) {
        QTest::newRow(name) << QByteArray(deliverable) << QByteArray(form) << offset << QByteArray(loaded)
                            << QByteArray(edits) << QByteArray(written);
    };
    row("kbs18t form2 keeps feedReserved", "kbs18t", "書式２", 105, "66,000,136,120,777,046,054,00",
        "formLength=50", "50,000,136,120,777,046,054,00");
    row("kbs18r form0 keeps odd commas", "kbs18r", "書式０", 38, "66X120X120X046X046X054X00X00",
        "feedPostcard=7 adjFrontTractor=3", "66X120X120X046X046X007X00X03");
    row("kbs62d form3 three digits", "kbs62d", "書式３", 134, "66;000;136;120;120;120;046;054",
        "rightMargin=99", "66;000;099;120;120;120;046;054");
    row("kbs18r odd field written as shown", "kbs18r", "書式１", 87, "66,000,136,120,120,046,046,054,0:,00",
        "formLength=5", "05,000,136,120,120,046,046,054,10,00");
}

void TestFormEditor::writesOnlyDigitsOfTheNamedForm()
{
    QFETCH(QByteArray, deliverable);
    QFETCH(QByteArray, form);
    QFETCH(int, offset);
    QFETCH(QByteArray, loaded);
    QFETCH(QByteArray, edits);
    QFETCH(QByteArray, written);

    const ModelVariant& variant = variantNamed(deliverable);
    SettingsBlock block = blockWithImage(variant, form, loaded);
    SettingsBlock expected = block;
    writeBytes(expected, static_cast<std::size_t>(offset), written.toStdString());

    FormEditor editor(variant);
    editor.loadImages(block);
    openForm(editor, form);
    typeInto(editor, edits);
    QCOMPARE(pressOk(editor), QByteArray("close"));
    editor.storeImages(block);
    QCOMPARE(bytes(readBytes(block, 0, block.size())), bytes(readBytes(expected, 0, expected.size())));
}

void TestFormEditor::unchangedImageIsWrittenBackByteForByte_data()
{
    QTest::addColumn<QByteArray>("deliverable");
    QTest::addColumn<QByteArray>("form");
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("accepted"); // -1: either

    QTest::newRow("kbs18r edges") << QByteArray("kbs18r") << QByteArray("書式１")
                                  << QByteArray("99,135,136,170,000,015,018,028,68,68") << 1;
    QTest::newRow("kbs62d form0 edges")
        << QByteArray("kbs62d") << QByteArray("書式０") << QByteArray("01,040,132,046,060,054") << 1;
    QTest::newRow("kbs18r all NUL") << QByteArray("kbs18r") << QByteArray("書式２") << QByteArray(36, '\0')
                                    << 0;

    // Any bytes at all, commas included.
    std::mt19937 random(20261207);
    const QByteArray alphabet("0123456789,:;A\xFF\x00 ", 17);
    for (const ModelVariant* variant : {&kbs18r::variant(), &kbs62d::variant(), &kbs18t::variant()}) {
        for (const FormImageEntry& form : variant->formDialog->forms) {
            QByteArray image;
            for (std::size_t index = 0; index < formBlockField(*variant, form).width; ++index)
                image += alphabet[static_cast<qsizetype>(random() % alphabet.size())];
            QTest::addRow("%s %s random", variant->deliverable.data(), form.blockField.data())
                << QByteArray::fromStdString(std::string(variant->deliverable))
                << QByteArray::fromStdString(std::string(form.formName)) << image << -1;
        }
    }
}

void TestFormEditor::unchangedImageIsWrittenBackByteForByte()
{
    QFETCH(QByteArray, deliverable);
    QFETCH(QByteArray, form);
    QFETCH(QByteArray, image);
    QFETCH(int, accepted);

    const ModelVariant& variant = variantNamed(deliverable);
    const SettingsBlock loaded = blockWithImage(variant, form, image);
    FormEditor editor(variant);
    editor.loadImages(loaded);
    openForm(editor, form);
    const QByteArray pressed = pressOk(editor);
    if (accepted >= 0)
        QVERIFY2((pressed == "close") == (accepted == 1), pressed.constData());
    SettingsBlock stored(variant.factoryDefaults);
    editor.storeImages(stored);
    QVERIFY(stored == loaded);
}

void TestFormEditor::tableMustFitTheLayout()
{
    for (const ModelVariant* variant : {&kbs18r::variant(), &kbs62d::variant(), &kbs18t::variant()})
        FormEditor{*variant};

    const ModelVariant& base = kbs18r::variant();
    const std::vector<FormBoxRow> rows(base.formDialog->boxes.begin(), base.formDialog->boxes.end());
    const std::size_t correction = boxNamed(*base.formDialog, "adjCutSheet");
    const std::size_t feed = boxNamed(*base.formDialog, "feedSheetGuide");
    const SliderScaleMark beyond[] = {{10, "x"}};
    const SliderScaleLine beyondLine[] = {beyond};
    const FormImageEntry notAnImage[] = {{"書式１", "msw1"}};

    // Each broken table is refused before an editor could write past a field.
    const auto breaks = [&](const char* what, auto change) {
        std::vector<FormBoxRow> broken = rows;
        FormDialogTable table = *base.formDialog;
        change(broken, table);
        table.boxes = broken;
        ModelVariant variant = base;
        variant.formDialog = &table;
        bool refused = false;
        try {
            FormEditor editor(variant);
        } catch (const std::invalid_argument&) {
            refused = true;
        }
        QVERIFY2(refused, what);
    };
    breaks("100 does not fit two digits", [&](auto& boxes, auto&) { boxes[correction].range.max = 100; });
    breaks("negative values have no digits", [&](auto& boxes, auto&) { boxes[correction].range.min = -1; });
    breaks("no image has the field", [&](auto& boxes, auto&) { boxes[correction].field = "adjNowhere"; });
    breaks("scale mark beyond the slider", [&](auto& boxes, auto&) { boxes[feed].scale = beyondLine; });
    breaks("feed without stops", [&](auto& boxes, auto&) { boxes[feed].stops = {}; });
    breaks("form naming no image", [&](auto&, auto& table) { table.forms = notAnImage; });
}

QTEST_APPLESS_MAIN(TestFormEditor)
#include "tst_form_editor.moc"
