#include "model/field_codecs.h"
#include "page_fakes.h"
#include "page_test_support.h"
#include "pages/form_page.h"
#include "pages/format_dlg.h"
#include "pages/page_factory.h"
#include "pages/page_size.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "widgets/dialog_units.h"
#include "widgets/number_box.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

using namespace kbs;

namespace {

const ModelVariant& program()
{
    return kbs18t::variant();
}

SettingsBlock defaults()
{
    return SettingsBlock(program().factoryDefaults);
}

// Form 0's fields and the form list at their offsets in the block.
struct Field {
    const char* name;
    std::size_t offset;
    std::size_t width;
};
constexpr Field kFields[] = {
    {"formLength", 38, 2},   {"feedContinuous", 41, 3}, {"feedCutSheet", 49, 3},
    {"feedPostcard", 53, 3}, {"formSelect", 73, 1},     {"form2", 105, 29},
};

const Field& fieldOf(const QByteArray& name)
{
    for (const Field& field : kFields)
        if (name == field.name)
            return field;
    qFatal("no field %s", name.constData());
}

QByteArray fieldBytes(const SettingsBlock& block, const QByteArray& name)
{
    const Field& field = fieldOf(name);
    return QByteArray::fromStdString(readBytes(block, field.offset, field.width));
}

struct Rig : page_test_support::PageRig {
    Rig() : PageRig(program(), PageId::Form) {}
    QSlider* slider(const char* name) const
    {
        return page->findChild<QSlider*>(QByteArray(name) + "_slider");
    }
    QComboBox* list() const { return page->findChild<QComboBox*>("formSelect"); }
    QPushButton* button() const { return page->findChild<QPushButton*>("formButton"); }
    // Moves the list by `steps` entries with the arrow keys.
    void chooseWithKeys(int steps) const
    {
        list()->setFocus();
        for (int step = 0; step < std::abs(steps); ++step)
            QTest::keyClick(list(), steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    }
};

} // namespace

class TestFormPage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup();
    void labelsAreExact_data();
    void labelsAreExact();
    void defaultsAreShown_data();
    void defaultsAreShown();
    void formListDrivesTheButton_data();
    void formListDrivesTheButton();
    void typingIntoABox_data();
    void typingIntoABox();
    void sliderWritesTheBox_data();
    void sliderWritesTheBox();
    void loadingIsQuietAndKeepsAnUnlistedForm();
    void formDialogEditsTheChosenForm_data();
    void formDialogEditsTheChosenForm();
    void emptyBoxIsRefusedOnStore();
    void everyControlIsNamedAndFits();
};

void TestFormPage::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestFormPage::labelsAreExact_data()
{
    QTest::addColumn<QByteArray>("widget");
    QTest::addColumn<QString>("text");
    QTest::newRow("group") << QByteArray("feedGroup") << "吸入位置";
    QTest::newRow("はがき") << QByteArray("feedPostcard_label") << "はがき(&P)";
    QTest::newRow("はがき unit") << QByteArray("feedPostcard_unit") << "/120インチ";
    QTest::newRow("list") << QByteArray("formSelect") << "選択なし|書式１|書式２|書式３";
    QTest::newRow("はがき scale") << QByteArray("feedPostcard_scale")
                                  << "0|1/8|1/6|1/4|1/3|1/2|1インチ|3.8|6.03|11.5mm";
}

// Labels, list entries and scale labels: a list or a scale reads "|"-joined.
void TestFormPage::labelsAreExact()
{
    QFETCH(QByteArray, widget);
    Rig rig;
    QStringList texts;
    for (QWidget* found : rig.page->findChildren<QWidget*>(widget)) {
        if (found->window() != rig.page.get())
            continue; // the form dialog's own
        if (auto* label = qobject_cast<QLabel*>(found))
            texts << label->text();
        else if (auto* group = qobject_cast<QGroupBox*>(found))
            texts << group->title();
        else if (auto* list = qobject_cast<QComboBox*>(found))
            for (int entry = 0; entry < list->count(); ++entry)
                texts << list->itemText(entry);
    }
    QTEST(texts.join('|'), "text");
}

void TestFormPage::defaultsAreShown_data()
{
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position"); // -1: no slider
    QTest::newRow("連続紙") << QByteArray("feedContinuous") << "120" << 9;
    QTest::newRow("カット紙") << QByteArray("feedCutSheet") << "46" << 7;
    QTest::newRow("はがき") << QByteArray("feedPostcard") << "54" << 7;
    QTest::newRow("用紙長") << QByteArray("formLength") << "66" << -1;
    QTest::newRow("カット紙位置補正") << QByteArray("adjCutSheet") << "0" << -1;
}

void TestFormPage::defaultsAreShown()
{
    QFETCH(QByteArray, box);
    QFETCH(int, position);
    Rig rig;
    QVERIFY(rig.box(box));
    QTEST(rig.box(box)->text(), "text");
    QSlider* slider = rig.slider(box);
    QCOMPARE(slider != nullptr, position >= 0);
    if (slider) {
        QCOMPARE(slider->value(), position);
        QCOMPARE(slider->maximum(), 9);
    }
    QCOMPARE(rig.list()->currentText(), QString("選択なし"));
    QCOMPARE(rig.button()->text(), QString("書式の設定(&D)"));
    QVERIFY(!rig.button()->isEnabled());
    QCOMPARE(rig.dataChecks->size(), 0);
}

void TestFormPage::formListDrivesTheButton_data()
{
    QTest::addColumn<QList<int>>("moves");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("書式３") << QList<int>{3} << "書式３の設定(&D)" << true << QByteArray("3");
    QTest::newRow("back to 選択なし") << QList<int>{2, -2} << "書式の設定(&D)" << false << QByteArray("0");
}

// Every move of the list raises the data check and refreshes the button.
void TestFormPage::formListDrivesTheButton()
{
    QFETCH(QList<int>, moves);
    QFETCH(bool, enabled);
    Rig rig;
    QVERIFY(rig.activate());
    int steps = 0;
    for (const int move : moves) {
        rig.chooseWithKeys(move);
        steps += std::abs(move);
    }
    QCOMPARE(rig.dataChecks->size(), steps);
    QTEST(rig.button()->text(), "caption");
    QCOMPARE(rig.button()->isEnabled(), enabled);
    QTEST(fieldBytes(rig.stored(), "formSelect"), "stored");
}

void TestFormPage::typingIntoABox_data()
{
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("カット紙 200") << QByteArray("feedCutSheet") << "200"
                                  << "130" << 9 << QByteArray("130");
    QTest::newRow("はがき 50") << QByteArray("feedPostcard") << "50"
                               << "50" << 7 << QByteArray("050");
    QTest::newRow("連続紙 90") << QByteArray("feedContinuous") << "90"
                               << "90" << 8 << QByteArray("090");
    QTest::newRow("用紙長 0") << QByteArray("formLength") << "0"
                              << "1" << -1 << QByteArray("01");
}

void TestFormPage::typingIntoABox()
{
    QFETCH(QByteArray, box);
    QFETCH(QString, keys);
    QFETCH(int, position);
    Rig rig;
    QVERIFY(rig.activate());
    rig.type(box, keys);
    QTEST(rig.box(box)->text(), "text");
    if (position >= 0)
        QCOMPARE(rig.slider(box)->value(), position);
    QVERIFY(rig.dataChecks->size() >= keys.size());
    QTEST(fieldBytes(rig.stored(), box), "stored");
    QVERIFY(rig.messages.shown.empty());
}

void TestFormPage::sliderWritesTheBox_data()
{
    QTest::addColumn<QByteArray>("feed");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::newRow("はがき back to 7")
        << QByteArray("feedPostcard") << QList<int>{Qt::Key_Right, Qt::Key_Left} << 7 << "54";
    QTest::newRow("連続紙 to 8") << QByteArray("feedContinuous") << QList<int>{Qt::Key_Left} << 8 << "60";
    QTest::newRow("連続紙 to 0") << QByteArray("feedContinuous") << QList<int>{Qt::Key_Home} << 0 << "0";
}

void TestFormPage::sliderWritesTheBox()
{
    QFETCH(QByteArray, feed);
    QFETCH(QList<int>, keys);
    Rig rig;
    QVERIFY(rig.activate());
    QSlider* slider = rig.slider(feed);
    slider->setFocus();
    QCOMPARE(QApplication::focusWidget(), slider);
    for (const int key : keys)
        QTest::keyClick(slider, Qt::Key(key));
    QTEST(slider->value(), "position");
    QTEST(rig.box(feed)->text(), "text");
    QCOMPARE(rig.dataChecks->size(), keys.size());
}

// A load raises no data check, and a form code the list lacks leaves it as it was.
void TestFormPage::loadingIsQuietAndKeepsAnUnlistedForm()
{
    Rig rig;
    SettingsBlock block = defaults();
    writeBytes(block, fieldOf("formSelect").offset, "2");
    writeBytes(block, fieldOf("feedCutSheet").offset, "018");
    rig.page->LoadBlock(block);
    rig.page->RefreshFormButton();
    QCOMPARE(rig.list()->currentText(), QString("書式２"));
    QCOMPARE(rig.button()->text(), QString("書式２の設定(&D)"));
    QCOMPARE(rig.slider("feedCutSheet")->value(), 2);

    writeBytes(block, fieldOf("formSelect").offset, "7");
    rig.page->LoadBlock(block);
    QCOMPARE(rig.list()->currentText(), QString("書式２"));
    QCOMPARE(fieldBytes(rig.stored(), "formSelect"), QByteArray("2"));
    QCOMPARE(rig.dataChecks->size(), 0);
}

void TestFormPage::formDialogEditsTheChosenForm_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
}

// The button opens the dialog on the chosen form; OK changes only that form's image, and the
// page raises the data check that stores it. Cancel changes nothing.
void TestFormPage::formDialogEditsTheChosenForm()
{
    QFETCH(bool, ok);
    Rig rig;
    QVERIFY(rig.activate());
    rig.chooseWithKeys(2);
    QString title;
    rig.dialogs.answer = [&](QDialog& dialog) {
        title = dialog.windowTitle();
        auto* length = dialog.findChild<NumberBox*>("formLength");
        if (!length)
            return int(QDialog::Rejected);
        length->setText("12");
        if (!ok)
            return int(QDialog::Rejected);
        dialog.accept();
        return dialog.result();
    };
    const qsizetype checksBefore = rig.dataChecks->size();
    QTest::mouseClick(rig.button(), Qt::LeftButton);
    QCOMPARE(rig.dialogs.runs, 1);
    QCOMPARE(title, QString("書式の設定：書式２"));
    QCOMPARE(rig.dataChecks->size(), checksBefore + (ok ? 1 : 0));

    SettingsBlock expected = defaults();
    writeBytes(expected, fieldOf("formSelect").offset, "2");
    if (ok)
        writeBytes(expected, fieldOf("form2").offset, "12,000,136,120,000,046,054,00");
    QCOMPARE(rig.stored(), expected);
}

// A feed box left empty: the store shows the framework's message with the program's name, gives
// the box the focus and writes the field as before; the commands that send or save stop on it.
void TestFormPage::emptyBoxIsRefusedOnStore()
{
    Rig rig;
    QVERIFY(rig.activate());
    rig.type("feedCutSheet", "");
    QCOMPARE(rig.box("feedCutSheet")->text(), QString());
    QVERIFY(rig.page->HasPendingEntry());
    rig.box("adjCutSheet")->setFocus();

    QCOMPARE(fieldBytes(rig.stored(), "feedCutSheet"), QByteArray("046"));
    QCOMPARE(rig.messages.shown.size(), std::size_t(1));
    QCOMPARE(rig.messages.shown[0].text, std::string("整数を入力してください。"));
    QCOMPARE(rig.messages.shown[0].caption, std::string("kbs18t"));
    QCOMPARE(QApplication::focusWidget(), rig.box("feedCutSheet"));

    rig.page->ShowPendingNotice();
    QCOMPARE(rig.messages.shown.size(), std::size_t(2));
    rig.type("feedCutSheet", "30");
    QVERIFY(!rig.page->HasPendingEntry());
    QCOMPARE(fieldBytes(rig.stored(), "feedCutSheet"), QByteArray("030"));
    QCOMPARE(rig.messages.shown.size(), std::size_t(2));
}

// Every control carries a name; the page's layout fits the page, and every widget lies inside
// its parent, no smaller than it needs, none over another: nothing is clipped.
void TestFormPage::everyControlIsNamedAndFits()
{
    Rig rig;
    QVERIFY(rig.activate());
    QCOMPARE(rig.page->objectName(), QString("CPage_Form"));
    QCOMPARE(rig.page->size(), pageSize(dialogFont()));
    const QSize needed = rig.page->layout()->minimumSize();
    QVERIFY(needed.width() <= rig.page->width() && needed.height() <= rig.page->height());
    rig.chooseWithKeys(3); // the longest caption the button takes
    page_test_support::verifyNothingClipped(rig.page.get());
}

QTEST_MAIN(TestFormPage)
#include "tst_form_page.moc"
