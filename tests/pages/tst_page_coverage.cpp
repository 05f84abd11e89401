#include "model/form_dialog_table.h"
#include "model/page_tables.h"
#include "page_fakes.h"
#include "pagedata/load_store_cases.h"
#include "pagedata/page_names.h"
#include "pagedata/param_cases.h"
#include "pages/page_factory.h"

#include <QApplication>
#include <QtTest>

using namespace kbs;
using namespace param_cases;
using load_store_cases::patternBlock;
using page_fakes::FakeDialogs;
using page_fakes::FakeMessages;

namespace {

// The table row that gives a control to a field of `page`, if any.
bool boundByTables(const ModelVariant& variant, PageId page, const FieldSpec& field)
{
    const PageTables& tables = *variant.pageTables;
    if (const SwitchPageTable* switches = findSwitchPage(tables, page);
        switches && switches->field == field.name)
        return std::ranges::any_of(switches->rows, [](const SwitchRow& row) {
            return row.control != SwitchControl::PassedThrough && row.control != SwitchControl::Cleared;
        });
    const ControlPageTable* controls = findControlPage(tables, page);
    if (controls == nullptr)
        return false;
    if (std::ranges::any_of(controls->rows, [&](const ControlRow& row) { return row.field == field.name; }))
        return true;
    return controls->formButton != nullptr && variant.formDialog != nullptr &&
           std::ranges::any_of(variant.formDialog->forms,
                               [&](const FormImageEntry& form) { return form.blockField == field.name; });
}

} // namespace

class TestPageCoverage : public QObject {
    Q_OBJECT

private slots:
    void everyOwnedFieldHasAControl_data();
    void everyOwnedFieldHasAControl();
};

void TestPageCoverage::everyOwnedFieldHasAControl_data()
{
    QTest::addColumn<const ModelVariant*>("variant");
    for (const ModelVariant* variant : kVariants)
        QTest::newRow(variant->deliverable.data()) << variant;
}

// Walks the program's layout: every field a built page owns is bound by one of that page's table
// rows, and the page, loaded with the factory defaults and stored into a block of other bytes,
// writes every byte it owns and no other.
void TestPageCoverage::everyOwnedFieldHasAControl()
{
    QFETCH(const ModelVariant*, variant);
    FakeMessages messages;
    FakeDialogs dialogs;
    const SettingsBlock defaults(variant->factoryDefaults);
    int built = 0;
    for (const TabSpec& tab : variant->tabs) {
        const auto page = createPage({*variant, messages, dialogs}, tab.page, nullptr);
        const QString name = QString::fromUtf8(pageClassName(tab.page).data());
        ++built;
        for (const FieldSpec& field : variant->fields)
            if (field.owner == tab.page)
                QVERIFY2(boundByTables(*variant, tab.page, field),
                         qPrintable(name + " has no control for " + QString::fromUtf8(field.name.data())));

        page->LoadBlock(defaults);
        const SettingsBlock pattern = patternBlock(variant->blockLength);
        SettingsBlock stored = pattern;
        page->StoreBlock(stored);
        for (const FieldSpec& field : variant->fields) {
            for (std::size_t offset = field.offset; offset < field.offset + field.width; ++offset) {
                const bool owned = field.owner == tab.page && ownsByte(field, offset);
                QVERIFY2(
                    stored[offset] == (owned ? defaults[offset] : pattern[offset]),
                    qPrintable(QString("%1 byte %2 of %3").arg(name).arg(offset).arg(field.name.data())));
            }
        }
    }
    QVERIFY(built >= 7);
    QVERIFY(messages.shown.empty());
}

QTEST_MAIN(TestPageCoverage)
#include "tst_page_coverage.moc"
