#include "menu/command_pictures.h"
#include "menu/main_menu.h"
#include "pagedata/param_cases.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QWidget>

using namespace kbs;
using param_cases::variantNamed;

namespace {

// Colours unlike the pictures' own, so a pixel shows whether it was replaced.
QPalette oddPalette()
{
    QPalette palette;
    palette.setColor(QPalette::ButtonText, QColor(1, 2, 3));
    palette.setColor(QPalette::Dark, QColor(91, 92, 93));
    palette.setColor(QPalette::Light, QColor(251, 252, 253));
    palette.setColor(QPalette::Button, QColor(181, 182, 183));
    return palette;
}

} // namespace

class TstCommandPictures : public QObject {
    Q_OBJECT
private slots:
    // Per program: "command:bitmap" for each command that shows a picture, then the
    // commands that show none.
    void everyCommandOfTheIconTableHasItsPicture_data()
    {
        QTest::addColumn<QString>("pictures");
        QTest::addColumn<QList<int>>("without");
        const QString common = "32781:160 32782:161 32784:162 32785:163 32798:164 32801:165 32771:167 "
                               "32773:166 32778:166 32779:166 32780:166";
        QTest::newRow("kbs18r") << common + " 32812:166" << QList<int>{32783, 32806, 16};
        QTest::newRow("kbs62d") << common + " 32802:165 32811:166" << QList<int>{32783, 32806, 16};
        QTest::newRow("kbs18t") << common + " 32804:174 32808:166" << QList<int>{32783, 32807, 16};
    }

    void everyCommandOfTheIconTableHasItsPicture()
    {
        QFETCH(QString, pictures);
        QFETCH(QList<int>, without);
        QWidget owner;
        const MainMenu menu(variantNamed(QTest::currentDataTag()), &owner);
        for (const QString& pair : pictures.split(' ')) {
            const int command = pair.section(':', 0, 0).toInt();
            const auto bitmap = static_cast<Picture>(pair.section(':', 1, 1).toInt());
            QAction* item = menu.action(command);
            QVERIFY2(item, qPrintable(pair));
            QVERIFY2(item->isIconVisibleInMenu(), qPrintable(pair));
            const QImage expected = commandPicture(bitmap, owner.palette()).toImage();
            QVERIFY2(!expected.isNull(), qPrintable(pair));
            QCOMPARE(item->icon().pixmap(expected.size()).toImage().convertToFormat(expected.format()),
                     expected);
        }
        for (const int command : without) {
            QVERIFY(menu.action(command));
            QVERIFY2(menu.action(command)->icon().isNull(), qPrintable(QString::number(command)));
        }
    }

    void picturesTakeTheSystemColours_data()
    {
        QTest::addColumn<int>("picture");
        for (const Picture picture : {Picture::LoadFile, Picture::SaveFile, Picture::Send,
                                      Picture::FactoryDefaults, Picture::SelectPrinter, Picture::Parameters,
                                      Picture::MemorySwitch, Picture::FunctionSelection, Picture::Forms})
            QTest::addRow("%d", static_cast<int>(picture)) << static_cast<int>(picture);
    }

    // Black, dark gray and white become the palette's button text, shadow and highlight;
    // light gray lets the background through; the other colours stay. 16 x 15 pixels.
    void picturesTakeTheSystemColours()
    {
        QFETCH(int, picture);
        const QPalette palette = oddPalette();
        const QImage own = pictureImage(static_cast<Picture>(picture));
        const QImage shown = commandPicture(static_cast<Picture>(picture), palette).toImage();
        QCOMPARE(own.size(), QSize(16, 16));
        QCOMPARE(shown.size(), QSize(16, 15));
        int replaced = 0;
        int transparent = 0;
        for (int y = 0; y < 15; ++y) {
            for (int x = 0; x < 16; ++x) {
                const QRgb source = own.pixel(x, y);
                QRgb expected = source;
                if (qAlpha(source) == 0)
                    expected = qRgba(0, 0, 0, 0);
                else if (source == qRgb(0, 0, 0))
                    expected = palette.color(QPalette::ButtonText).rgb();
                else if (source == qRgb(0x80, 0x80, 0x80))
                    expected = palette.color(QPalette::Dark).rgb();
                else if (source == qRgb(0xff, 0xff, 0xff))
                    expected = palette.color(QPalette::Light).rgb();
                replaced += expected != source;
                transparent += qAlpha(source) == 0;
                QCOMPARE(shown.pixel(x, y), expected);
            }
        }
        QVERIFY(replaced > 0);    // every picture has an outline
        QVERIFY(transparent > 0); // and a background
    }
};

QTEST_MAIN(TstCommandPictures)
#include "tst_command_pictures.moc"
