#include "page_fakes.h"
#include "page_test_support.h"
#include "pagedata/form_editor.h"
#include "pagedata/param_cases.h"
#include "pages/format_dlg.h"
#include "widgets/feed_row.h"
#include "widgets/number_box.h"

#include <QApplication>
#include <QLabel>
#include <QSlider>
#include <QtTest>

using namespace kbs;
using namespace param_cases;
using page_fakes::FakeDialogs;
using page_fakes::FakeMessages;
using page_test_support::text;

namespace {

// A form dialog over an editor loaded with the factory defaults; run() shows it and leaves it open.
struct Rig {
    explicit Rig(const QString& program)
        : variant(variantNamed(program.toStdString())), editor(variant),
          dialog({variant, messages, dialogs}, editor)
    {
        editor.loadImages(SettingsBlock(variant.factoryDefaults));
        dialogs.answer = [](QDialog& shown) {
            shown.show();
            return -1;
        };
    }
    bool open(const QString& form)
    {
        const std::string name = form.toStdString();
        dialog.ParseForm(name);
        dialog.SetFormName(name);
        dialog.run();
        return QTest::qWaitForWindowActive(&dialog);
    }
    std::size_t index(const QString& field) const
    {
        const auto boxes = editor.table().boxes;
        for (std::size_t i = 0; i < boxes.size(); ++i)
            if (text(boxes[i].field) == field)
                return i;
        qFatal("no box %s", qPrintable(field));
    }
    NumberBox* box(const QString& field) const { return dialog.box(index(field)); }
    // Replaces a box's text by typing into it with the keyboard focus.
    void type(const QString& field, const QString& keys) const
    {
        page_test_support::typeInto(box(field), keys);
    }
    void typeAll(const QStringList& edits) const
    {
        for (const QString& edit : edits)
            type(edit.section('=', 0, 0), edit.section('=', 1));
    }
    // OK with the Enter key in the focused box, so that the focus stays where it was.
    void pressEnter() const { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    QByteArray image(const char* form) const
    {
        const std::string_view bytes = editor.image(form);
        return QByteArray(bytes.data(), qsizetype(bytes.size()));
    }

    const ModelVariant& variant;
    FakeMessages messages;
    FakeDialogs dialogs;
    FormEditor editor;
    CFormatDlg dialog;
};

} // namespace

class TestFormatDlg : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup();
    void opening_data();
    void opening();
    void typing_data();
    void typing();
    void slidersWriteTheirStops();
    void okShowsOneNotice_data();
    void okShowsOneNotice();
    void typedLeftMarginNotBelowRight();
    void rangeNoticeForAnUnfocusedChange();
    void cancelChangesNoImage();
    void scaleLabels_data();
    void scaleLabels();
    void nothingClipped_data();
    void nothingClipped();
};

void TestFormatDlg::cleanup()
{
    page_test_support::verifyNoWindowOpen();
}

void TestFormatDlg::opening_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("texts");    // every box in the dialog's order
    QTest::addColumn<QList<int>>("positions"); // every slider in order
    QTest::addColumn<int>("lastPosition");
    QTest::addColumn<bool>("marginsEnabled");
    QTest::newRow("kbs18r form 1") << "kbs18r"
                                   << "書式１"
                                   << "書式の設定： 書式１"
                                   << QStringList{"66", "0", "136", "120", "120", "46", "46", "54", "0", "0"}
                                   << QList<int>{9, 9, 7, 7, 7} << 9 << true;
    QTest::newRow("kbs62d form 0") << "kbs62d"
                                   << "書式０"
                                   << "書式の設定： 書式０"
                                   << QStringList{"66", "0", "136", "120", "120", "120", "46", "54"}
                                   << QList<int>{2, 2, 2, 0, 0} << 2 << false;
    QTest::newRow("kbs18t form 2") << "kbs18t"
                                   << "書式２"
                                   << "書式の設定：書式２"
                                   << QStringList{"66", "0", "136", "120", "46", "54", "0"}
                                   << QList<int>{9, 7, 7} << 9 << true;
}

void TestFormatDlg::opening()
{
    QFETCH(QString, program);
    QFETCH(QString, form);
    QFETCH(QList<int>, positions);
    QFETCH(int, lastPosition);
    QFETCH(bool, marginsEnabled);
    Rig rig(program);
    QVERIFY(rig.open(form));
    QTEST(rig.dialog.windowTitle(), "title");
    QStringList texts;
    QList<int> shown;
    for (std::size_t i = 0; i < rig.editor.table().boxes.size(); ++i) {
        texts << rig.dialog.box(i)->text();
        if (FeedRow* feed = rig.dialog.feedRow(i)) {
            shown << feed->slider()->value();
            QCOMPARE(feed->slider()->minimum(), 0);
            QCOMPARE(feed->slider()->maximum(), lastPosition);
            QCOMPARE(feed->slider()->tickInterval(), 1);
        }
    }
    QTEST(texts, "texts");
    QCOMPARE(shown, positions);
    for (const char* margin : {"leftMargin", "rightMargin"}) {
        QCOMPARE(rig.box(margin)->isEnabled(), marginsEnabled);
        for (const char* part : {"_label", "_unit"})
            QCOMPARE(rig.dialog.findChild<QLabel*>(margin + QString(part))->isEnabled(), marginsEnabled);
    }
    QCOMPARE(rig.messages.shown.size(), std::size_t(0));
    rig.dialog.reject();
}

void TestFormatDlg::typing_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("position"); // -1: the box has no slider
    const auto row = [](const char* name, const char* program, const char* field, const char* keys,
                        const char* shown, int position) {
        QTest::newRow(name) << QString(program) << QString(field) << QString(keys) << QString(shown)
                            << position;
    };
    row("kbs18r 50 nearest 46", "kbs18r", "feedSheetGuide", "50", "50", 7);
    row("kbs18r 90 ties to 60", "kbs18r", "feedFrontTractor", "90", "90", 8);
    row("kbs18r feed above 170", "kbs18r", "feedPostcard", "171", "170", 9);
    row("kbs62d 3 becomes 40", "kbs62d", "feedSheetFeeder", "3", "40", 0);
    row("kbs62d 1 is left", "kbs62d", "feedRearTractor", "1", "1", 0);
    row("length 0", "kbs18r", "formLength", "0", "1", -1);
    row("correction 99", "kbs18r", "adjFrontTractor", "99", "68", -1);
    row("long text", "kbs18t", "feedContinuous", "00046", "46", 7);
}

void TestFormatDlg::typing()
{
    QFETCH(QString, program);
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(int, position);
    Rig rig(program);
    QVERIFY(rig.open("書式１"));
    rig.type(field, keys);
    QTEST(rig.box(field)->text(), "shown");
    if (position >= 0)
        QCOMPARE(rig.dialog.feedRow(rig.index(field))->slider()->value(), position);
    QCOMPARE(rig.messages.shown.size(), std::size_t(0));
    rig.dialog.reject();
}

// A slider moved with the keyboard writes its stop; はがき has 54 where the others have 46.
void TestFormatDlg::slidersWriteTheirStops()
{
    Rig rig("kbs18r");
    QVERIFY(rig.open("書式２"));
    QSlider* front = rig.dialog.feedRow(rig.index("feedFrontTractor"))->slider();
    front->setFocus();
    QTest::keyClick(front, Qt::Key_Left);
    QCOMPARE(rig.box("feedFrontTractor")->text(), QString("60"));
    QTest::keyClick(front, Qt::Key_Left);
    QCOMPARE(rig.box("feedFrontTractor")->text(), QString("46"));

    QSlider* postcard = rig.dialog.feedRow(rig.index("feedPostcard"))->slider();
    postcard->setFocus();
    QTest::keyClick(postcard, Qt::Key_Left);
    QCOMPARE(rig.box("feedPostcard")->text(), QString("40"));
    QTest::keyClick(postcard, Qt::Key_Right);
    QCOMPARE(rig.box("feedPostcard")->text(), QString("54"));
    QCOMPARE(postcard->value(), 7);

    // Moved by the program without focus, a slider writes nothing.
    rig.dialog.feedRow(rig.index("feedSheetGuide"))->slider()->setValue(2);
    QCOMPARE(rig.box("feedSheetGuide")->text(), QString("46"));

    rig.pressEnter();
    QCOMPARE(rig.dialog.result(), int(QDialog::Accepted));
    QCOMPARE(rig.image("書式２"), QByteArray("66,000,136,046,120,046,046,054,00,00"));
}

void TestFormatDlg::okShowsOneNotice_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QStringList>("typed"); // field=keys, the last one keeps the focus
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("corrected"); // field=text after the notice
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QByteArray>("image"); // after the second OK

    const QString rightAboveLeft =
        "ライトマージン幅はレフトマージン幅より大きくしてください。適正値に変更します。";
    QTest::newRow("kbs18r margins 40 40")
        << "kbs18r"
        << "書式１" << QStringList{"rightMargin=40", "leftMargin=40"} << rightAboveLeft
        << "レフトマージン幅／ライトマージン幅"
        << "rightMargin=41"
        << "rightMargin" << QByteArray("66,040,041,120,120,046,046,054,00,00");
    QTest::newRow("kbs18t margins caption after the form name")
        << "kbs18t"
        << "書式１" << QStringList{"rightMargin=40", "leftMargin=40"} << rightAboveLeft
        << "書式１－レフトマージン幅／ライトマージン幅"
        << "rightMargin=41"
        << "rightMargin" << QByteArray("66,040,041,120,000,046,054,00");
    QTest::newRow("kbs62d right margin left pending")
        << "kbs62d"
        << "書式３" << QStringList{"leftMargin=20", "rightMargin=15"} << rightAboveLeft << "ライトマージン幅"
        << "rightMargin=21"
        << "rightMargin" << QByteArray("66,020,021,120,120,120,046,054");
    QTest::newRow("kbs62d rear tractor below 40, focus stays")
        << "kbs62d"
        << "書式２" << QStringList{"feedRearTractor=1", "formLength=50"}
        << "リアトラクタの吸入位置の値が下限を超えています。\n設定値を変更します。"
        << "リアトラクタ吸入位置"
        << "feedRearTractor=40"
        << "formLength" << QByteArray("50,000,136,120,040,120,046,054");
}

// One notice per press of OK, the dialog stays open with the corrected value; the next OK closes
// it and writes the image.
void TestFormatDlg::okShowsOneNotice()
{
    QFETCH(QString, program);
    QFETCH(QString, form);
    QFETCH(QStringList, typed);
    QFETCH(QString, corrected);
    QFETCH(QString, focus);
    QFETCH(QByteArray, image);
    Rig rig(program);
    QVERIFY(rig.open(form));
    rig.typeAll(typed);
    const QByteArray before = rig.image(form.toUtf8().constData());
    rig.pressEnter();
    QCOMPARE(rig.messages.shown.size(), std::size_t(1));
    QTEST(text(rig.messages.shown[0].text), "notice");
    QTEST(text(rig.messages.shown[0].caption), "caption");
    QVERIFY(rig.dialog.isVisible());
    QCOMPARE(rig.box(corrected.section('=', 0, 0))->text(), corrected.section('=', 1));
    QCOMPARE(QApplication::focusWidget(), rig.box(focus));
    QCOMPARE(rig.image(form.toUtf8().constData()), before);
    rig.pressEnter();
    QCOMPARE(rig.messages.shown.size(), std::size_t(1));
    QCOMPARE(rig.dialog.result(), int(QDialog::Accepted));
    QVERIFY(!rig.dialog.isVisible());
    QCOMPARE(rig.image(form.toUtf8().constData()), image);
}

// kbs62d corrects a typed left margin that is not below the right one at once, with a notice.
void TestFormatDlg::typedLeftMarginNotBelowRight()
{
    Rig rig("kbs62d");
    QVERIFY(rig.open("書式１"));
    rig.typeAll({"rightMargin=100", "leftMargin=136"});
    QCOMPARE(rig.messages.shown.size(), std::size_t(1));
    QCOMPARE(text(rig.messages.shown[0].text),
             QString("レフトマージン幅はライトマージン幅より小さくしてください。適正値に変更します。"));
    QCOMPARE(text(rig.messages.shown[0].caption), QString("レフトマージン幅"));
    QCOMPARE(rig.box("leftMargin")->text(), QString("99"));
    rig.dialog.reject();
}

// A box the program emptied without focus is not corrected; OK refuses it with the range message
// under the program's name and gives it the focus.
void TestFormatDlg::rangeNoticeForAnUnfocusedChange()
{
    Rig rig("kbs18r");
    QVERIFY(rig.open("書式４"));
    rig.box("adjCutSheet")->setFocus();
    rig.box("formLength")->setText("");
    rig.pressEnter();
    QCOMPARE(rig.messages.shown.size(), std::size_t(1));
    QCOMPARE(text(rig.messages.shown[0].text), QString("1 から 99 までの整数を入力してください。"));
    QCOMPARE(text(rig.messages.shown[0].caption), QString("kbs18r"));
    QCOMPARE(QApplication::focusWidget(), rig.box("formLength"));
    QVERIFY(rig.dialog.isVisible());
    rig.dialog.reject();
    QCOMPARE(rig.image("書式４"), QByteArray("66,000,136,120,120,046,046,054,00,00"));
}

// Cancel leaves the image as it was (the select page's tests check every other byte), and a right margin left
// pending does not follow the dialog into its next opening: a margin pair loaded as it is (left 50, right 40)
// then passes OK untouched.
void TestFormatDlg::cancelChangesNoImage()
{
    Rig rig("kbs62d");
    SettingsBlock block(rig.variant.factoryDefaults);
    for (std::size_t i = 0; i < 3; ++i) {
        block[103 + 3 + i] = std::uint8_t("050"[i]); // form2's left margin
        block[103 + 7 + i] = std::uint8_t("040"[i]); // and its right margin
    }
    rig.editor.loadImages(block);
    const QByteArray before("66,050,040,120,120,120,046,054");
    QCOMPARE(rig.image("書式２"), before);
    QVERIFY(rig.open("書式２"));
    rig.typeAll({"formLength=12", "feedFrontTractor=60", "rightMargin=30"});
    QVERIFY(rig.editor.rightMarginPending());
    rig.dialog.reject();
    QCOMPARE(rig.image("書式２"), before);

    QVERIFY(rig.open("書式２"));
    QCOMPARE(rig.box("formLength")->text(), QString("66"));
    QCOMPARE(rig.box("rightMargin")->text(), QString("40"));
    rig.pressEnter();
    QCOMPARE(rig.messages.shown.size(), std::size_t(0));
    QCOMPARE(rig.dialog.result(), int(QDialog::Accepted));
    QCOMPARE(rig.image("書式２"), before);
}

void TestFormatDlg::scaleLabels_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("labels");
    const QStringList inches = {"0", "1/8", "1/6", "1/4", "1/3", "1/2", "1インチ"};
    QTest::newRow("kbs18r front tractor")
        << "kbs18r"
        << "feedFrontTractor" << inches + QStringList{"3.8", "6.03", "9.7mm"};
    QTest::newRow("kbs62d sheet guide") << "kbs62d"
                                        << "feedSheetGuide" << QStringList{"9.7mm", "1/2", "1インチ"};
}

// The scale's texts, each standing under its slider position, left to right.
void TestFormatDlg::scaleLabels()
{
    QFETCH(QString, program);
    QFETCH(QString, field);
    Rig rig(program);
    QVERIFY(rig.open("書式１"));
    FeedRow* feed = rig.dialog.feedRow(rig.index(field));
    QStringList labels;
    for (const QLabel* label : feed->scaleLabels())
        labels << label->text();
    QTEST(labels, "labels");
    QSlider* slider = feed->slider();
    const QLabel* first = feed->scaleLabels().front();
    const QLabel* last = feed->scaleLabels().back();
    const int sliderLeft = slider->mapTo(&rig.dialog, QPoint(0, 0)).x();
    QVERIFY(first->mapTo(&rig.dialog, QPoint(0, 0)).x() >= sliderLeft);
    QVERIFY(first->mapTo(&rig.dialog, QPoint(0, 0)).x() < sliderLeft + slider->width() / 4);
    QVERIFY(last->mapTo(&rig.dialog, QPoint(0, 0)).y() > slider->mapTo(&rig.dialog, QPoint(0, 0)).y());
    rig.dialog.reject();
}

void TestFormatDlg::nothingClipped_data()
{
    QTest::addColumn<QString>("program");
    for (const ModelVariant* variant : kVariants)
        QTest::newRow(variant->deliverable.data()) << text(variant->deliverable);
}

// Every widget lies inside the dialog at no less than its minimum size, the scale labels of a
// line keep apart, and every control the user can reach has an object name.
void TestFormatDlg::nothingClipped()
{
    QFETCH(QString, program);
    Rig rig(program);
    QVERIFY(rig.open(text(rig.editor.table().forms.back().formName)));
    page_test_support::verifyNothingClipped(&rig.dialog);
    for (std::size_t i = 0; i < rig.editor.table().boxes.size(); ++i) {
        FeedRow* feed = rig.dialog.feedRow(i);
        if (!feed)
            continue;
        const auto labels = feed->scaleLabels();
        for (qsizetype a = 0; a < labels.size(); ++a)
            for (qsizetype b = a + 1; b < labels.size(); ++b)
                QVERIFY2(!labels[a]->geometry().intersects(labels[b]->geometry()),
                         qPrintable(labels[a]->text() + " " + labels[b]->text()));
    }
    rig.dialog.reject();
}

QTEST_MAIN(TestFormatDlg)
#include "tst_format_dlg.moc"
