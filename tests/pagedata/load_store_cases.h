#pragma once

// The load-and-store table of the control pages: a program's field is loaded into its page and
// stored back, and what the control shows and what the field holds afterwards are compared.
#include "model/field_layout.h"
#include "pagedata/control_page.h"
#include "pagedata/field_lookup.h"
#include "param_cases.h"

#include <QtTest>

namespace load_store_cases {

// A block unlike any the pages write: no digits, no codes, no commas, no switch bytes.
inline kbs::SettingsBlock patternBlock(std::size_t length)
{
    std::vector<std::uint8_t> bytes(length);
    for (std::size_t index = 0; index < length; ++index)
        bytes[index] = static_cast<std::uint8_t>(0x80 + index % 0x70);
    return kbs::SettingsBlock(bytes);
}

inline kbs::SettingsBlock withField(kbs::SettingsBlock block, const kbs::FieldSpec& field,
                                    const QByteArray& bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i)
        block[field.offset + std::size_t(i)] = std::uint8_t(bytes[i]);
    return block;
}

inline QByteArray fieldBytes(const kbs::SettingsBlock& block, const kbs::FieldSpec& field)
{
    return QByteArray(reinterpret_cast<const char*>(block.data() + field.offset), qsizetype(field.width));
}

inline QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// What a control shows: its entry's text or its number.
inline QString shownBy(const kbs::PageData& data, std::size_t index)
{
    const kbs::Member& member = data.member(index);
    if (member.kind == kbs::MemberKind::Number)
        return QString::number(member.number);
    if (member.choice < 0)
        return "(none)";
    return text(data.controls()[index].list->entries[std::size_t(member.choice)].text);
}

inline void addColumns()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QByteArray>("loaded");
    QTest::addColumn<QString>("shown"); // "as before": what the factory defaults showed
    QTest::addColumn<QByteArray>("stored");
}

inline void row(const char* program, const char* field, const char* loaded, const char* shown,
                const char* stored)
{
    QTest::addRow("%s %s %s", program, field, loaded)
        << program << field << QByteArray(loaded) << QString::fromUtf8(shown) << QByteArray(stored);
}

// The factory defaults are loaded first, then the block with the field under test; the page is
// stored into a block of other bytes that holds the loaded field, so that what it writes shows.
inline void checkRow(kbs::SettingsBlock (*otherBytes)(std::size_t length))
{
    QFETCH(QString, program);
    QFETCH(QString, field);
    QFETCH(QByteArray, loaded);
    QFETCH(QString, shown);

    const kbs::ModelVariant& variant = param_cases::variantNamed(program.toStdString());
    const param_cases::Found found = param_cases::findControl(variant, field.toStdString());
    QVERIFY2(found.row != nullptr, "no control named after the field");
    const kbs::FieldSpec& layoutField = kbs::fieldNamed(variant.fields, found.row->field);
    QCOMPARE(layoutField.owner, found.page->page);

    kbs::PageData data = kbs::controlPageData(*found.page, variant);
    const kbs::SettingsBlock defaults(variant.factoryDefaults);
    data.load(defaults);
    const std::size_t index = data.indexOf(field.toStdString());
    const QString before = shownBy(data, index);
    data.load(withField(defaults, layoutField, loaded));
    QCOMPARE(shownBy(data, index), shown == "as before" ? before : shown);

    kbs::SettingsBlock stored = withField(otherBytes(variant.blockLength), layoutField, loaded);
    data.store(stored);
    QTEST(fieldBytes(stored, layoutField), "stored");
}

} // namespace load_store_cases
