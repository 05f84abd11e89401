#include "page_fakes.h"
#include "page_test_support.h"
#include "pagedata/field_lookup.h"
#include "pagedata/param_cases.h"
#include "pages/format_dlg.h"
#include "pages/page_factory.h"
#include "widgets/number_box.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

using namespace kbs;
using namespace param_cases;
using page_fakes::FakeDialogs;
using page_fakes::FakeMessages;

namespace {

struct Rig : page_test_support::PageRig {
    explicit Rig(const QString& program) : PageRig(variantNamed(program.toStdString()), PageId::Select) {}
    QComboBox* formList() const { return page->findChild<QComboBox*>("formSelect"); }
    QPushButton* formButton() const { return page->findChild<QPushButton*>("formSettings"); }
    // Chooses a form with the arrow keys, one entry at a time.
    void chooseForm(const QString& form) const
    {
        QComboBox* list = formList();
        list->setFocus();
        const int target = list->findText(form);
        while (list->currentIndex() != target)
            QTest::keyClick(list, list->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }
};

// Runs the form dialog shown and active: types into its form length box, then presses OK or
// Cancel. Records the title it had.
struct DialogScript {
    QString typedLength;
    bool ok = true;
    QString title;

    int operator()(QDialog& shown)
    {
        auto& dialog = dynamic_cast<CFormatDlg&>(shown);
        title = dialog.windowTitle();
        dialog.show();
        if (!QTest::qWaitForWindowActive(&dialog))
            return -1;
        NumberBox* length = dialog.box(0);
        length->setFocus();
        length->selectAll();
        QTest::keyClicks(length, typedLength);
        QTest::mouseClick(dialog.findChild<QPushButton*>(ok ? "okButton" : "cancelButton"), Qt::LeftButton);
        return dialog.result();
    }
};

} // namespace

class TestSelectPage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup();
    void formButtonFollowsTheList_data();
    void formButtonFollowsTheList();
    void okInTheDialogEditsTheChosenForm_data();
    void okInTheDialogEditsTheChosenForm();
    void everyControlRaisesOneDataCheck_data();
    void everyControlRaisesOneDataCheck();
    void loadingIsQuiet();
    void labelsInOrder_data();
    void labelsInOrder();
};

void TestSelectPage::cleanup()
{
    page_test_support::verifyNoWindowOpen();
}

void TestSelectPage::formButtonFollowsTheList_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("atStart");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("caption");
    QTest::newRow("kbs18r") << "kbs18r"
                            << "書式０の設定(&D)..."
                            << "書式３"
                            << "書式３の設定(&D)...";
    QTest::newRow("kbs62d") << "kbs62d"
                            << "書式０の設定(&D)"
                            << "書式１"
                            << "書式１の設定(&D)";
}

// Before the first refresh the button reads as the dialog template has it; afterwards it names
// the form the list shows, and every step through the list raises one data check.
void TestSelectPage::formButtonFollowsTheList()
{
    QFETCH(QString, program);
    QFETCH(QString, form);
    FakeMessages messages;
    FakeDialogs dialogs;
    const auto fresh =
        createPage({variantNamed(program.toStdString()), messages, dialogs}, PageId::Select, nullptr);
    QCOMPARE(fresh->findChild<QPushButton*>("formSettings")->text(), QString("書式の設定(&D)..."));

    Rig rig(program);
    QTEST(rig.formButton()->text(), "atStart");
    QVERIFY(rig.activate());
    rig.chooseForm(form);
    QTEST(rig.formButton()->text(), "caption");
    QCOMPARE(rig.dataChecks->count(), rig.formList()->currentIndex());
    QCOMPARE(rig.bytes(rig.stored(), "formSelect"), QByteArray::number(rig.formList()->currentIndex()));
    QCOMPARE(dialogs.runs, 0);
    rig.page->hide();
}

void TestSelectPage::okInTheDialogEditsTheChosenForm_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<bool>("ok");
    const auto row = [](const char* program, const char* form, const char* field, const char* title,
                        const char* image, bool ok) {
        QTest::addRow("%s %s%s", program, field, ok ? "" : " cancelled")
            << QString(program) << QString(form) << QString(field) << QString(title) << QByteArray(image)
            << ok;
    };
    row("kbs18r", "書式３", "form3", "書式の設定： 書式３", "12,000,136,120,120,046,046,054,00,00", true);
    row("kbs18r", "書式０", "form0", "書式の設定： 書式０", "12,120,120,046,046,054,00,00", true);
    row("kbs62d", "書式２", "form2", "書式の設定： 書式２", "12,000,136,120,120,120,046,054", true);
    row("kbs62d", "書式３", "form3", "書式の設定： 書式３", "66,000,136,120,120,120,046,054", false);
}

// The button opens the dialog on the form the list shows; OK raises one data check, and the next
// store writes that form's edited image and leaves every other byte as it was. Cancel raises no
// data check and changes no byte.
void TestSelectPage::okInTheDialogEditsTheChosenForm()
{
    QFETCH(QString, program);
    QFETCH(QString, form);
    QFETCH(QString, field);
    QFETCH(bool, ok);
    Rig rig(program);
    QVERIFY(rig.activate());
    rig.chooseForm(form);
    const SettingsBlock before = rig.stored();
    rig.dataChecks->clear();
    DialogScript script{"12", ok, {}};
    rig.dialogs.answer = std::ref(script);
    QTest::mouseClick(rig.formButton(), Qt::LeftButton);
    QCOMPARE(rig.dialogs.runs, 1);
    QTEST(script.title, "title");
    QCOMPARE(rig.dataChecks->count(), ok ? 1 : 0);
    const SettingsBlock after = rig.stored();
    QTEST(rig.bytes(after, field.toLatin1().constData()), "image");
    for (std::size_t offset = 0; offset < after.size(); ++offset) {
        const FieldSpec& edited = fieldNamed(rig.variant.fields, field.toStdString());
        if (offset < edited.offset || offset >= edited.offset + edited.width)
            QVERIFY2(after[offset] == before[offset], qPrintable(QString("byte %1").arg(offset)));
    }
    QVERIFY(rig.messages.shown.empty());
    rig.page->hide();
}

void TestSelectPage::everyControlRaisesOneDataCheck_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<int>("controls"); // lists plus radio buttons not checked
    QTest::newRow("kbs18r") << "kbs18r" << 9;
    QTest::newRow("kbs62d") << "kbs62d" << 5;
    QTest::newRow("kbs18t") << "kbs18t" << 5;
}

// Choosing another entry with the keyboard, or clicking the other radio button, raises one data
// check and changes what the page stores; the hidden pairs have no widget to reach.
void TestSelectPage::everyControlRaisesOneDataCheck()
{
    QFETCH(QString, program);
    QFETCH(int, controls);
    Rig rig(program);
    QVERIFY(rig.activate());
    const SettingsBlock before = rig.stored();
    QList<QWidget*> choices;
    for (QComboBox* list : rig.page->findChildren<QComboBox*>())
        choices << list;
    for (QRadioButton* radio : rig.page->findChildren<QRadioButton*>()) {
        QVERIFY2(radio->isVisible(), qPrintable(radio->objectName()));
        QVERIFY(!radio->objectName().startsWith("hopper") && !radio->objectName().startsWith("quietPrint"));
        if (!radio->isChecked())
            choices << radio;
    }
    QCOMPARE(choices.size(), controls);
    for (QWidget* choice : choices) {
        rig.dataChecks->clear();
        page_test_support::changeChoice(choice);
        QCOMPARE(rig.dataChecks->count(), 1);
        QVERIFY2(rig.stored() != before, qPrintable(choice->objectName()));
        rig.page->LoadBlock(before);
    }
    rig.page->hide();
}

// A load sets every control and the images quietly; the hidden pairs keep what they loaded.
void TestSelectPage::loadingIsQuiet()
{
    Rig rig("kbs62d");
    SettingsBlock block(rig.variant.factoryDefaults);
    block[58] = '2';  // hopper
    block[70] = '2';  // formSelect
    block[103] = '1'; // form2's length "16"
    rig.page->LoadBlock(block);
    rig.page->RefreshFormButton();
    QCOMPARE(rig.dataChecks->count(), 0);
    QCOMPARE(rig.formList()->currentText(), QString("書式２"));
    QCOMPARE(rig.formButton()->text(), QString("書式２の設定(&D)"));
    QVERIFY(rig.stored() == block);
    rig.page->hide();
}

void TestSelectPage::labelsInOrder_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("labels"); // list labels and notes, radio buttons, the button
    QTest::newRow("kbs18r") << "kbs18r"
                            << QStringList{"自動位置補正の調整(&J)",
                                           "用紙厚調整の設定(&A)",
                                           "印刷圧微調整(&B)",
                                           "印刷位置の微調整(&K) mm",
                                           "縮小印刷(&P)",
                                           "複写力選択(&C)",
                                           "シートガイド用紙セット位置: 左端(&L)",
                                           "シートガイド用紙セット位置: 自動(&E)",
                                           "書体選択: 明朝体(&R)",
                                           "書体選択: ゴシック体(&G)",
                                           "書式選択(&S): list",
                                           "書式選択(&S): 書式０の設定(&D)..."};
    QTest::newRow("kbs62d") << "kbs62d" << QStringList{"用紙厚調整(&A) （P62DWのみ）",
                                                       "印刷圧の微調整(&B) （P62DWのみ）",
                                                       "縮小印刷の選択(&P)",
                                                       "書体選択: 明朝体(&R)",
                                                       "書体選択: ゴシック体(&G)",
                                                       "書式選択(&S): list",
                                                       "書式選択(&S): 書式０の設定(&D)"};
    QTest::newRow("kbs18t") << "kbs18t" << QStringList{"用紙厚調整の設定(&A)",    "印刷圧微調整(&B)",
                                                       "印刷位置の微調整(&K) mm", "縮小印刷(&P)",
                                                       "書体選択: 明朝体(&R)",    "書体選択: ゴシック体(&G)"};
}

// What the user reads, in the order the keyboard reaches the controls.
void TestSelectPage::labelsInOrder()
{
    QFETCH(QString, program);
    Rig rig(program);
    QStringList labels;
    for (QWidget* widget = rig.page->nextInFocusChain(); widget != rig.page.get();
         widget = widget->nextInFocusChain()) {
        if (!rig.page->isAncestorOf(widget) || widget->focusPolicy() == Qt::NoFocus || !widget->isVisible())
            continue;
        QString group;
        for (QWidget* up = widget->parentWidget(); up != rig.page.get(); up = up->parentWidget())
            if (auto* box = qobject_cast<QGroupBox*>(up))
                group = box->title() + ": ";
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            labels << group + button->text();
            continue;
        }
        const QString name = widget->objectName();
        QString shown;
        if (const auto* label = rig.page->findChild<QLabel*>(name + "_label"))
            shown = label->text();
        for (const char* behind : {"_unit", "_note"})
            if (const auto* label = rig.page->findChild<QLabel*>(name + behind))
                shown += " " + label->text();
        labels << (shown.isEmpty() ? group + "list" : group + shown);
    }
    QTEST(labels, "labels");
    rig.page->hide();
}

QTEST_MAIN(TestSelectPage)
#include "tst_select_page.moc"
