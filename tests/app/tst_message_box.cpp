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
    // question ignores them and waits for its answer, here Yes. Each line: the buttons, how the
    // box is left, the answer, and the icon (a warning) and buttons shown, the default first.
    void answers_data()
    {
        QTest::addColumn<QStringList>("row");
        const QString table = R"(3|Esc|1|2 はい(&Y) いいえ(&N) はい(&Y) キャンセル
3|close box|1|2 はい(&Y) いいえ(&N) はい(&Y) キャンセル
2|Esc|2|2 はい(&Y) いいえ(&N) はい(&Y) still open
2|close box|2|2 はい(&Y) いいえ(&N) はい(&Y) still open
1|Esc|1|2 OK OK キャンセル
0|Esc|0|2 OK OK)";
        for (const QString& line : table.split('\n'))
            QTest::newRow(qPrintable(line.section('|', 0, 1))) << line.split('|');
    }
    void answers()
    {
        QFETCH(QStringList, row);
        QStringList shown;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            for (QAbstractButton* button : box->buttons())
                shown << button->text();
            shown.sort();
            shown.prepend(QString::number(box->icon()) + " " + box->defaultButton()->text());
            row[1] == "Esc" ? QTest::keyClick(box, Qt::Key_Escape) : void(box->close());
            QTimer::singleShot(50, this, [&] {
                if (auto* open = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                    shown << "still open", open->button(QMessageBox::Yes)->click();
            });
        });
        const char* text = "設定値が変更されています。\n送信しますか？";
        QCOMPARE(int(showMessageBox(nullptr, text, "Knobstation", ButtonSet(row[0].toInt()),
                                    MessageIcon::Exclamation)),
                 row[2].toInt());
        QCOMPARE(shown.join(' '), row[3]);
    }
};

QTEST_MAIN(TstMessageBox)
#include "tst_message_box.moc"
