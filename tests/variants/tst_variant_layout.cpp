#include "expected_fields.h"

#include "model/form_images.h"
#include "model/model_variant.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QtTest>

#include <algorithm>
#include <span>

using namespace kbs;

namespace {

constexpr std::uint8_t kComma = 0x2C;
constexpr std::uint8_t kFullStop = 0x2E;

using ExpectedFields = std::span<const expected::Field>;

const FieldSpec* findField(const ModelVariant& variant, std::string_view name)
{
    const auto found = std::find_if(variant.fields.begin(), variant.fields.end(),
                                    [name](const FieldSpec& field) { return field.name == name; });
    return found == variant.fields.end() ? nullptr : &*found;
}

QByteArray defaultBytesAt(const ModelVariant& variant, std::size_t offset, std::size_t width)
{
    return QByteArray(reinterpret_cast<const char*>(variant.factoryDefaults.data() + offset),
                      static_cast<qsizetype>(width));
}

QByteArray toBytes(std::string_view text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

bool isDigits(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

class TestVariantLayout : public QObject {
    Q_OBJECT

private slots:
    void fieldsTileTheBlock_data() { addVariantRows(); }
    void fieldsTileTheBlock();
    void defaultsSitAtTheirOffsets_data() { addVariantRows(); }
    void defaultsSitAtTheirOffsets();
    void separatorsAreSingleCommas_data() { addVariantRows(); }
    void separatorsAreSingleCommas();
    void endOfBlock_data() { addVariantRows(); }
    void endOfBlock();
    void defaultsMatchTheirEncoding_data() { addVariantRows(); }
    void defaultsMatchTheirEncoding();
    void formImagesMatchTheirLayout_data() { addVariantRows(); }
    void formImagesMatchTheirLayout();
    void fieldsAndOwners_data() { addVariantRows(); }
    void fieldsAndOwners();

private:
    void addVariantRows();
};

void TestVariantLayout::addVariantRows()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<qsizetype>("blockLength");
    QTest::addColumn<ExpectedFields>("expectedFields");
    QTest::addColumn<QByteArray>("fieldBeforeTrailer");

    QTest::newRow("kbs18r") << &kbs18r::variant() << qsizetype(273) << ExpectedFields(expected::kKbs18rFields)
                            << QByteArray("msw5");
    QTest::newRow("kbs62d") << &kbs62d::variant() << qsizetype(190) << ExpectedFields(expected::kKbs62dFields)
                            << QByteArray("msw5");
    QTest::newRow("kbs18t") << &kbs18t::variant() << qsizetype(186) << ExpectedFields(expected::kKbs18tFields)
                            << QByteArray("thicknessRetryTime");
}

void TestVariantLayout::fieldsTileTheBlock()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(qsizetype, blockLength);

    QCOMPARE(qsizetype(variant->blockLength), blockLength);
    QCOMPARE(qsizetype(variant->factoryDefaults.size()), blockLength);

    // Each field starts where the previous one (and its comma, if it has one) ended.
    std::size_t next = 0;
    for (const FieldSpec& field : variant->fields) {
        QVERIFY2(field.offset == next, field.name.data());
        QVERIFY2(field.width > 0, field.name.data());
        next = field.offset + field.width + (field.commaAfter ? 1 : 0);
    }
    QCOMPARE(qsizetype(next), blockLength);
}

void TestVariantLayout::defaultsSitAtTheirOffsets()
{
    QFETCH(const ModelVariant*, variant);

    for (const FieldSpec& field : variant->fields) {
        QVERIFY2(field.defaultBytes.size() == field.width, field.name.data());
        QVERIFY2(field.offset + field.width <= variant->factoryDefaults.size(), field.name.data());
        QCOMPARE(defaultBytesAt(*variant, field.offset, field.width), toBytes(field.defaultBytes));
    }
}

void TestVariantLayout::separatorsAreSingleCommas()
{
    QFETCH(const ModelVariant*, variant);

    const std::span<const std::uint8_t> defaults = variant->factoryDefaults;
    QCOMPARE(defaultBytesAt(*variant, 0, 4), QByteArray("\x1C\x6F\x30\x2C", 4));

    // Commas stand only where the layout puts them: the lead-in's own, one behind each field
    // that has one, and those inside the form images. So no field has two and none is missing.
    qsizetype expectedCommas = 0;
    for (const FieldSpec& field : variant->fields) {
        const char* name = field.name.data();
        qsizetype inside = 0;
        if (field.name == "leadIn")
            inside = 1;
        else if (field.image)
            inside = qsizetype(field.image->fields.size()) - 1;
        QVERIFY2(toBytes(field.defaultBytes).count(',') == inside, name);
        expectedCommas += inside;

        if (field.commaAfter) {
            QVERIFY2(defaults[field.offset + field.width] == kComma, name);
            ++expectedCommas;
        }
    }
    QCOMPARE(qsizetype(std::count(defaults.begin(), defaults.end(), kComma)), expectedCommas);
}

void TestVariantLayout::endOfBlock()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(QByteArray, fieldBeforeTrailer);

    const std::span<const FieldSpec> fields = variant->fields;
    const FieldSpec& trailer = fields.back();
    QCOMPARE(toBytes(trailer.name), QByteArray("trailer"));
    QCOMPARE(trailer.owner, PageId::None);
    QCOMPARE(trailer.offset + trailer.width, variant->blockLength);
    QCOMPARE(variant->factoryDefaults[trailer.offset], kFullStop);
    for (std::size_t i = trailer.offset + 1; i < variant->blockLength; ++i)
        QCOMPARE(variant->factoryDefaults[i], std::uint8_t(0));

    // No comma before the full stop.
    const FieldSpec& last = fields[fields.size() - 2];
    QCOMPARE(toBytes(last.name), fieldBeforeTrailer);
    QCOMPARE(last.commaAfter, false);
    QVERIFY(variant->factoryDefaults[trailer.offset - 1] != kComma);

    // msw5 is followed either by the full stop or by one comma and the next field.
    const FieldSpec* msw5 = findField(*variant, "msw5");
    QVERIFY(msw5);
    const std::uint8_t behindMsw5 = variant->factoryDefaults[msw5->offset + msw5->width];
    QCOMPARE(behindMsw5, msw5 == &last ? kFullStop : kComma);
}

void TestVariantLayout::defaultsMatchTheirEncoding()
{
    QFETCH(const ModelVariant*, variant);

    for (const FieldSpec& field : variant->fields) {
        const std::string_view bytes = field.defaultBytes;
        const char* name = field.name.data();
        QVERIFY2((field.image != nullptr) == (field.encoding == Encoding::FormImage), name);
        switch (field.encoding) {
        case Encoding::SwitchPair:
            QVERIFY2(bytes.size() == 2 && (bytes[0] & 0xF0) == 0 && (bytes[1] & 0xF0) == 0, name);
            QVERIFY2(field.owner != PageId::None, name);
            break;
        case Encoding::CodeChar:
            QVERIFY2(bytes.size() == 1 && bytes[0] != ',', name);
            QVERIFY2(field.owner != PageId::None, name);
            break;
        case Encoding::Decimal:
            QVERIFY2(isDigits(bytes), name);
            QVERIFY2(field.owner != PageId::None, name);
            break;
        case Encoding::SignedHex:
            QVERIFY2(bytes.size() == 2 && (bytes[0] == '0' || bytes[0] == 'F'), name);
            QVERIFY2(field.owner != PageId::None, name);
            break;
        case Encoding::FormImage:
            QVERIFY2(field.owner != PageId::None, name);
            break;
        case Encoding::Fixed:
        case Encoding::Reserved:
            QVERIFY2(field.owner == PageId::None, name);
            break;
        }
    }
}

void TestVariantLayout::formImagesMatchTheirLayout()
{
    QFETCH(const ModelVariant*, variant);

    for (const FieldSpec& field : variant->fields) {
        if (!field.image)
            continue;
        const FormImageLayout& image = *field.image;
        const char* name = field.name.data();
        QVERIFY2(field.width == image.length, name);

        // The image's own fields are digits separated by single commas and fill it exactly.
        std::size_t next = 0;
        for (const FormFieldSpec& inner : image.fields) {
            QVERIFY2(inner.offset == next, name);
            QVERIFY2(isDigits(field.defaultBytes.substr(inner.offset, inner.width)), name);
            next = inner.offset + inner.width;
            if (next < image.length)
                QVERIFY2(field.defaultBytes[next++] == ',', name);
        }
        QVERIFY2(next == image.length, name);
    }
}

void TestVariantLayout::fieldsAndOwners()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(ExpectedFields, expectedFields);

    QCOMPARE(variant->fields.size(), expectedFields.size());
    for (std::size_t i = 0; i < expectedFields.size(); ++i) {
        const FieldSpec& field = variant->fields[i];
        const expected::Field& want = expectedFields[i];
        QCOMPARE(toBytes(field.name), toBytes(want.name));
        QCOMPARE(field.offset, want.offset);
        QCOMPARE(field.width, want.width);
        QCOMPARE(field.owner, want.owner);
    }
}

QTEST_GUILESS_MAIN(TestVariantLayout)
#include "tst_variant_layout.moc"
