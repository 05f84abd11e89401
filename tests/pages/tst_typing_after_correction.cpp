// When the program rewrites the text of a box the user is typing in (a cleared box refilled, a
// value corrected), the next keys replace the new text: clearing any box of any page or of the
// form dialog and typing a value of its range gives that value.
#include "page_test_support.h"
#include "pages/format_dlg.h"
#include "pages/page_factory.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

using namespace kbs;

namespace {
// Clears the box, then types the middle of its range; empty when the box shows it.
QString typingFails(NumberBox* box)
{
    const QString wanted = QString::number((box->minimum() + box->maximum()) / 2);
    page_test_support::typeInto(box, {});
    QTest::keyClicks(box, wanted);
    return box->text() == wanted ? QString() : box->objectName() + " shows " + box->text();
}
} // namespace

class TestTypingAfterCorrection : public QObject {
    Q_OBJECT
private slots:
    void typedValueReplacesTheProgramsText()
    {
        int boxes = 0;
        for (const ModelVariant* variant : {&kbs18r::variant(), &kbs62d::variant(), &kbs18t::variant()}) {
            page_fakes::FakeMessages messages;
            page_fakes::FakeDialogs dialogs;
            for (const TabSpec& tab : variant->tabs) {
                const auto page = createPage({*variant, messages, dialogs}, tab.page, nullptr);
                page->LoadBlock(SettingsBlock(variant->factoryDefaults));
                page->show();
                QVERIFY(QTest::qWaitForWindowActive(page.get()));
                for (NumberBox* box : page->findChildren<NumberBox*>()) {
                    QCOMPARE(typingFails(box), QString());
                    ++boxes;
                }
                page->close();
            }

            // Every box of the form dialog, opened on its second form (it has every field).
            FormEditor editor(*variant);
            CFormatDlg dialog({*variant, messages, dialogs}, editor);
            const std::string_view form = variant->formDialog->forms[1].formName;
            QVERIFY(dialog.ParseForm(form));
            dialog.SetFormName(form);
            dialogs.answer = [](QDialog& shown) { return shown.show(), int(QDialog::Rejected); };
            dialog.run(); // filled and left open
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            for (std::size_t index = 0; index < editor.table().boxes.size(); ++index, ++boxes)
                QCOMPARE(typingFails(dialog.box(index)), QString());
            dialog.close();
        }
        QVERIFY(boxes > 30);
    }
};

QTEST_MAIN(TestTypingAfterCorrection)
#include "tst_typing_after_correction.moc"
