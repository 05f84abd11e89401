#include "app/qt_translation.h"
#include "widgets/message_box.h"

#include <QApplication>
#include <QKeyEvent>
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

    // Esc and the close box answer as Windows does: with Cancel where there is one, OK on a
    // lone OK, and not at all on a Yes/No question, which then still waits for its answer.
    void escapeAndCloseBox_data()
    {
        QTest::addColumn<ButtonSet>("buttons");
        QTest::addColumn<bool>("byCloseBox");
        QTest::addColumn<Answer>("expected"); // Yes: the box ignored it and was answered Yes
        QTest::newRow("Yes/No, Esc") << ButtonSet::YesNo << false << Answer::Yes;
        QTest::newRow("Yes/No, close box") << ButtonSet::YesNo << true << Answer::Yes;
        QTest::newRow("Yes/No/Cancel, Esc") << ButtonSet::YesNoCancel << false << Answer::Cancel;
        QTest::newRow("Yes/No/Cancel, close box") << ButtonSet::YesNoCancel << true << Answer::Cancel;
        QTest::newRow("OK/Cancel, Esc") << ButtonSet::OkCancel << false << Answer::Cancel;
        QTest::newRow("OK, Esc") << ButtonSet::Ok << false << Answer::Ok;
    }

    void escapeAndCloseBox()
    {
        QFETCH(ButtonSet, buttons);
        QFETCH(bool, byCloseBox);
        QFETCH(Answer, expected);
        bool stillOpen = false;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (byCloseBox)
                box->close();
            else
                QTest::keyClick(box, Qt::Key_Escape);
            // Whatever is still open after that is answered Yes.
            QTimer::singleShot(50, this, [&] {
                auto* open = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!open)
                    return;
                stillOpen = true;
                open->button(QMessageBox::Yes)->click();
            });
        });

        const Answer answer =
            showMessageBox(nullptr, "question", "Knobstation", buttons, MessageIcon::Exclamation);

        QCOMPARE(answer, expected);
        QCOMPARE(stillOpen, expected == Answer::Yes);
    }
};

QTEST_MAIN(TstMessageBox)
#include "tst_message_box.moc"
