#include "model/form_images.h"
#include "model/model_variant.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QtTest>

#include <algorithm>

using namespace kbs;

namespace {

QByteArray toBytes(std::string_view text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

class TestVariantLayout : public QObject {
    Q_OBJECT

private slots:
    void layoutMatchesFactoryDefaults_data();
    void layoutMatchesFactoryDefaults();
    void pagesTheCommandsLookFor_data();
    void pagesTheCommandsLookFor();
};

void TestVariantLayout::layoutMatchesFactoryDefaults_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<std::size_t>("blockLength");
    QTest::addColumn<bool>("msw5EndsBlock"); // else a comma and thicknessRetryTime follow it

    QTest::newRow("kbs18r") << &kbs18r::variant() << std::size_t(273) << true;
    QTest::newRow("kbs62d") << &kbs62d::variant() << std::size_t(190) << true;
    QTest::newRow("kbs18t") << &kbs18t::variant() << std::size_t(186) << false;
}

void TestVariantLayout::layoutMatchesFactoryDefaults()
{
    QFETCH(const ModelVariant*, variant);
    QFETCH(std::size_t, blockLength);
    QFETCH(bool, msw5EndsBlock);

    const std::span<const std::uint8_t> defaults = variant->factoryDefaults;
    QCOMPARE(variant->blockLength, blockLength);
    QCOMPARE(defaults.size(), blockLength);
    const auto defaultsAt = [&](std::size_t offset, std::size_t width) {
        return QByteArray(reinterpret_cast<const char*>(defaults.data() + offset), qsizetype(width));
    };
    QCOMPARE(defaultsAt(0, 4), QByteArray("\x1C\x6F\x30\x2C", 4));

    // Each field starts where the previous one and its comma ended and holds its default there.
    // Commas stand only behind fields that have one, plus the lead-in's own and those inside images.
    std::size_t next = 0;
    for (const FieldSpec& field : variant->fields) {
        const char* name = field.name.data();
        QVERIFY2(field.offset == next && field.width > 0 && field.defaultBytes.size() == field.width, name);
        QVERIFY2(next + field.width <= blockLength, name);
        QCOMPARE(defaultsAt(field.offset, field.width), toBytes(field.defaultBytes));
        const qsizetype inside =
            field.name == "leadIn" ? 1 : (field.image ? qsizetype(field.image->fields.size()) - 1 : 0);
        QVERIFY2(toBytes(field.defaultBytes).count(',') == inside, name);
        next = field.offset + field.width;
        if (field.commaAfter) {
            QVERIFY2(next < blockLength && defaults[next] == ',', name);
            ++next;
        }
    }
    QCOMPARE(next, blockLength);

    // The trailer: a full stop right behind the last field, no comma before it, NULs to the end.
    const FieldSpec& trailer = variant->fields.back();
    QCOMPARE(toBytes(trailer.name), QByteArray("trailer"));
    QCOMPARE(defaults[trailer.offset], std::uint8_t('.'));
    QVERIFY(defaults[trailer.offset - 1] != ',');
    QVERIFY(std::all_of(defaults.begin() + qsizetype(trailer.offset) + 1, defaults.end(),
                        [](std::uint8_t byte) { return byte == 0; }));

    const auto msw5 = std::find_if(variant->fields.begin(), variant->fields.end(),
                                   [](const FieldSpec& field) { return field.name == "msw5"; });
    QVERIFY(msw5 != variant->fields.end());
    QCOMPARE(defaults[msw5->offset + msw5->width], std::uint8_t(msw5EndsBlock ? '.' : ','));
}

void TestVariantLayout::pagesTheCommandsLookFor_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    QTest::addColumn<int>("paramTab");      // shown for a pending entry
    QTest::addColumn<int>("formButtonTab"); // carries the form-settings button
    QTest::newRow("kbs18r") << &kbs18r::variant() << 1 << 0;
    QTest::newRow("kbs62d") << &kbs62d::variant() << 1 << 0;
    QTest::newRow("kbs18t") << &kbs18t::variant() << 2 << 1;
}

void TestVariantLayout::pagesTheCommandsLookFor()
{
    QFETCH(const ModelVariant*, variant);
    QTEST(int(tabIndexOf(*variant, PageId::Param).value_or(99)), "paramTab");
    QTEST(int(tabIndexOf(*variant, variant->formButtonPage).value_or(99)), "formButtonTab");
}

QTEST_GUILESS_MAIN(TestVariantLayout)
#include "tst_variant_layout.moc"
