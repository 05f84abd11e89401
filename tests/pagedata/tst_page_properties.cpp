// Every page of every program against blocks of random and odd bytes: a page writes only the
// bytes it owns, writes them in canonical form, and a second round changes nothing.

#include "model/field_codecs.h"
#include "model/page_tables.h"
#include "pagedata/page_data_for.h"
#include "pagedata/page_names.h"
#include "pagedata/param_cases.h"

#include <QTest>

#include <random>

using namespace kbs;

namespace {

// Bytes that sit on the edges of the encodings, and any other byte now and then.
SettingsBlock oddBlock(std::mt19937& random, std::size_t length)
{
    static constexpr std::string_view kEdges = "0123456789/:@ABCDEFG+-,.\x00\x01\x08\x0F\x10\x80\xFF";
    std::vector<std::uint8_t> bytes(length);
    for (std::uint8_t& byte : bytes)
        byte = random() % 8 == 0 ? std::uint8_t(random()) : std::uint8_t(kEdges[random() % kEdges.size()]);
    return SettingsBlock(bytes);
}

bool canonical(const FieldSpec& field, const SettingsBlock& block, const SettingsBlock& loaded)
{
    const std::size_t from = field.offset + field.firstOwnedChar;
    const std::string bytes = readBytes(block, from, field.width - field.firstOwnedChar);
    const auto digits = [](std::string_view text) {
        return text.find_first_not_of("0123456789") == text.npos;
    };
    switch (field.encoding) {
    case Encoding::SwitchPair:
        return block[from] < 0x10 && block[from + 1] < 0x10;
    case Encoding::Decimal:
        return digits(bytes);
    case Encoding::CodeChar: // a radio pair with neither button checked keeps its byte
        return digits(bytes) || block[from] == loaded[from];
    case Encoding::SignedHex:
        return (bytes[0] == '0' && digits(bytes.substr(1))) ||
               (bytes[0] == 'F' && bytes[1] >= 'A' && bytes[1] <= 'F');
    case Encoding::FormImage: // copied byte for byte
        return bytes == readBytes(loaded, from, bytes.size());
    default:
        return false;
    }
}

} // namespace

class TestPageProperties : public QObject {
    Q_OBJECT

private slots:
    void pages_data() { param_cases::addPageRows(); }

    void pages()
    {
        QFETCH(const ModelVariant*, variant);
        QFETCH(PageId, page);
        std::optional<PageData> data = pageDataFor(*variant, page);
        QVERIFY(data.has_value());
        const SettingsBlock defaults(variant->factoryDefaults);
        data->load(defaults);
        SettingsBlock stored = defaults;
        data->store(stored);
        QVERIFY2(stored == defaults, "the factory defaults are not in canonical form");

        std::mt19937 random(qHash(QTest::currentDataTag()));
        for (int round = 0; round < 200; ++round) {
            const SettingsBlock odd = oddBlock(random, variant->blockLength);
            // Odd values either take the substitute or leave what the defaults showed.
            data->load(defaults);
            data->load(odd);
            stored = odd;
            data->store(stored);
            for (std::size_t offset = 0; offset < odd.size(); ++offset)
                QVERIFY2(stored[offset] == odd[offset] ||
                             std::ranges::any_of(variant->fields,
                                                 [&](const FieldSpec& field) {
                                                     return field.owner == page && ownsByte(field, offset);
                                                 }),
                         qPrintable(QString("byte %1 written").arg(offset)));
            for (const FieldSpec& field : variant->fields)
                QVERIFY2(field.owner != page || canonical(field, stored, odd),
                         qPrintable(QString("%1 not canonical").arg(field.name.data())));

            SettingsBlock again = stored;
            data->load(odd); // what the page showed before must not matter
            data->load(stored);
            data->store(again);
            QVERIFY2(again == stored, "a second load and store changed the block");
        }
    }
};

QTEST_GUILESS_MAIN(TestPageProperties)
#include "tst_page_properties.moc"
