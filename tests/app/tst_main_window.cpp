#include "app/artwork.h"
#include "app/qt_translation.h"
#include "menu/main_menu.h"
#include "model/command_ids.h"
#include "pages/page_widget.h"
#include "support/as_ordinary_user.h"
#include "widgets/dialog_units.h"
#include "widgets/message_box.h"
#include "window_rig.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

using namespace kbs;
using namespace kbs::test;

class TstMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QVERIFY(installJapaneseQtTexts());
    }
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void layoutAndMenu_data()
    {
        QTest::addColumn<QString>("pages"); // before the memory switches: "id label" per item, '|' between
        QTest::addColumn<QString>("last");  // memory switch 5 and help
        QTest::newRow("kbs18r") << "32801 パラメータ設定（&P）\tCtrl+P"
                                << "32812|32806";
        QTest::newRow("kbs62d") << "32801 パラメータ設定１（&P）\tCtrl+P|32802 パラメータ設定２（&L）\tCtrl+L"
                                << "32811|32806";
        QTest::newRow("kbs18t") << "32804 書式設定(&F)\tCtrl+F|32801 パラメータ設定（&P）\tCtrl+P"
                                << "32808|32807";
    }
    void layoutAndMenu()
    {
        QFETCH(QString, pages);
        QFETCH(QString, last);
        Window window(QTest::currentDataTag());
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const DialogUnits du(dialogFont());
        QCOMPARE(window.pageWidget(0)->geometry(), du.rect(7, 48, 230, 190));
        const QString expected =
            "ファイル(&F)|32781 設定ファイルの読み込み(&O)...\tCtrl+O|32782 "
            "設定ファイルへの書き込み(&S)...\tCtrl+S|-|"
            "32784 設定値をプリンタへ送信(&W)\tCtrl+W|32785 工場出荷設定を表示(&I)\tCtrl+I|-|"
            "32798 プリンタの選択(&C)...\tCtrl+C|-|32783 終了(&X)\tAlt+F4|メニュー(&M)|32771 "
            "機能選択(&K)\tCtrl+K|" +
            pages + "|32773 メモリスイッチ１(&1)\tCtrl+1|32778 メモリスイッチ２(&2)\tCtrl+2|" +
            "32779 メモリスイッチ３(&3)\tCtrl+3|32780 メモリスイッチ４(&4)\tCtrl+4|" +
            last.section('|', 0, 0) + " メモリスイッチ５(&5)\tCtrl+5|ヘルプ(&H)|" + last.section('|', 1) +
            " ヘルプ目次(&H)\tF1|-|" + "16 バージョン情報(&A)...";
        QStringList shown;
        for (QAction* popup : window.menu().menuBar()->actions()) {
            shown << popup->text();
            for (QAction* item : popup->menu()->actions())
                shown << (item->isSeparator() ? QString("-")
                                              : QString::number(item->data().toInt()) + " " + item->text());
        }
        QCOMPARE(shown, expected.split('|'));
    }

    // The icon drawn at build time is the drawing itself, at every size the window offers.
    void programIconIsTheDrawing()
    {
        const QIcon icon = programIcon();
        QCOMPARE(icon.availableSizes().size(), 4);
        for (const QSize& size : icon.availableSizes())
            QCOMPARE(icon.pixmap(size).toImage(), programIconPixmap(size.width()).toImage());
    }

    // The help command is on only where the program's page lies beside it or under share/,
    // as a file its user may read.
    void helpCommandFollowsThePage_data()
    {
        QTest::addColumn<QString>("page"); // under the folder that holds bin/
        QTest::addColumn<int>("mode");     // 0: a folder of that name
        QTest::addColumn<bool>("enabled");
        QTest::newRow("kbs18r beside the program") << "bin/kbs18r.html" << 0644 << true;
        QTest::newRow("kbs62d under share") << "share/kbs62d/kbs62d.html" << 0644 << true;
        QTest::newRow("kbs18t another program's page") << "bin/kbs18r.html" << 0644 << false;
        QTest::newRow("kbs62d a folder of that name") << "bin/kbs62d.html" << 0 << false;
        QTest::newRow("kbs18r unreadable") << "bin/kbs18r.html" << 0200 << false;
    }
    void helpCommandFollowsThePage()
    {
        QFETCH(QString, page);
        QFETCH(int, mode);
        QFETCH(bool, enabled);
        QTemporaryDir folder;
        const QString path = folder.filePath(page);
        QVERIFY(QDir().mkpath(folder.filePath("bin")) && QDir().mkpath(mode ? QFileInfo(path).path() : path));
        QFile file(path);
        QVERIFY(!mode || (file.open(QIODevice::WriteOnly) && file.write("<html/>") > 0));
        QVERIFY(::chmod(QFile::encodeName(folder.path()), 0755) == 0 &&
                (!mode || ::chmod(QFile::encodeName(path), mode_t(mode)) == 0));
        std::unique_ptr<Window> window;
        const QString program = QString(QTest::currentDataTag()).section(' ', 0, 0);
        QVERIFY(asOrdinaryUser([&] { window = std::make_unique<Window>(program, folder.filePath("bin")); }));
        QAction* help = window->menu().action(program == "kbs18t" ? cmd::HelpKbs18t : cmd::Help);
        QCOMPARE(help->isEnabled(), enabled);
    }

    // Enter and Esc close nothing; the close box runs the exit command, which may keep the window.
    void keysAndCloseBox()
    {
        Window window("kbs62d");
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.findChild<QCheckBox*>()->click(); // the settings now differ from the printer's and the file's
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(&window, key);
        window.close(); // the question about sending is cancelled
        QVERIFY(window.isVisible() && !window.closeRequested() && window.texts.size() == 1);
        window.answer = Answer::No;
        window.close();
        QVERIFY(!window.isVisible() && window.closeRequested() && window.exitStatus() == 0 &&
                window.opens == 0);
    }

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

QTEST_MAIN(TstMainWindow)
#include "tst_main_window.moc"
