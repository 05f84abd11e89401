// The page rules at their boundaries, one table per rule and one row per boundary. Cells are
// separated by '|'; bytes after '#' are hex.

#include "model/field_codecs.h"
#include "pagedata/control_page.h"
#include "pagedata/field_lookup.h"
#include "pagedata/form_box_rules.h"
#include "pagedata/form_editor.h"
#include "pagedata/number_rules.h"
#include "pagedata/page_data_for.h"
#include "pagedata/param_cases.h"
#include "pagedata/slider_stops.h"

#include <QRegularExpression>
#include <QTest>

using namespace kbs;
using param_cases::variantNamed;

namespace {

QStringList cells(const char* row)
{
    QStringList parts = QString::fromUtf8(row).split('|');
    for (QString& part : parts)
        part = part.trimmed();
    return parts;
}

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

const NumberBoxSpec& numberBox(const QString& program, const QString& box)
{
    return *param_cases::findControl(variantNamed(program), box.toStdString()).row->number;
}

std::size_t boxNamed(const FormDialogTable& table, const QString& field)
{
    for (std::size_t box = 0; box < table.boxes.size(); ++box)
        if (text(table.boxes[box].field) == field)
            return box;
    qFatal("no box %s", qPrintable(field));
}

std::string bytesOf(const QString& cell)
{
    return (cell.startsWith('#') ? QByteArray::fromHex(cell.mid(1).toLatin1()) : cell.toUtf8()).toStdString();
}

// The page holding the control, loaded with the factory defaults unless `fresh`.
struct LoadedPage {
    std::optional<PageData> data;
    std::size_t control = 0;
    const FieldSpec* field = nullptr;
};

LoadedPage pageWith(const ModelVariant& variant, const QString& control)
{
    for (const TabSpec& tab : variant.tabs) {
        LoadedPage page{pageDataFor(variant, tab.page)};
        if (!page.data ||
            (page.control = page.data->indexOf(control.toStdString())) == page.data->controls().size())
            continue;
        const auto row = param_cases::findControl(variant, control.toStdString()).row; // none on switch pages
        page.field = &fieldNamed(variant.fields, row ? row->field : control.section('_', 0, 0).toStdString());
        return page;
    }
    qFatal("no control %s", qPrintable(control));
}

QString shown(const PageData& data, std::size_t index)
{
    const Member& member = data.member(index);
    if (member.kind != MemberKind::Choice)
        return member.kind == MemberKind::Text ? text(member.text) : QString::number(member.number);
    if (member.choice < 0)
        return "(none)";
    const CodeList* list = data.controls()[index].list;
    return list ? text(list->entries[std::size_t(member.choice)].text) : QString::number(member.choice);
}

// The tables are packed by hand, several rows a line.
// clang-format off
// program | control | bytes loaded ("!" first: into a page never loaded) | shown ("=" as after the
// factory defaults) | bytes stored over the loaded ones
constexpr const char* kLoadStore[] = {
    "kbs18r|centerRearTractor|200|96|096", "kbs18r|centerRearTractor|067|96|096",
    "kbs18r|centerRearTractor|068|68|068", "kbs18r|centerRearTractor|126|126|126",
    "kbs18r|centerRearTractor|127|96|096", "kbs18r|centerCutSheet|09|40|40", "kbs18r|centerCutSheet|10|10|10",
    "kbs18r|centerCutSheet|69|40|40", "kbs62d|centerCutSheet|99|=|40", "kbs18t|centerContinuous|05|=|36",
    "kbs18r|sheetGuideFeedTime|71|2|72", "kbs18r|sheetGuideFeedTime|96|2|92", "kbs18r|sheetGuideFeedTime|X5|5|X5",
    "kbs18t|sheetGuideFeedTime|X9|=|X2", "kbs62d|sheetGuideFeedTime|7|=|2", "kbs18r|lfPitchSheetGuide|06|0|00",
    "kbs18r|lfPitchSheetGuide|05|+5|05", "kbs18r|lfPitchSheetGuide|FA|0|00", "kbs18r|lfPitchSheetGuide|FB|-5|FB",
    "kbs18r|lfPitchSheetGuide|1F|=|00", "kbs62d|lfPitchSheetGuide|0A|=|00", "kbs62d|lfPitchSheetGuide|FB|-5|FB",
    "kbs18r|autoReturnTime|03|１５秒|15", "kbs18r|autoReturnTime|08|８秒|08",
    "kbs18r|thicknessRetryTime|08|１０秒|02", "kbs18r|thicknessRetryTime|07|再実行なし|07",
    "kbs18t|thicknessRetryTime|X8|=|02", "kbs18t|thicknessRetryTime|!08|(none)|07",
    "kbs18t|thicknessRetryTime|X3|60秒|03", "kbs18t|autoReturnTime|!01|(none)|00",
    "kbs62d|autoReturnTime|!01|(none)|08", "kbs18r|font1|5|標準|0", "kbs18r|font2|4|OCR-B|4", "kbs62d|font1|5|=|0",
    "kbs18r|kanjiTable|3|JIS1978年版|0", "kbs18r|postcardMode|2|OFF(&N)|0", "kbs62d|postcardMode|2|=|0",
    "kbs18r|printPressure|04|0|00", "kbs18r|printPressure|03|+3|03", "kbs18r|printPressure|FA|-6|FA",
    "kbs18r|printPressure|F9|0|00", "kbs62d|printPressure|0A|=|00", "kbs18t|printPressure|03|3|03",
    "kbs18r|printPosAdjust|04|0|00", "kbs18r|printPosAdjust|FC|0|00", "kbs18r|printPosAdjust|FD|-1.3|FD",
    "kbs18t|printPosAdjust|04|=|00", "kbs18t|printPosAdjust|!04|(none)|04", "kbs18r|printPosAdjust|!X0|(none)|X0",
    "kbs18r|autoPosAdjust|25|0|00", "kbs18r|autoPosAdjust|24|24|24", "kbs18r|paperThickness|13|オート|00",
    "kbs18r|paperThickness|12|12|12", "kbs62d|paperThickness|06|=|00", "kbs18r|reducePrint|2|縮小なし|0",
    "kbs62d|reducePrint|2|=|0", "kbs62d|reducePrint|!2|(none)|2", "kbs18r|copyStrength|3|標準|0",
    "kbs18r|formSelect|5|書式０|0", "kbs62d|formSelect|4|=|0", "kbs18t|formSelect|4|=|0",
    "kbs18r|sheetGuideSetPos|2|左端(&L)|0", "kbs18r|typeface|2|明朝体(&R)|0", "kbs62d|typeface|2|(none)|2",
    "kbs18t|quietPrint|2|(none)|2", "kbs62d|hopper|3|=|1", "kbs62d|hopper|!3|(none)|1", "kbs18t|formLength|00|=|66",
    "kbs18t|adjCutSheet|99|=|00", "kbs18r|msw1_country|#0108|日本|#0008",
    "kbs18r|msw1_country|#0D00|スウェーデン|#0D00", "kbs62d|msw4_1|#0F0F|1|#0D09", "kbs62d|msw5_1|#000F|0|#0001",
    "kbs18t|msw4_1|#0F0F|1|#0F0F", "kbs62d|msw2_1|#0800|0|#0800",
};

// program | box | typed | focus | user change | shown | pending
constexpr const char* kTypeAhead[] = {
    "kbs18r|centerCutSheet|0|1|1|10|0", "kbs18r|centerCutSheet|1|1|1|1|1", "kbs18r|centerCutSheet|6|1|1|6|1",
    "kbs18r|centerCutSheet|7|1|1|10|0", "kbs18r|centerCutSheet||1|1|10|0", "kbs18r|centerCutSheet|68|1|1|68|0",
    "kbs18r|centerCutSheet|69|1|1|68|0", "kbs18r|centerCutSheet|0040|1|1|40|0", "kbs18r|centerCutSheet|040|1|1|040|0",
    "kbs18r|centerCutSheet|7|0|1|7|0", "kbs18r|centerCutSheet|0040|0|1|40|0", "kbs18r|centerCutSheet|7|1|0|7|0",
    "kbs18r|centerRearTractor|1|1|1|1|1", "kbs18r|centerRearTractor|2|1|1|68|0",
    "kbs18r|centerRearTractor|5|1|1|68|0", "kbs18r|centerRearTractor|6|1|1|6|1",
    "kbs18r|centerRearTractor|67|1|1|67|1", "kbs18r|centerRearTractor|126|1|1|126|0",
    "kbs18r|centerRearTractor|127|1|1|126|0", "kbs18r|centerRearTractor|0100|1|1|0100|0",
    "kbs18r|centerRearTractor|00100|1|1|100|0", "kbs62d|centerRearTractor|7|1|1|10|0",
    "kbs18t|centerContinuous|6|1|1|6|1", "kbs18r|sheetGuideFeedTime|1|1|1|2|0", "kbs18r|sheetGuideFeedTime|2|1|1|2|0",
    "kbs62d|sheetGuideFeedTime|5|1|1|5|0", "kbs18t|sheetGuideFeedTime|6|1|1|5|0",
    "kbs18t|sheetGuideFeedTime|002|1|1|2|0",
};

// program | box | text | stored value or refusal
constexpr const char* kStoreCheck[] = {
    "kbs18r|sheetGuideFeedTime|2|2", "kbs62d|sheetGuideFeedTime|5|5",
    "kbs18t|sheetGuideFeedTime|1|2 から 5 までの整数を入力してください。",
    "kbs18r|sheetGuideFeedTime|6|2 から 5 までの整数を入力してください。",
    "kbs18r|sheetGuideFeedTime||整数を入力してください。", "kbs18t|centerCutSheet||整数を入力してください。",
    "kbs62d|centerCutSheet|5|5",
};

// program | pending boxes | the notice's caption | boxes corrected, in order
constexpr const char* kPendingNotices[] = {
    "kbs18r|centerRearTractor centerCutSheet|パラメータ設定－用紙吸入時ヘッドセンタリング位置|centerCutSheet "
    "centerRearTractor",
    "kbs62d|centerFrontTractor|パラメータ設定－用紙吸入時ヘッドセンタリング位置|centerFrontTractor",
    "kbs18t|centerContinuous centerCutSheet|パラメータ設定－カット紙のセンタリング位置|centerCutSheet",
    "kbs18t|centerContinuous|パラメータ設定－カット紙のセンタリング位置|centerContinuous",
    "kbs18r|||",
};

// program | feed box | value | slider position
constexpr const char* kSliders[] = {
    "kbs18r|feedFrontTractor|50|7", "kbs18r|feedFrontTractor|90|8", "kbs18r|feedFrontTractor|24|3",
    "kbs18r|feedFrontTractor|25|4", "kbs18r|feedPostcard|47|6", "kbs18r|feedPostcard|48|7",
    "kbs18t|feedCutSheet|170|9", "kbs18t|feedPostcard|-16|0", "kbs62d|feedFrontTractor|53|0",
    "kbs62d|feedPostcard|57|0", "kbs62d|feedPostcard|58|1", "kbs62d|feedSheetGuide|90|1",
};

// program | box | typed | focus | left,right margins | shown | notice caption | right pending
constexpr const char* kBoxes[] = {
    "kbs18r|feedPostcard|171|1|0,136|170||", "kbs18r|feedPostcard|170|1|0,136|170||",
    "kbs18r|feedPostcard|00050|1|0,136|50||", "kbs18r|feedPostcard|0050|1|0,136|0050||",
    "kbs18r|feedPostcard|200|0|0,136|200||", "kbs18t|feedCutSheet|131|1|0,136|130||",
    "kbs62d|feedFrontTractor|3|1|0,136|40||", "kbs62d|feedFrontTractor|4|1|0,136|4||",
    "kbs62d|feedPostcard|4|1|0,136|40||", "kbs62d|feedFrontTractor|1|1|0,136|1||",
    "kbs62d|feedFrontTractor|133|1|0,136|132||", "kbs18r|formLength|0|1|0,136|1||",
    "kbs18r|formLength|100|1|0,136|99||", "kbs62d|formLength|1000|1|0,136|99||", "kbs18r|adjCutSheet|69|1|0,136|68||",
    "kbs18r|leftMargin|136|1|0,100|135||", "kbs18t|leftMargin|40|1|0,40|40||", "kbs18r|rightMargin|0|1|0,136|1||",
    "kbs18r|rightMargin|137|1|0,136|136||", "kbs62d|leftMargin|99|1|0,100|99||",
    "kbs62d|leftMargin|100|1|0,100|99|レフトマージン幅|", "kbs62d|leftMargin|5|1|0,0|0|レフトマージン幅|",
    "kbs62d|rightMargin|40|1|40,136|40||1", "kbs62d|rightMargin|41|1|40,136|41||0",
};

// program | form | image loaded (empty: the default) | typed "box=text" | each OK press: "caption
// box=text focus|stay" or "close"; the range message, captioned with the program's name, by its text |
// image afterwards
constexpr const char* kOkPresses[] = {
    "kbs18r|書式１||leftMargin=40 rightMargin=40|レフトマージン幅／ライトマージン幅 rightMargin=41 focus; close|66,040,041,120,120,046,046,054,00,00",
    "kbs18r|書式１||leftMargin=39 rightMargin=40|close|66,039,040,120,120,046,046,054,00,00",
    "kbs18r|書式３||leftMargin=135 rightMargin=135|レフトマージン幅／ライトマージン幅 rightMargin=136 focus; close|66,135,136,120,120,046,046,054,00,00",
    "kbs18t|書式１||leftMargin=40 rightMargin=40|書式１－レフトマージン幅／ライトマージン幅 rightMargin=41 focus; close|66,040,041,120,000,046,054,00",
    "kbs18r|書式２|66,150,136,120,120,046,046,054,00,00||0 から 135 までの整数を入力してください。 leftMargin=150 focus|66,150,136,120,120,046,046,054,00,00",
    "kbs18r|書式４|00,000,136,120,120,046,046,054,00,00|leftMargin=40 rightMargin=40|レフトマージン幅／ライトマージン幅 rightMargin=41 focus; 1 から 99 までの整数を入力してください。 formLength=0 focus|00,000,136,120,120,046,046,054,00,00",
    "kbs18r|書式１||formLength~|1 から 99 までの整数を入力してください。 formLength= focus|66,000,136,120,120,046,046,054,00,00",
    "kbs18r|書式０||adjCutSheet=68 feedPostcard=5|close|66,120,120,046,046,005,68,00",
    "kbs62d|書式２||feedPostcard=1 feedFrontTractor=39|フロントトラクタ吸入位置 feedFrontTractor=40 stay; はがき吸入位置 feedPostcard=40 stay; close|66,000,136,040,120,120,046,040",
    "kbs62d|書式１||leftMargin=40 rightMargin=40|ライトマージン幅 rightMargin=41 focus; close|66,040,041,120,120,120,046,054",
    "kbs62d|書式１||leftMargin=40 rightMargin=30 leftMargin=20|close|66,020,030,120,120,120,046,054",
    "kbs62d|書式２|66,100,050,120,120,120,046,054|rightMargin=40 reopen|close|66,100,050,120,120,120,046,054",
    "kbs18t|書式２|66,000,136,120,999,046,054,00|feedCutSheet=18|close|66,000,136,120,999,018,054,00",
};

// clang-format on

} // namespace

class TestPageRules : public QObject {
    Q_OBJECT

private slots:
    void loadAndStore()
    {
        QStringList wrong;
        for (const char* row : kLoadStore) {
            const QStringList cell = cells(row);
            const ModelVariant& variant = variantNamed(cell[0]);
            LoadedPage page = pageWith(variant, cell[1]);
            const SettingsBlock defaults(variant.factoryDefaults);
            QString loaded = cell[2];
            if (!loaded.startsWith('!'))
                page.data->load(defaults);
            loaded.remove(0, loaded.startsWith('!') ? 1 : 0);
            const QString before = shown(*page.data, page.control);
            SettingsBlock block = defaults;
            writeBytes(block, page.field->offset, bytesOf(loaded));
            page.data->load(block);
            const QString wasShown = shown(*page.data, page.control);
            page.data->store(block);
            if (wasShown != (cell[3] == "=" ? before : cell[3]) ||
                readBytes(block, page.field->offset, page.field->width) != bytesOf(cell[4]))
                wrong << QString("%1 shows %2, stores %3")
                             .arg(row, wasShown,
                                  QString::fromStdString(
                                      readBytes(block, page.field->offset, page.field->width))
                                      .toUtf8()
                                      .toHex(' '));
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join('\n')));
    }

    void typeAhead()
    {
        for (const char* row : kTypeAhead) {
            const QStringList cell = cells(row);
            const TypeAhead result = correctTypeAhead(numberBox(cell[0], cell[1]), cell[2].toStdString(),
                                                      cell[3] == "1", cell[4] == "1");
            QCOMPARE(QString::fromStdString(result.text) + (result.pending ? " pending" : ""),
                     cell[5] + (cell[6] == "1" ? " pending" : ""));
        }
    }

    void storeCheck()
    {
        for (const char* row : kStoreCheck) {
            const QStringList cell = cells(row);
            const StoredNumber stored = checkStoredNumber(numberBox(cell[0], cell[1]), cell[2].toStdString());
            QCOMPARE(stored.value ? QString::number(*stored.value) : QString::fromStdString(stored.refusal),
                     cell[3]);
        }
    }

    void pendingNotices()
    {
        for (const char* row : kPendingNotices) {
            const QStringList cell = cells(row);
            const ModelVariant& variant = variantNamed(cell[0]);
            const ControlPageTable& table = *param_cases::findControl(variant, "centerCutSheet").page;
            PageData data = controlPageData(table, variant);
            for (const QString& box : cell[1].split(' ', Qt::SkipEmptyParts))
                data.member(data.indexOf(box.toStdString())).pending = true;
            const PendingCorrection correction = pendingCorrection(table, data);
            QStringList corrected;
            for (const std::size_t box : correction.boxes)
                corrected << text(data.controls()[box].name);
            QCOMPARE(correction.notice ? text(correction.notice->caption) : QString(), cell[2]);
            QCOMPARE(corrected.join(' '), cell[3]);
        }
    }

    void sliders()
    {
        for (const char* row : kSliders) {
            const QStringList cell = cells(row);
            const std::span<const int> stops =
                feedStops(*variantNamed(cell[0]).formDialog, cell[1].toStdString());
            const int position = nearestStop(stops, cell[2].toInt());
            QCOMPARE(QString::number(position), cell[3]);
        }
    }

    void formBoxes()
    {
        for (const char* row : kBoxes) {
            const QStringList cell = cells(row);
            const FormDialogTable& table = *variantNamed(cell[0]).formDialog;
            const QStringList margins = cell[4].split(',');
            const BoxCorrection result =
                correctFormBox(table, table.boxes[boxNamed(table, cell[1])], cell[2].toStdString(),
                               cell[3] == "1", true, {margins[0].toInt(), margins[1].toInt()});
            QCOMPARE(QString::fromStdString(result.text), cell[5]);
            QCOMPARE(result.notice ? QString::fromStdString(result.notice->caption) : QString(), cell[6]);
            QCOMPARE(result.rightMarginPending ? QString::number(*result.rightMarginPending) : QString(),
                     cell[7]);
            if (result.sliderPosition)
                QCOMPARE(*result.sliderPosition,
                         nearestStop(table.boxes[boxNamed(table, cell[1])].stops, result.value));
        }
        // The editor's own rewrites are no user changes.
        const FormDialogTable& table = *variantNamed("kbs18r").formDialog;
        QCOMPARE(correctFormBox(table, table.boxes[0], "0", true, false, {0, 136}).text, "0");
    }

    void okPresses()
    {
        for (const char* row : kOkPresses) {
            const QStringList cell = cells(row);
            const ModelVariant& variant = variantNamed(cell[0]);
            FormEditor editor(variant);
            SettingsBlock block(variant.factoryDefaults);
            const std::string form = cell[1].toStdString();
            const FieldSpec* image = nullptr;
            for (const FormImageEntry& entry : variant.formDialog->forms)
                if (entry.formName == form)
                    image = &fieldNamed(variant.fields, entry.blockField);
            if (!cell[2].isEmpty())
                writeBytes(block, image->offset, cell[2].toStdString());
            editor.loadImages(block);
            const auto open = [&] {
                QVERIFY(editor.parseForm(form));
                editor.setFormName(form);
                editor.open();
            };
            open();
            for (const QString& edit : cell[3].split(' ', Qt::SkipEmptyParts)) {
                if (edit == "reopen")
                    open();
                else // "box~text": typed without the focus
                    editor.boxChanged(
                        boxNamed(editor.table(), edit.section(QRegularExpression("[=~]"), 0, 0)),
                        edit.section(QRegularExpression("[=~]"), 1).toStdString(), edit.contains('='));
            }
            QStringList presses;
            for (qsizetype press = 0; press < cell[4].count(';') + 1; ++press) {
                const auto notice = editor.ok();
                presses << (!notice
                                ? QString("close")
                                : QString("%1 %2=%3 %4")
                                      .arg(QString::fromStdString(notice->notice.captionIsProgramName
                                                                      ? notice->notice.text
                                                                      : notice->notice.caption),
                                           text(editor.table().boxes[notice->box].field),
                                           text(editor.text(notice->box)), notice->focus ? "focus" : "stay"));
            }
            QCOMPARE(presses.join("; "), cell[4]);
            QCOMPARE(text(editor.image(form)), cell[5]);
        }
    }
};

QTEST_GUILESS_MAIN(TestPageRules)
#include "tst_page_rules.moc"
