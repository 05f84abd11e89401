#include "widgets/message_box.h"
#include "app/qt_translation.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace kbs;

class TstMessageBox : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void showsJapaneseButtonsWithTheFirstAsDefault()
    {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QVERIFY(installJapaneseQtTexts());
        const QString text = "設定値が変更されています。\n送信しますか？";
        QStringList shown; // caption, text, icon, default button, then every button sorted
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->defaultButton())
                return;
            shown << box->windowTitle() << box->text() << QString::number(box->icon())
                  << box->defaultButton()->text();
            QStringList buttons;
            for (QAbstractButton* button : box->buttons())
                buttons << button->text();
            buttons.sort();
            shown << buttons;
            QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
        });

        const Answer answer = showMessageBox(nullptr, text.toStdString(), "Knobstation",
                                             ButtonSet::YesNoCancel, MessageIcon::Exclamation);

        QCOMPARE(answer, Answer::No);
        QCOMPARE(shown, QStringList({"Knobstation", text, QString::number(QMessageBox::Warning), "はい(&Y)",
                                     "いいえ(&N)", "はい(&Y)", "キャンセル"}));
    }
};

QTEST_MAIN(TstMessageBox)
#include "tst_message_box.moc"
