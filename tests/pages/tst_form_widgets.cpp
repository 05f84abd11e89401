// What the pages' widgets do beyond showing their data: the form settings dialog and the button
// that opens it, the notices of boxes left pending or refused, and the number box itself.

#include "model/field_codecs.h"
#include "page_fakes.h"
#include "page_test_support.h"
#include "pagedata/control_page.h"
#include "pagedata/field_lookup.h"
#include "pagedata/form_editor.h"
#include "pagedata/form_page_data.h"
#include "pagedata/number_rules.h"
#include "pagedata/page_data_for.h"
#include "pagedata/param_cases.h"
#include "pagedata/slider_stops.h"
#include "pages/format_dlg.h"
#include "pages/page_factory.h"
#include "pages/radio_pair_box.h"
#include "widgets/feed_row.h"
#include "widgets/number_box.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

using namespace kbs;
using page_test_support::text;
using page_test_support::typeInto;

class TestFormWidgets : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup() { page_test_support::verifyNoWindowOpen(); }

    void initTestCase_data()
    {
        QTest::addColumn<const ModelVariant*>("variant");
        for (const ModelVariant* variant : param_cases::kVariants)
            QTest::newRow(variant->deliverable.data()) << variant;
    }

    // Every form: the dialog shows the editor, applies its corrections while typing, moves
    // sliders and boxes together, shows OK's notice and stays open, and Cancel keeps the image.
    void formDialog()
    {
        QFETCH_GLOBAL(const ModelVariant*, variant);
        page_fakes::FakeMessages messages;
        page_fakes::FakeDialogs dialogs;
        dialogs.answer = [](QDialog& shown) {
            shown.show();
            return -1;
        };
        FormEditor editor(*variant);
        editor.loadImages(SettingsBlock(variant->factoryDefaults));
        CFormatDlg dialog({*variant, messages, dialogs}, editor);
        const std::span<const FormBoxRow> rows = editor.table().boxes;
        for (const FormImageEntry& form : editor.table().forms) {
            const std::string before(editor.image(form.formName));
            dialog.ParseForm(form.formName);
            dialog.SetFormName(form.formName);
            dialog.run();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            QCOMPARE(dialog.windowTitle(), text(editor.title()));
            page_test_support::verifyNothingClipped(&dialog);
            std::optional<std::size_t> left, right, other;
            for (std::size_t i = 0; i < rows.size(); ++i) {
                const QString field = text(rows[i].field);
                QCOMPARE(dialog.box(i)->isEnabled(), editor.boxEnabled(i));
                QCOMPARE(dialog.findChild<QLabel*>(field + "_label")->text(), text(rows[i].label));
                if (!editor.boxEnabled(i))
                    continue;
                (rows[i].kind == FormBoxKind::LeftMargin    ? left
                 : rows[i].kind == FormBoxKind::RightMargin ? right
                                                            : other) = i;
                typeInto(dialog.box(i), QString::number(rows[i].range.max + 1));
                QCOMPARE(dialog.box(i)->text(), text(editor.text(i)));
                QCOMPARE(editor.text(i), std::to_string(rows[i].range.max));
                if (FeedRow* feed = dialog.feedRow(i)) {
                    QCOMPARE(feed->slider()->value(), editor.sliderPosition(i));
                    QCOMPARE(feed->slider()->maximum(), lastPosition(rows[i].stops));
                    feed->slider()->setFocus();
                    QTest::keyClick(feed->slider(), Qt::Key_Home);
                    QCOMPARE(dialog.box(i)->text(), QString::number(rows[i].stops.front()));
                }
            }
            dialog.reject();
            QCOMPARE(std::string(editor.image(form.formName)), before);
            messages.shown.clear();
            if (!left || !right)
                continue;
            dialog.ParseForm(form.formName);
            dialog.run();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            typeInto(dialog.box(*left), "50");
            typeInto(dialog.box(*right), "50");
            QTest::keyClick(dialog.box(*right), Qt::Key_Return);
            QVERIFY(dialog.isVisible());
            QCOMPARE(messages.shown.size(), std::size_t(1));
            QCOMPARE(QApplication::focusWidget(), dialog.box(*right));
            QCOMPARE(dialog.box(*right)->text(), QString("51"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY(std::string(editor.image(form.formName)) != before);
            messages.shown.clear();
        }
    }

    // A switch box measures its caption once, yet after a change of font or caption it asks for
    // what a box made that way asks for.
    void switchBoxFollowsChanges()
    {
        QFETCH_GLOBAL(const ModelVariant*, variant);
        const PageData data = *pageDataFor(*variant, PageId::MSW1);
        const ControlSpec& control =
            *std::ranges::find(data.controls(), ControlKind::RadioPair, &ControlSpec::kind);
        const auto hint = [](RadioPairBox& box) {
            box.layout()->activate();
            return box.minimumSizeHint();
        };
        RadioPairBox box(control, [] {});
        const int before = hint(box).width();
        for (int change = 0; change < 2; ++change) {
            QFont font = box.font();
            font.setPointSize(font.pointSize() + 4 * (1 - change));
            box.setFont(font);
            box.setTitle(box.title() + box.title().repeated(2 * change));
            RadioPairBox fresh(control, [] {});
            fresh.setFont(font);
            fresh.setTitle(box.title());
            QCOMPARE(hint(box), hint(fresh));
        }
        QVERIFY(hint(box).width() > before);
    }

    // The form list drives the button's caption; OK in the dialog edits the form the list shows
    // and raises a data check, Cancel changes nothing.
    void formButton()
    {
        QFETCH_GLOBAL(const ModelVariant*, variant);
        page_fakes::FakeMessages messages;
        page_fakes::FakeDialogs dialogs;
        const auto page = createPage({*variant, messages, dialogs}, variant->formButtonPage, nullptr);
        const ControlPageTable& table = *findControlPage(*variant->pageTables, variant->formButtonPage);
        FormPageData data(*variant, table);
        const SettingsBlock defaults(variant->factoryDefaults);
        page->LoadBlock(defaults);
        page->RefreshFormButton();
        page->show();
        QVERIFY(QTest::qWaitForWindowActive(page.get()));
        QSignalSpy dataChecks(page.get(), &PageWidget::dataCheckRequested);
        auto* list = page->findChild<QComboBox*>(text(table.formButton->list));
        auto* button = page->findChild<QPushButton*>(text(table.formButton->button));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Home);
        for (int entry = 0; entry < list->count(); ++entry) {
            if (entry > 0)
                QTest::keyClick(list, Qt::Key_Down);
            data.chooseEntry(entry);
            QCOMPARE(button->text(), text(data.formButton().caption));
            QCOMPARE(button->isEnabled(), data.formButton().enabled);
        }
        const QString form = list->currentText();
        const FieldSpec& image = fieldNamed(variant->fields, variant->formDialog->forms.back().blockField);
        for (const int answer : {int(QDialog::Rejected), int(QDialog::Accepted)}) {
            QString title;
            dialogs.answer = [&](QDialog& dialog) {
                title = dialog.windowTitle();
                dialog.findChild<NumberBox*>("formLength")->setText("12");
                if (answer == QDialog::Accepted)
                    dialog.accept();
                return answer;
            };
            const qsizetype checks = dataChecks.count();
            QTest::mouseClick(button, Qt::LeftButton);
            QVERIFY(title.endsWith(form));
            QCOMPARE(dataChecks.count(), checks + (answer == QDialog::Accepted));
            SettingsBlock stored = defaults;
            page->StoreBlock(stored);
            QCOMPARE(readBytes(stored, image.offset, 2), answer == QDialog::Accepted ? "12" : "66");
        }
        QCOMPARE(dialogs.runs, 2);
    }

    // A box left pending is reported with its page's notice and corrected; a box whose text the
    // store refuses gets the refusal and the focus, and its field keeps its bytes.
    void pendingAndRefused()
    {
        QFETCH_GLOBAL(const ModelVariant*, variant);
        page_fakes::FakeMessages messages;
        page_fakes::FakeDialogs dialogs;
        const ControlPageTable& table = *param_cases::findControl(*variant, "centerCutSheet").page;
        const auto page = createPage({*variant, messages, dialogs}, table.page, nullptr);
        const SettingsBlock defaults(variant->factoryDefaults);
        page->LoadBlock(defaults);
        page->show();
        QVERIFY(QTest::qWaitForWindowActive(page.get()));
        PageData data = controlPageData(table, *variant);
        for (const std::string_view name : table.pendingNotices.front().boxes) {
            typeInto(page->findChild<NumberBox*>(text(name)), "6");
            data.member(data.indexOf(name)).pending = true;
        }
        QVERIFY(page->HasPendingEntry());
        page->ShowPendingNotice();
        const PendingCorrection correction = pendingCorrection(table, data);
        QCOMPARE(messages.shown.size(), std::size_t(1));
        QCOMPARE(messages.shown[0].text, correction.notice->text);
        QCOMPARE(messages.shown[0].caption, correction.notice->caption);
        for (const std::size_t box : correction.boxes)
            QCOMPARE(page->findChild<NumberBox*>(text(data.controls()[box].name))->text(),
                     QString::number(data.controls()[box].number->min));
        QCOMPARE(QApplication::focusWidget()->objectName(),
                 text(data.controls()[correction.boxes.back()].name));

        // A value the program put into the box unfocused: the store refuses it and writes nothing.
        const auto [feedTable, feedRow] = param_cases::findControl(*variant, "sheetGuideFeedTime");
        const auto feedPage = createPage({*variant, messages, dialogs}, feedTable->page, nullptr);
        feedPage->LoadBlock(defaults);
        feedPage->show();
        QVERIFY(QTest::qWaitForWindowActive(feedPage.get()));
        auto* feedTime = feedPage->findChild<NumberBox*>("sheetGuideFeedTime");
        feedTime->setText("9");
        QVERIFY(feedPage->HasPendingEntry());
        SettingsBlock stored = defaults;
        feedPage->StoreBlock(stored);
        QCOMPARE(stored, defaults);
        QCOMPARE(messages.shown.back().text, checkStoredNumber(*feedRow->number, "9").refusal);
        feedPage->ShowPendingNotice();
        QCOMPARE(QApplication::focusWidget(), feedTime);
    }
};

QTEST_MAIN(TestFormWidgets)
#include "tst_form_widgets.moc"
