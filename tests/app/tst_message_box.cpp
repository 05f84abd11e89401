#include "app/qt_translation.h"
#include "widgets/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace kbs;

class TstMessageBox : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QVERIFY(installJapaneseQtTexts());
    }
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    // Esc and the close box answer Cancel where there is one and OK on a lone OK; a Yes/No
    // question ignores them and waits for its answer, here Yes. The first button is the default,
    // and the buttons speak Japanese.
    void answers_data()
    {
        QTest::addColumn<ButtonSet>("buttons");
        QTest::addColumn<bool>("byCloseBox");
        QTest::addColumn<Answer>("expected");
        QTest::addColumn<QString>("shown"); // icon, default button, every button sorted
        const QString yesNo = "2 はい(&Y) いいえ(&N) はい(&Y)";
        QTest::newRow("Yes/No, Esc") << ButtonSet::YesNo << false << Answer::Yes << yesNo;
        QTest::newRow("Yes/No, close box") << ButtonSet::YesNo << true << Answer::Yes << yesNo;
        QTest::newRow("Yes/No/Cancel, Esc") << ButtonSet::YesNoCancel << false << Answer::Cancel
                                            << "2 はい(&Y) いいえ(&N) はい(&Y) キャンセル";
        QTest::newRow("Yes/No/Cancel, close box") << ButtonSet::YesNoCancel << true << Answer::Cancel
                                                  << "2 はい(&Y) いいえ(&N) はい(&Y) キャンセル";
        QTest::newRow("OK/Cancel, Esc")
            << ButtonSet::OkCancel << false << Answer::Cancel << "2 OK OK キャンセル";
        QTest::newRow("OK, Esc") << ButtonSet::Ok << false << Answer::Ok << "2 OK OK";
    }
    void answers()
    {
        QFETCH(ButtonSet, buttons);
        QFETCH(bool, byCloseBox);
        QFETCH(Answer, expected);
        QFETCH(QString, shown);
        QStringList seen;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QStringList texts;
            for (QAbstractButton* button : box->buttons())
                texts << button->text();
            texts.sort();
            seen << box->windowTitle() << box->text()
                 << QString::number(box->icon()) + " " + box->defaultButton()->text() + " " + texts.join(' ');
            byCloseBox ? void(box->close()) : QTest::keyClick(box, Qt::Key_Escape);
            QTimer::singleShot(50, this, [&] {
                if (auto* open = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                    seen << "still open", open->button(QMessageBox::Yes)->click();
            });
        });
        const Answer answer = showMessageBox(nullptr, "設定値が変更されています。\n送信しますか？",
                                             "Knobstation", buttons, MessageIcon::Exclamation);
        QCOMPARE(answer, expected);
        QStringList wanted{"Knobstation", "設定値が変更されています。\n送信しますか？", shown};
        QCOMPARE(seen, expected == Answer::Yes ? wanted << "still open" : wanted);
    }
};

QTEST_MAIN(TstMessageBox)
#include "tst_message_box.moc"
