// Export and import of settings files as text: byte-identical round trips for odd files, every
// kind of import error with its line, and edits that change exactly their own bytes.

#include "cli/file_image.h"
#include "cli/settings_reading.h"
#include "cli/settings_text.h"
#include "model/field_layout.h"

#include <QtTest>

#include <functional>
#include <random>

using namespace kbs;
using namespace kbs::cli;

namespace {

using Bytes = std::vector<std::uint8_t>;
using FieldFill = std::function<std::uint8_t(const FieldSpec& field, std::size_t index)>;

// The factory defaults with every byte a page owns replaced by `fill`.
FileImage oddFile(const ModelVariant& variant, const FieldFill& fill, Bytes tail = {})
{
    FileImage image = factoryFile(variant);
    for (const FieldSpec& field : variant.fields)
        if (field.owner != PageId::None)
            for (std::size_t i = 0; i < field.width; ++i)
                image.block[field.offset + i] = fill(field, i);
    image.tail = std::move(tail);
    return image;
}

const FieldSpec& field(const ModelVariant& variant, std::string_view name)
{
    for (const FieldSpec& layoutField : variant.fields)
        if (layoutField.name == name)
            return layoutField;
    throw std::logic_error("no such field");
}

QByteArray bytesOf(const FileImage& image)
{
    const Bytes bytes = image.fileBytes();
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

FileImage imported(const std::string& text, const FileImage* base = nullptr)
{
    ImportResult result = importText(text, base);
    if (!result.image)
        throw std::runtime_error(result.errors.empty() ? "no image" : result.errors.front());
    return std::move(*result.image);
}

// The text with the line of `key` replaced by "key = value".
std::string withLine(std::string text, const std::string& key, const std::string& value)
{
    const std::size_t at = text.find("\n" + key + " = ");
    if (at == std::string::npos)
        throw std::logic_error("no line of " + key);
    const std::size_t end = text.find('\n', at + 1);
    return text.replace(at + 1, end - at - 1, key + " = " + value);
}

} // namespace

Q_DECLARE_METATYPE(const ModelVariant*)
Q_DECLARE_METATYPE(FieldFill)

class TstKnobctlText : public QObject {
    Q_OBJECT

private slots:
    void roundTripIsByteIdentical_data();
    void roundTripIsByteIdentical();
    void oddFieldsAreHexWithWhatTheProgramShows_data();
    void oddFieldsAreHexWithWhatTheProgramShows();
    void importErrorsNameTheirLines_data();
    void importErrorsNameTheirLines();
    void editChangesExactlyItsBytes_data();
    void editChangesExactlyItsBytes();
    void keysLeftOutTakeTheBase();
};

void TstKnobctlText::roundTripIsByteIdentical_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<FieldFill>("fill");
    QTest::addColumn<QByteArray>("tail");

    const std::pair<const char*, FieldFill> fills[] = {
        {"letters", [](const FieldSpec&, std::size_t i) { return std::uint8_t('A' + i % 26); }},
        {"nines (out of every range)", [](const FieldSpec&, std::size_t) { return std::uint8_t('9'); }},
        {"zero digits", [](const FieldSpec&, std::size_t) { return std::uint8_t('0'); }},
        // Form fields in range beside commas that are no commas.
        {"ones", [](const FieldSpec&, std::size_t) { return std::uint8_t('1'); }},
        {"NUL bytes", [](const FieldSpec&, std::size_t) { return std::uint8_t(0x00); }},
        {"all bits set", [](const FieldSpec&, std::size_t) { return std::uint8_t(0xFF); }},
        {"high bits of switches",
         [](const FieldSpec& f, std::size_t i) {
             return f.encoding == Encoding::SwitchPair ? std::uint8_t(0xA5 + i) : std::uint8_t('1');
         }},
        {"signed hex beyond the steps",
         [](const FieldSpec& f, std::size_t i) {
             return std::uint8_t(f.encoding == Encoding::SignedHex ? (i == 0 ? 'F' : '0') : '5');
         }},
    };
    for (const ModelVariant* variant : programs()) {
        for (const auto& [name, fill] : fills)
            QTest::addRow("%s %s", variant->deliverable.data(), name) << variant << fill << QByteArray();
        // Every byte of the block at random, the identifier kept, and a tail behind the block.
        for (unsigned seed = 1; seed <= 20; ++seed) {
            const FieldFill random = [seed](const FieldSpec& f, std::size_t i) {
                std::mt19937 generator(seed * 1000 + unsigned(f.offset + i));
                return std::uint8_t(generator() & 0xFF);
            };
            QTest::addRow("%s random %u", variant->deliverable.data(), seed)
                << variant << random << QByteArray("tail\0\xff\n", 7);
        }
    }
}

void TstKnobctlText::roundTripIsByteIdentical()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(FieldFill, fill);
    QFETCH(QByteArray, tail);

    FileImage original = oddFile(*variant, fill, Bytes(tail.begin(), tail.end()));
    // Bytes no page owns are odd too: the lead-in, separators, trailer.
    for (std::size_t offset = 0; offset < original.block.size(); offset += 3)
        if (std::ranges::none_of(variant->fields, [&](const FieldSpec& f) {
                return f.owner != PageId::None && offset >= f.offset && offset < f.offset + f.width;
            }))
            original.block[offset] = std::uint8_t(0x80 + offset % 0x7F);

    const std::string text = exportText(settingsMapOf(*variant), original);
    QCOMPARE(bytesOf(imported(text)), bytesOf(original));
    // A base of other bytes everywhere changes nothing: the text says every byte.
    const FileImage base =
        oddFile(*variant, [](const FieldSpec&, std::size_t) { return std::uint8_t(0x7E); });
    QCOMPARE(bytesOf(imported(text, &base)), bytesOf(original));
    // The text of the imported file is the same text.
    QCOMPARE(exportText(settingsMapOf(*variant), imported(text)), text);
}

void TstKnobctlText::oddFieldsAreHexWithWhatTheProgramShows_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<int>("within"); // where the bytes go inside the field
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expectedLine");
    QTest::addColumn<QString>("expectedComment");

    // kbs18r shows 96 for a rear tractor centering "200" and writes "096".
    QTest::newRow("kbs18r rear tractor 200")
        << "kbs18r"
        << "centerRearTractor" << 0 << QByteArray("200") << "centerRearTractor = hex:323030"
        << "shows \"96\" and writes hex:303936";
    // kbs18r: a retry time "09" shows １０秒 and is written back "02".
    QTest::newRow("kbs18r retry time 09")
        << "kbs18r"
        << "thicknessRetryTime" << 0 << QByteArray("09") << "thicknessRetryTime = hex:39"
        << "shows \"１０秒\" and writes hex:32";
    // kbs62d and kbs18t leave a list as it was for a code it does not list.
    QTest::newRow("kbs62d font 7") << "kbs62d"
                                   << "font1" << 0 << QByteArray("7") << "font1 = hex:37"
                                   << "keeps what it showed before and writes hex:30";
    QTest::newRow("kbs18t auto return 99")
        << "kbs18t"
        << "autoReturnTime" << 0 << QByteArray("99") << "autoReturnTime = hex:3939"
        << "keeps what it showed before";
    // A listed value in non-canonical form is a value: nothing to hex.
    QTest::newRow("kbs18r lf pitch -5")
        << "kbs18r"
        << "lfPitchSheetGuide" << 0 << QByteArray("FB") << "lfPitchSheetGuide = -5"
        << "";
    // A form's digit is its code minus '0': "7A" reads 7 * 10 + 17.
    QTest::newRow("kbs18r form1 length 7A")
        << "kbs18r"
        << "form1" << 0 << QByteArray("7A") << "form1.formLength = hex:3741"
        << "shows \"87\" and writes hex:3741";
    QTest::newRow("kbs18r form3 left margin 140")
        << "kbs18r"
        << "form3" << 3 << QByteArray("140") << "form3.leftMargin = hex:313430"
        << "shows \"140\" and writes hex:313430";
    QTest::newRow("kbs62d form1 feed below 40")
        << "kbs62d"
        << "form1" << 11 << QByteArray("039") << "form1.feedFrontTractor = hex:303339"
        << "shows \"39\" and writes hex:303339";
    QTest::newRow("kbs62d form0 length 00")
        << "kbs62d"
        << "form0" << 0 << QByteArray("00") << "form0.formLength = hex:3030"
        << "shows \"0\"";
    QTest::newRow("kbs18t form2 postcard feed 130")
        << "kbs18t"
        << "form2" << 23 << QByteArray("130") << "form2.feedPostcard = 130"
        << "";
    // kbs18t shows form 0's feeds on its form tab.
    QTest::newRow("kbs18t tab postcard feed 131")
        << "kbs18t"
        << "form0.feedPostcard" << 0 << QByteArray("131") << "feedPostcard = hex:313331"
        << "no value of this setting";
    QTest::newRow("kbs18r form4 front tractor correction 68")
        << "kbs18r"
        << "form4" << 34 << QByteArray("68") << "form4.adjFrontTractor = 68"
        << "";
}

void TstKnobctlText::oddFieldsAreHexWithWhatTheProgramShows()
{
    QFETCH(QString, program);
    QFETCH(QString, fieldName);
    QFETCH(int, within);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expectedLine);
    QFETCH(QString, expectedComment);

    const ModelVariant& variant = *programNamed(program.toStdString());
    FileImage image = factoryFile(variant);
    const FieldSpec& layoutField = field(variant, fieldName.toStdString());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        image.block[layoutField.offset + std::size_t(within + i)] = std::uint8_t(bytes[i]);

    const QString text = QString::fromStdString(exportText(settingsMapOf(variant), image));
    const QStringList lines = text.split('\n');
    const qsizetype at = lines.indexOf(expectedLine);
    QVERIFY2(at > 0, qPrintable(text));
    if (expectedComment.isEmpty())
        QVERIFY(!lines[at - 1].contains("no value of this setting"));
    else
        QVERIFY2(lines[at - 1].startsWith('#') && lines[at - 1].contains(expectedComment),
                 qPrintable(lines[at - 1]));
    QCOMPARE(bytesOf(imported(text.toStdString())), bytesOf(image));
}

void TstKnobctlText::importErrorsNameTheirLines_data()
{
    QTest::addColumn<QString>("line");  // the bad line
    QTest::addColumn<bool>("replaces"); // in place of the line of its key, else appended
    QTest::addColumn<QString>("expected");

    QTest::newRow("unknown key") << "nosuchSetting = 1" << false << "unknown key nosuchSetting";
    QTest::newRow("duplicate key") << "font1 = 標準" << false << "duplicate key font1";
    QTest::newRow("not among the choices")
        << "font2 = Helvetica" << true << "font2: not one of: 標準, イタリック";
    QTest::newRow("number out of range")
        << "centerCutSheet = 69" << true << "10 から 68 までの整数を入力してください。";
    QTest::newRow("not a number") << "centerCutSheet = 4O" << true
                                  << "centerCutSheet: 整数を入力してください。";
    QTest::newRow("odd hex") << "font1 = hex:3" << true << "font1: malformed hex";
    QTest::newRow("not hex") << "centerFrontTractor = hex:3G36" << true << "malformed hex";
    QTest::newRow("hex of the wrong length") << "centerRearTractor = hex:3936" << true << "3 bytes expected";
    QTest::newRow("raw byte outside the block") << "block.273 = hex:00" << false << "unknown key block.273";
    QTest::newRow("raw range of the wrong length") << "block.0-3 = hex:1C6F30" << true << "4 bytes expected";
    QTest::newRow("raw byte given twice") << "block.2 = hex:30" << false << "byte 2 of the block given twice";
    QTest::newRow("malformed tail") << "tail = 00" << true << "tail: not \"hex:\"";
    QTest::newRow("no equals sign") << "font1 標準" << false << "not a \"key = value\" line";
    QTest::newRow("form length out of range")
        << "form1.formLength = 100" << true << "form1.formLength: 1 から 99 までの整数を入力してください。";
    QTest::newRow("right margin out of range") << "form2.rightMargin = 0" << true << "1 から 136 までの整数";
    QTest::newRow("feed out of range") << "form4.feedPostcard = 171" << true << "0 から 170 までの整数";
    QTest::newRow("correction not a number")
        << "form3.adjCutSheet = 1 2" << true << "整数を入力してください。";
    QTest::newRow("form 0 has no margins")
        << "form0.leftMargin = 0" << false << "unknown key form0.leftMargin";
    QTest::newRow("no form 5") << "form5.formLength = 66" << false << "unknown key form5.formLength";
    QTest::newRow("form hex of the wrong length")
        << "form0.adjCutSheet = hex:303030" << true << "2 bytes expected";
    QTest::newRow("unknown program") << "program = kbs99x" << true << "unknown program kbs99x";
}

void TstKnobctlText::importErrorsNameTheirLines()
{
    QFETCH(QString, line);
    QFETCH(bool, replaces);
    QFETCH(QString, expected);

    const ModelVariant& variant = *programNamed("kbs18r");
    QStringList lines =
        QString::fromStdString(exportText(settingsMapOf(variant), factoryFile(variant))).split('\n');
    if (replaces) {
        const QString key = line.section(' ', 0, 0);
        const qsizetype at =
            lines.indexOf(QRegularExpression("^" + QRegularExpression::escape(key) + " = .*"));
        QVERIFY(at >= 0);
        lines[at] = line;
    } else {
        lines.append(line);
    }
    const qsizetype at = lines.lastIndexOf(line);

    const ImportResult result = importText(lines.join('\n').toStdString(), nullptr);
    QVERIFY(!result.image);
    QCOMPARE(result.errors.size(), std::size_t(1));
    const QString error = QString::fromStdString(result.errors.front());
    QVERIFY2(error.startsWith(QString("line %1: ").arg(at + 1)), qPrintable(error));
    QVERIFY2(error.contains(expected), qPrintable(error));
}

void TstKnobctlText::editChangesExactlyItsBytes_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("bytes"); // what the block holds from `offset` on afterwards

    QTest::newRow("kbs18r cut sheet centering") << "kbs18r"
                                                << "centerCutSheet"
                                                << "50" << 28 << QByteArray("50");
    QTest::newRow("kbs18r rear tractor centering") << "kbs18r"
                                                   << "centerRearTractor"
                                                   << "126" << 34 << QByteArray("126");
    QTest::newRow("kbs18r lf pitch -5") << "kbs18r"
                                        << "lfPitchFrontTractor"
                                        << "-5" << 252 << QByteArray("FB");
    // Only the second digit of the feed time is the page's.
    QTest::newRow("kbs18r sheet guide feed time") << "kbs18r"
                                                  << "sheetGuideFeedTime"
                                                  << "5" << 247 << QByteArray("5");
    QTest::newRow("kbs62d sheet guide feed time") << "kbs62d"
                                                  << "sheetGuideFeedTime"
                                                  << "4" << 168 << QByteArray("4");
    QTest::newRow("kbs18t retry time") << "kbs18t"
                                       << "thicknessRetryTime"
                                       << "再実行なし" << 178 << QByteArray("7");
    QTest::newRow("kbs62d auto return") << "kbs62d"
                                        << "autoReturnTime"
                                        << "自動戻り無し" << 165 << QByteArray("00");
    // イギリス is code 3 in bits 0 to 2 of the first byte of msw1; bit 3 and the high bits stay.
    QTest::newRow("kbs18r country") << "kbs18r"
                                    << "msw1.country"
                                    << "イギリス" << 4 << QByteArray("\xFB");
    QTest::newRow("kbs18r msw1-4") << "kbs18r"
                                   << "msw1.4"
                                   << "従来互換" << 4 << QByteArray("\xF0");
    QTest::newRow("kbs18t msw5-5") << "kbs18t"
                                   << "msw5.5"
                                   << "用紙最下端付近まで印刷" << 175 << QByteArray("\xF9");
    // Fields whose bytes were no value before the edit: the edit replaces them whole.
    QTest::newRow("kbs18r postcard mode from Z") << "kbs18r"
                                                 << "postcardMode"
                                                 << "ON" << 24 << QByteArray("1");
    // A form's field: its digits only, zero-padded; commas and kbs18t's reserved feed stay odd.
    QTest::newRow("kbs18r form1 length") << "kbs18r"
                                         << "form1.formLength"
                                         << "72" << 87 << QByteArray("72");
    QTest::newRow("kbs18r form1 front tractor feed") << "kbs18r"
                                                     << "form1.feedFrontTractor"
                                                     << "5" << 98 << QByteArray("005");
    QTest::newRow("kbs18r form0 front tractor correction") << "kbs18r"
                                                           << "form0.adjFrontTractor"
                                                           << "7" << 64 << QByteArray("07");
    QTest::newRow("kbs62d form2 postcard feed") << "kbs62d"
                                                << "form2.feedPostcard"
                                                << "132" << 130 << QByteArray("132");
    QTest::newRow("kbs18t form3 cut sheet feed") << "kbs18t"
                                                 << "form3.feedCutSheet"
                                                 << "60" << 154 << QByteArray("060");
    QTest::newRow("kbs18t form3 right margin") << "kbs18t"
                                               << "form3.rightMargin"
                                               << "80" << 142 << QByteArray("080");
    QTest::newRow("kbs18t tab cut sheet feed") << "kbs18t"
                                               << "feedCutSheet"
                                               << "60" << 49 << QByteArray("060");
    QTest::newRow("kbs18t form1 leading zeros") << "kbs18t"
                                                << "form1.adjCutSheet"
                                                << "007" << 102 << QByteArray("07");
    QTest::newRow("kbs62d centering from 9Z") << "kbs62d"
                                              << "centerCutSheet"
                                              << "50" << 26 << QByteArray("50");
}

void TstKnobctlText::editChangesExactlyItsBytes()
{
    QFETCH(QString, program);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(int, offset);
    QFETCH(QByteArray, bytes);

    const ModelVariant& variant = *programNamed(program.toStdString());
    // Odd bytes: switch bytes 0xF8 (high bits set), a postcard mode and a centering that are no
    // values; the other fields as the defaults have them.
    FileImage original = factoryFile(variant);
    for (const FieldSpec& layoutField : variant.fields)
        if (layoutField.encoding == Encoding::SwitchPair)
            original.block[layoutField.offset] = original.block[layoutField.offset + 1] = 0xF8;
    original.block[field(variant, "postcardMode").offset] = 'Z';
    original.block[field(variant, "centerCutSheet").offset] = '9';
    original.block[field(variant, "centerCutSheet").offset + 1] = 'Z';
    for (const FieldSpec& layoutField : variant.fields) {
        if (layoutField.image == nullptr)
            continue;
        for (std::size_t i = layoutField.offset; i < layoutField.offset + layoutField.width; ++i)
            if (original.block[i] == ',')
                original.block[i] = ';';
        for (const FormFieldSpec& inside : layoutField.image->fields)
            if (inside.name == "feedReserved")
                for (std::size_t i = 0; i < inside.width; ++i)
                    original.block[layoutField.offset + inside.offset + i] = std::uint8_t("R?x"[i % 3]);
    }
    const std::string text = exportText(settingsMapOf(variant), original);
    const FileImage edited = imported(withLine(text, key.toStdString(), value.toStdString()));

    for (std::size_t i = 0; i < original.block.size(); ++i) {
        const bool inside = i >= std::size_t(offset) && i < std::size_t(offset + bytes.size());
        const std::uint8_t expected = inside ? std::uint8_t(bytes[qsizetype(i) - offset]) : original.block[i];
        QVERIFY2(edited.block[i] == expected, qPrintable(QString("byte %1: %2 instead of %3")
                                                             .arg(i)
                                                             .arg(edited.block[i], 2, 16, QChar('0'))
                                                             .arg(expected, 2, 16, QChar('0'))));
    }
    QCOMPARE(edited.tail, original.tail);
}

void TstKnobctlText::keysLeftOutTakeTheBase()
{
    const ModelVariant& variant = *programNamed("kbs62d");
    FileImage base = factoryFile(variant);
    base.block[field(variant, "font2").offset] = '3';
    base.tail = {1, 2, 3};
    const FileImage result = imported("program = kbs62d\nfont1 = クーリエ\n", &base);
    QCOMPARE(result.block[field(variant, "font1").offset], std::uint8_t('2'));
    QCOMPARE(result.block[field(variant, "font2").offset], std::uint8_t('3'));
    QCOMPARE(result.tail, base.tail);
    // Without a base: the program's factory defaults.
    const FileImage fresh = imported("program = kbs62d\n");
    QCOMPARE(bytesOf(fresh), bytesOf(factoryFile(variant)));
    // A base of another program is refused.
    const ImportResult other = importText("program = kbs18t\n", &base);
    QVERIFY(!other.image);
    QCOMPARE(other.errors.front(), std::string("line 1: the base file is a file of kbs62d"));
}

QTEST_APPLESS_MAIN(TstKnobctlText)
#include "tst_knobctl_text.moc"
