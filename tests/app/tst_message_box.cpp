#include "app/message_box.h"
#include "app/qt_translation.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace kbs;

Q_DECLARE_METATYPE(kbs::ButtonSet)
Q_DECLARE_METATYPE(kbs::MessageIcon)
Q_DECLARE_METATYPE(kbs::Answer)

class TstMessageBox : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }
    void showsJapaneseButtonsWithTheFirstAsDefault_data();
    void showsJapaneseButtonsWithTheFirstAsDefault();
};

void TstMessageBox::initTestCase()
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QVERIFY(installJapaneseQtTexts());
}

void TstMessageBox::showsJapaneseButtonsWithTheFirstAsDefault_data()
{
    QTest::addColumn<ButtonSet>("set");
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<QStringList>("buttons"); // in the set's own order; the first is the default
    QTest::addColumn<int>("icon_shown");
    QTest::addColumn<int>("pressed"); // index into buttons
    QTest::addColumn<Answer>("answer");

    // Every set, icon and answer once.
    QTest::newRow("Yes/No/Cancel, No") << ButtonSet::YesNoCancel << MessageIcon::Exclamation
                                       << QStringList{"はい(&Y)", "いいえ(&N)", "キャンセル"}
                                       << int(QMessageBox::Warning) << 1 << Answer::No;
    QTest::newRow("Yes/No, Yes") << ButtonSet::YesNo << MessageIcon::Exclamation
                                 << QStringList{"はい(&Y)", "いいえ(&N)"} << int(QMessageBox::Warning) << 0
                                 << Answer::Yes;
    QTest::newRow("OK/Cancel, Cancel")
        << ButtonSet::OkCancel << MessageIcon::Information << QStringList{"OK", "キャンセル"}
        << int(QMessageBox::Information) << 1 << Answer::Cancel;
    QTest::newRow("OK, hand") << ButtonSet::Ok << MessageIcon::Hand << QStringList{"OK"}
                              << int(QMessageBox::Critical) << 0 << Answer::Ok;
}
<< int(QMessageBox::Information) << 0 << Answer::Ok;
QTest::newRow("OK, hand") << ButtonSet::Ok << MessageIcon::Hand << QStringList{"OK"}
                          << int(QMessageBox::Critical) << 0 << Answer::Ok;
}

void TstMessageBox::showsJapaneseButtonsWithTheFirstAsDefault()
{
    QFETCH(ButtonSet, set);
    QFETCH(MessageIcon, icon);
    QFETCH(QStringList, buttons);
    QFETCH(int, icon_shown);
    QFETCH(int, pressed);
    QFETCH(Answer, answer);

    QStringList shown;
    QString defaultText;
    QString caption;
    QString text;
    int iconShown = -1;
    bool answered = false;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        caption = box->windowTitle();
        text = box->text();
        iconShown = box->icon();
        for (QAbstractButton* button : box->buttons())
            shown << button->text();
        defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == buttons.at(pressed))
                QTest::mouseClick(button, Qt::LeftButton);
        answered = true;
    });

    const Answer result =
        showMessageBox(nullptr, "設定値が変更されています。\n送信しますか？", "Knobstation", set, icon);

    QVERIFY(answered);
    QCOMPARE(result, answer);
    QCOMPARE(caption, QString("Knobstation"));
    QCOMPARE(text, QString("設定値が変更されています。\n送信しますか？"));
    QCOMPARE(iconShown, icon_shown);
    shown.sort();
    QStringList expected = buttons;
    expected.sort();
    QCOMPARE(shown, expected);
    QCOMPARE(defaultText, buttons.first());
}

QTEST_MAIN(TstMessageBox)
#include "tst_message_box.moc"
