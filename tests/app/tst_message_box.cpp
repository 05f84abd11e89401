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
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }
    void initTestCase()
    {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QVERIFY(installJapaneseQtTexts());
    }

    void showsJapaneseButtonsWithTheFirstAsDefault_data()
    {
        QTest::addColumn<ButtonSet>("set");
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<QStringList>("buttons"); // in the set's own order; the first is the default
        QTest::addColumn<int>("iconShown");
        QTest::addColumn<int>("pressed"); // index into buttons
        QTest::addColumn<Answer>("answer");

        // Every set, icon and answer once.
        QTest::newRow("Yes/No/Cancel, No") << ButtonSet::YesNoCancel << MessageIcon::Exclamation
                                           << QStringList{"はい(&Y)", "いいえ(&N)", "キャンセル"}
                                           << int(QMessageBox::Warning) << 1 << Answer::No;
        QTest::newRow("Yes/No, Yes") << ButtonSet::YesNo << MessageIcon::Exclamation
                                     << QStringList{"はい(&Y)", "いいえ(&N)"} << int(QMessageBox::Warning)
                                     << 0 << Answer::Yes;
        QTest::newRow("OK/Cancel, Cancel")
            << ButtonSet::OkCancel << MessageIcon::Information << QStringList{"OK", "キャンセル"}
            << int(QMessageBox::Information) << 1 << Answer::Cancel;
        QTest::newRow("OK, hand") << ButtonSet::Ok << MessageIcon::Hand << QStringList{"OK"}
                                  << int(QMessageBox::Critical) << 0 << Answer::Ok;
    }

    void showsJapaneseButtonsWithTheFirstAsDefault()
    {
        QFETCH(ButtonSet, set);
        QFETCH(MessageIcon, icon);
        QFETCH(QStringList, buttons);
        QFETCH(int, iconShown);
        QFETCH(int, pressed);
        QFETCH(Answer, answer);
        const QString text = "設定値が変更されています。\n送信しますか？";

        QStringList shown; // caption, text, icon, default button, then every button sorted
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            shown << box->windowTitle() << box->text() << QString::number(box->icon())
                  << (box->defaultButton() ? box->defaultButton()->text() : QString());
            QStringList texts;
            QAbstractButton* toPress = nullptr;
            for (QAbstractButton* button : box->buttons()) {
                texts << button->text();
                if (button->text() == buttons.at(pressed))
                    toPress = button;
            }
            texts.sort();
            shown << texts;
            if (toPress)
                QTest::mouseClick(toPress, Qt::LeftButton);
        });

        const Answer result = showMessageBox(nullptr, text.toStdString(), "Knobstation", set, icon);

        QCOMPARE(result, answer);
        QStringList sorted = buttons;
        sorted.sort();
        QCOMPARE(shown,
                 QStringList({"Knobstation", text, QString::number(iconShown), buttons.first()}) + sorted);
    }
};

QTEST_MAIN(TstMessageBox)
#include "tst_message_box.moc"
