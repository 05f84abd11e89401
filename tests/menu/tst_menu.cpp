#include "menu/command_pictures.h"
#include "menu/icon_menu.h"
#include "menu/icon_menu_style.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QTest>

using namespace kbs;

namespace {

const QColor kMenu(200, 190, 180), kHighlight(10, 20, 130), kText(1, 2, 3);

// One 220 x 23 item drawn by the style as a menu draws it, in colours unlike the picture's own.
QImage renderItem(const QString& text, bool picture, bool enabled, bool selected)
{
    QPalette palette;
    palette.setColor(QPalette::Window, kMenu);
    palette.setColor(QPalette::Highlight, kHighlight);
    palette.setColor(QPalette::WindowText, kText);
    IconMenuStyle style(19);
    QStyleOptionMenuItem option;
    option.rect = QRect(0, 0, 220, 23);
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.text = text;
    option.palette = palette;
    if (picture)
        option.icon = QIcon(commandPicture(Picture::LoadFile, palette));
    option.state.setFlag(QStyle::State_Enabled, enabled);
    option.state.setFlag(QStyle::State_Selected, selected);
    option.fontMetrics = QFontMetrics(option.font = QApplication::font());
    QImage image(220, 23, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    style.drawControl(QStyle::CE_MenuItem, &option, &painter, nullptr);
    return image;
}

// The first and last column of `area` in which a pixel differs from the area's top row.
std::pair<int, int> inkSpan(const QImage& image, const QRect& area)
{
    std::pair<int, int> span{-1, -1};
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top() + 1; y <= area.bottom(); ++y)
            if (image.pixel(x, y) != image.pixel(x, area.top()))
                span = {span.first < 0 ? x : span.first, x};
    return span;
}

} // namespace

class TstMenu : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    // The label's ink starts at x = 25 and the shortcut's ends 16 pixels before the right edge
    // (a grayed item draws its text twice, one copy a pixel down and right); the picture lies at
    // (2, 4), 2 pixels lower than in a 19-pixel item; the highlight starts at x = 21 beside a
    // picture.
    void placement_data()
    {
        QTest::addColumn<bool>("picture");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("selected");
        QTest::newRow("plain") << false << true << false;
        QTest::newRow("selected picture") << true << true << true;
        QTest::newRow("grayed picture") << true << false << false;
    }
    void placement()
    {
        QFETCH(bool, picture);
        QFETCH(bool, enabled);
        QFETCH(bool, selected);
        const QImage item = renderItem("終了(&X)\tAlt+F4", picture, enabled, selected);
        QImage alone(220, 23, QImage::Format_RGB32);
        alone.fill(Qt::white);
        QPainter painter(&alone);
        painter.setFont(QApplication::font());
        painter.drawText(QRect(25, -1, 179, 23), Qt::AlignLeft | Qt::AlignVCenter, "終了(X)");
        painter.drawText(QRect(25, -1, 179, 23), Qt::AlignRight | Qt::AlignVCenter, "Alt+F4");
        const auto [first, last] = inkSpan(alone, alone.rect());
        QCOMPARE(inkSpan(item, QRect(20, 0, 200, 23)), std::pair(first, last + (enabled ? 0 : 1)));
        QCOMPARE(QColor(item.pixel(21, 11)), selected ? kHighlight : kMenu);
        QCOMPARE(QColor(item.pixel(20, 11)), kMenu);
        if (!enabled)
            return;
        const QImage shape = commandPicture(Picture::LoadFile, {}).toImage();
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x)
                QVERIFY(!picture || qAlpha(shape.pixel(x, y)) == 0 ||
                        item.pixel(2 + x, 4 + y) == shape.pixel(x, y));
    }

    // A letter runs the first enabled item whose text holds "&" and the letter, both in lower
    // case; any other key leaves the menu open and runs nothing.
    void letterKeys_data()
    {
        QTest::addColumn<QStringList>(
            "row"); // the items ("-label": grayed), the key, the item run (-1: none)
        const QString file =
            "読み込み(&O)...\tCtrl+O|書き込み(&S)...\tCtrl+S|-送信(&W)\tCtrl+W|終了(&X)\tAlt+F4";
        for (const QString& row :
             {file + "|s|1", file + "|X|3", file + "|w|-1", file + "|z|-1",
              QString("一(&K)|パラメータ（&P）|p|1"), QString("-一(&A)|二(&A)|三(&A)|a|1")})
            QTest::newRow(qPrintable(row.section('|', -2))) << row.split('|');
    }
    void letterKeys()
    {
        QFETCH(QStringList, row);
        const int runs = row.takeLast().toInt();
        const QString typed = row.takeLast();
        QMenuBar bar;
        QMenu* dropDown = bar.addMenu("ファイル(&F)");
        QList<int> ran;
        for (const QString& entry : row) {
            QAction* action = dropDown->addAction(entry.startsWith('-') ? entry.mid(1) : entry);
            action->setEnabled(!entry.startsWith('-'));
            connect(action, &QAction::triggered, this,
                    [&ran, index = dropDown->actions().size() - 1] { ran << index; });
        }
        new CIconMenu(&bar);
        dropDown->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(dropDown));
        dropDown->setActiveAction(dropDown->actions().first());
        QTest::keyClick(dropDown, typed.front().toLatin1());
        QCOMPARE(ran, runs < 0 ? QList<int>() : QList<int>{runs});
        QCOMPARE(dropDown->isVisible(), runs < 0);
        dropDown->close();
    }
};

QTEST_MAIN(TstMenu)
#include "tst_menu.moc"
