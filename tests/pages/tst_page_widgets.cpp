// Every page of every program as the user sees it: each control shows its table's text, a pick
// or a typed value stores what the page's data stores for it, and a page round-trips any block
// exactly as its data does.

#include "page_fakes.h"
#include "page_test_support.h"
#include "pagedata/page_data_for.h"
#include "pagedata/page_names.h"
#include "pagedata/param_cases.h"
#include "pages/page_factory.h"
#include "widgets/number_box.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <random>

using namespace kbs;
using page_test_support::text;

class TestPageWidgets : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup() { page_test_support::verifyNoWindowOpen(); }

    void pages_data() { param_cases::addPageRows(); }

    void pages()
    {
        QFETCH(const ModelVariant*, variant);
        QFETCH(PageId, page);
        page_fakes::FakeMessages messages;
        page_fakes::FakeDialogs dialogs;
        const auto widget = createPage({*variant, messages, dialogs}, page, nullptr);
        PageData data = *pageDataFor(*variant, page);
        widget->show();
        QVERIFY(QTest::qWaitForWindowActive(widget.get()));
        QSignalSpy dataChecks(widget.get(), &PageWidget::dataCheckRequested);
        const SettingsBlock defaults(variant->factoryDefaults);

        // Any block: the widgets hold what the data holds.
        std::mt19937 random(qHash(QTest::currentDataTag()));
        for (int round = 0; round < 20; ++round) {
            std::vector<std::uint8_t> bytes(variant->blockLength);
            for (std::uint8_t& byte : bytes)
                byte = std::uint8_t(random() % 4 ? '0' + random() % 10 : random());
            const SettingsBlock odd(bytes);
            widget->LoadBlock(defaults);
            data.load(defaults);
            widget->LoadBlock(odd);
            data.load(odd);
            SettingsBlock shown = odd, held = odd;
            widget->StoreBlock(shown);
            data.store(held);
            QCOMPARE(shown, held);
        }
        QCOMPARE(dataChecks.count(), 0);
        page_test_support::verifyNothingClipped(widget.get());

        for (std::size_t index = 0; index < data.controls().size(); ++index) {
            const ControlSpec& control = data.controls()[index];
            const QString name = text(control.name);
            QWidget* shown = widget->findChild<QWidget*>(name);
            QVERIFY2(control.visible ? shown && shown->isVisibleTo(widget.get())
                                     : !shown || !shown->isVisible(),
                     qPrintable(name));
            if (!control.visible || control.kind == ControlKind::PushButton)
                continue;
            const auto labelIs = [&](const char* suffix, std::string_view expected) {
                if (!expected.empty())
                    QCOMPARE(widget->findChild<QLabel*>(name + suffix)->text(), text(expected));
            };
            labelIs("_note", control.note);
            labelIs("_unit", control.unit);
            if (control.kind == ControlKind::CodeList || control.number != nullptr)
                labelIs("_label", control.caption);
            widget->LoadBlock(defaults);
            // The user's pick stores what the data stores with that value in the control's member.
            const auto stores = [&](int value) {
                SettingsBlock block = defaults;
                widget->StoreBlock(block);
                QVERIFY2(block == param_cases::storedWith(data, index, value, defaults),
                         qPrintable(name + " " + QString::number(value)));
            };
            const qsizetype checks = dataChecks.count();
            switch (control.kind) {
            case ControlKind::RadioPair:
            case ControlKind::CheckBox:
                QCOMPARE(shown->property(control.kind == ControlKind::CheckBox ? "text" : "title").toString(),
                         text(control.caption));
                for (int value : {1, 0}) {
                    auto* button = widget->findChild<QRadioButton*>(name + "_" + QString::number(value));
                    if (button)
                        QCOMPARE(button->text(), text(control.choices[std::size_t(value)]));
                    QTest::mouseClick(button ? button : shown, Qt::LeftButton);
                    stores(value);
                }
                break;
            case ControlKind::CodeList: {
                auto* list = static_cast<QComboBox*>(shown);
                QCOMPARE(list->count(), qsizetype(control.list->entries.size()));
                list->setFocus();
                for (int entry = 0; entry < list->count(); ++entry) {
                    QCOMPARE(list->itemText(entry), text(control.list->entries[std::size_t(entry)].text));
                    QTest::keyClick(list, entry == 0 ? Qt::Key_Home : Qt::Key_Down);
                    stores(entry);
                }
                break;
            }
            default: // number boxes and feed rows, which take digits only
                for (int value : {control.number->min, control.number->max}) {
                    page_test_support::typeInto(widget->findChild<NumberBox*>(name),
                                                "x" + QString::number(value));
                    stores(value);
                }
            }
            QVERIFY2(dataChecks.count() > checks, qPrintable(name));
        }
        QVERIFY(messages.shown.empty());
    }
};

QTEST_MAIN(TestPageWidgets)
#include "tst_page_widgets.moc"
