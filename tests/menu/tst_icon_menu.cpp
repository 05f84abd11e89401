#include "menu/command_pictures.h"
#include "menu/icon_menu.h"
#include "menu/icon_menu_style.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QTest>

using namespace kbs;

namespace {

// Every colour the menu uses is different, so each pixel tells which one it is.
const std::map<QString, std::pair<QPalette::ColorGroup, QPalette::ColorRole>> kColourNames = {
    {"menu", {QPalette::Active, QPalette::Window}},
    {"menutext", {QPalette::Active, QPalette::WindowText}},
    {"highlight", {QPalette::Active, QPalette::Highlight}},
    {"highlighttext", {QPalette::Active, QPalette::HighlightedText}},
    {"face", {QPalette::Active, QPalette::Button}},
    {"shadow", {QPalette::Active, QPalette::Dark}},
    {"btnhighlight", {QPalette::Active, QPalette::Light}},
    {"3dlight", {QPalette::Active, QPalette::Midlight}},
    {"graytext", {QPalette::Disabled, QPalette::WindowText}},
};

QPalette menuPalette()
{
    QPalette palette;
    int shade = 0;
    for (const auto& [name, place] : kColourNames) {
        palette.setColor(place.first, place.second,
                         QColor(40 + 20 * shade, 200 - 15 * shade, 90 + 7 * shade));
        ++shade;
    }
    return palette;
}

QRgb colourNamed(const QString& name)
{
    const auto& [group, role] = kColourNames.at(name);
    return menuPalette().color(group, role).rgb();
}

constexpr int kItemWidth = 220;
constexpr int kItemHeight = 23; // the picture column sits 2 pixels lower than in a 19-pixel item

struct ItemState {
    bool picture = false;
    QStyleOptionMenuItem::CheckType checkType = QStyleOptionMenuItem::NotCheckable;
    bool checked = false;
    bool enabled = true;
    bool selected = false;
};

// One item drawn by the style as a menu draws it.
QImage renderItem(const QString& text, const ItemState& state)
{
    IconMenuStyle style(19);
    QStyleOptionMenuItem option;
    option.rect = QRect(0, 0, kItemWidth, kItemHeight);
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.text = text;
    option.palette = menuPalette();
    if (state.picture)
        option.icon = QIcon(commandPicture(Picture::LoadFile, option.palette));
    option.checkType = state.checkType;
    option.checked = state.checked;
    option.state.setFlag(QStyle::State_Enabled, state.enabled);
    option.state.setFlag(QStyle::State_Selected, state.selected);
    option.font = QApplication::font();
    option.fontMetrics = QFontMetrics(option.font);
    QImage image(kItemWidth, kItemHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    style.drawControl(QStyle::CE_MenuItem, &option, &painter, nullptr);
    return image;
}

// The first and last column of `area` in which a pixel differs from the area's top row:
// where the ink of the text begins and ends.
std::pair<int, int> inkSpan(const QImage& image, const QRect& area)
{
    std::pair<int, int> span{-1, -1};
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top() + 1; y <= area.bottom(); ++y)
            if (image.pixel(x, y) != image.pixel(x, area.top()))
                span = {span.first < 0 ? x : span.first, x};
    return span;
}

// Where the ink of a label drawn alone begins after the left edge of its box, and where the
// ink of a shortcut right-aligned in it ends before the right edge.
std::pair<int, int> inkOffsets(const QString& label, const QString& shortcut)
{
    QImage image(300, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(QApplication::font());
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignVCenter, label);
    painter.drawText(image.rect(), Qt::AlignRight | Qt::AlignVCenter, shortcut);
    const auto [first, last] = inkSpan(image, image.rect());
    return {first, 299 - last};
}

} // namespace

class TstIconMenu : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    // Items are their whole text + 33 wide (labels padded with spaces to the widest label
    // plus one space, the tab measuring as a space) and as high as the menu bar but at
    // least 19; separators half the bar's height. Every row takes the widest row's width.
    void itemSizesFollowTheGeometry_data()
    {
        QTest::addColumn<QStringList>("items"); // "-" for a separator
        QTest::addColumn<int>("barHeight");
        QTest::addColumn<int>("itemHeight");
        QTest::addColumn<int>("separatorHeight");
        const QStringList plain = {"終了(&X)", "-", "バージョン情報(&A)..."};
        QTest::newRow("bar lower than a picture") << plain << 14 << 19 << 7;
        QTest::newRow("bar higher than a picture") << plain << 24 << 24 << 12;
        QTest::newRow("file menu") << QStringList{"設定ファイルの読み込み(&O)...\tCtrl+O",
                                                  "設定ファイルへの書き込み(&S)...\tCtrl+S",
                                                  "-",
                                                  "設定値をプリンタへ送信(&W)\tCtrl+W",
                                                  "-",
                                                  "終了(&X)\tAlt+F4"}
                                   << 20 << 20 << 10;
        // The widest row is the short label padded out, with the widest shortcut.
        QTest::newRow("short label, wide shortcut")
            << QStringList{"とても長い項目の名前(&L)\tF1", "短(&S)\tCtrl+Shift+Alt+W", "ラベルだけの項目(&N)"}
            << 19 << 19 << 9;
    }

    void itemSizesFollowTheGeometry()
    {
        QFETCH(QStringList, items);
        QFETCH(int, barHeight);
        QFETCH(int, itemHeight);
        QFETCH(int, separatorHeight);
        IconMenuStyle style(barHeight);
        QMenu menu;
        menu.setStyle(&style);
        const auto widthOf = [](const QString& text) {
            return QFontMetrics(QApplication::font()).horizontalAdvance(text);
        };
        int widestLabel = 0;
        for (const QString& text : items) {
            if (text == "-")
                menu.addSeparator();
            else
                menu.addAction(text);
            widestLabel = std::max(widestLabel, widthOf(text.section('\t', 0, 0) + ' '));
        }
        int widest = 0;
        for (const QString& text : items) {
            if (text == "-")
                continue;
            QString whole = text.section('\t', 0, 0);
            if (text.contains('\t')) {
                while (widthOf(whole) < widestLabel)
                    whole += ' ';
                whole += ' ' + text.section('\t', 1);
            }
            widest = std::max(widest, widthOf(whole) + 33);
        }
        for (QAction* action : menu.actions()) {
            const QRect geometry = menu.actionGeometry(action);
            QCOMPARE(geometry.width(), widest);
            QCOMPARE(geometry.height(), action->isSeparator() ? separatorHeight : itemHeight);
        }
    }

    // The label starts at x = 25 and the shortcut ends 16 pixels before the right edge,
    // whatever the item shows in the picture column.
    void textPlacement_data()
    {
        QTest::addColumn<ItemState>("state");
        QTest::newRow("no picture") << ItemState{};
        QTest::newRow("picture") << ItemState{.picture = true};
        QTest::newRow("check mark") << ItemState{.checkType = QStyleOptionMenuItem::NonExclusive,
                                                 .checked = true};
        QTest::newRow("selected picture") << ItemState{.picture = true, .selected = true};
        QTest::newRow("disabled picture") << ItemState{.picture = true, .enabled = false};
        QTest::newRow("disabled, selected") << ItemState{.picture = true, .enabled = false, .selected = true};
    }

    void textPlacement()
    {
        QFETCH(ItemState, state);
        const QImage image = renderItem("終了(&X)\tAlt+F4", state);
        const auto [label, shortcut] = inkOffsets("終了(X)", "Alt+F4");
        // A grayed item's text is drawn twice, the first copy one pixel down and right.
        const int shifted = !state.enabled && !state.selected ? 1 : 0;
        const auto [first, last] = inkSpan(image, QRect(20, 0, kItemWidth - 20, kItemHeight));
        QCOMPARE(first, 25 + label);
        QCOMPARE(last, kItemWidth - 16 - 1 - shortcut + shifted);
    }

    // A command whose picture cannot be made shows none, and its label stays at x = 25.
    void missingPictureLeavesTheLabelInPlace_data()
    {
        QTest::addColumn<int>("picture");
        QTest::addColumn<bool>("shown");
        QTest::newRow("missing") << 150 << false;
        QTest::newRow("present") << static_cast<int>(Picture::LoadFile) << true;
    }

    void missingPictureLeavesTheLabelInPlace()
    {
        QFETCH(int, picture);
        QFETCH(bool, shown);
        QMenuBar bar;
        QMenu* file = bar.addMenu("ファイル(&F)");
        QAction* item = file->addAction("設定ファイルの読み込み(&O)...\tCtrl+O");
        item->setData(32781);
        (new CIconMenu(&bar))->setPicture(32781, static_cast<Picture>(picture));
        QCOMPARE(!item->icon().isNull(), shown);

        file->resize(file->sizeHint());
        const QImage image = file->grab().toImage();
        const QRect area = file->actionGeometry(item);
        const int text = inkSpan(image, area.adjusted(20, 0, 0, 0)).first;
        QCOMPARE(text - area.left(), 25 + inkOffsets("設定ファイルの読み込み(O)...", "").first);
        // The picture column: the picture or nothing at all.
        QCOMPARE(inkSpan(image, QRect(area.topLeft(), QSize(20, area.height()))).first >= 0, shown);
    }

    // Pixels named from the item's top left; the picture column is 2 pixels down (h = 2).
    void pictureColumnAndHighlight_data()
    {
        QTest::addColumn<ItemState>("state");
        QTest::addColumn<QString>("pixels"); // "x,y:colour" separated by spaces
        QTest::newRow("selected with picture: band from 21, raised box")
            << ItemState{.picture = true, .selected = true}
            << "20,11:menu 21,11:highlight 1,3:btnhighlight "
               "18,3:shadow 1,19:shadow 2,3:btnhighlight";
        QTest::newRow("selected, nothing in the column: band over the whole item")
            << ItemState{.selected = true} << "0,11:highlight 20,11:highlight";
        QTest::newRow("checked with picture: sunken light box, no tick")
            << ItemState{.picture = true, .checkType = QStyleOptionMenuItem::NonExclusive, .checked = true}
            << "1,3:shadow 18,19:btnhighlight 2,4:3dlight 5,8:3dlight 0,11:menu";
        QTest::newRow("selected, checked with picture: sunken box")
            << ItemState{.picture = true,
                         .checkType = QStyleOptionMenuItem::NonExclusive,
                         .checked = true,
                         .selected = true}
            << "1,3:shadow 18,19:btnhighlight 2,4:menu 21,11:highlight";
        // The tick's pixels from (4, 4) of the box at (1, h + 2): (0, 2), (6, 0), (2, 6), (6, 2).
        QTest::newRow("tick") << ItemState{.checkType = QStyleOptionMenuItem::NonExclusive, .checked = true}
                              << "5,10:menutext 11,8:menutext 7,14:menutext 11,10:menutext 6,10:3dlight "
                                 "1,4:shadow 16,18:btnhighlight "
                                 "20,11:menu";
        QTest::newRow("selected tick: box in the menu colour, band from 21")
            << ItemState{.checkType = QStyleOptionMenuItem::NonExclusive, .checked = true, .selected = true}
            << "6,10:menu 5,10:menutext 20,11:menu 21,11:highlight";
        // The dot: 6 x 6 at (5, 4) of the box.
        QTest::newRow("radio dot") << ItemState{.checkType = QStyleOptionMenuItem::Exclusive, .checked = true}
                                   << "9,12:menutext 8,11:menutext 5,8:3dlight 12,10:3dlight";
        QTest::newRow("unchecked check item: nothing in the column")
            << ItemState{.checkType = QStyleOptionMenuItem::NonExclusive, .selected = true}
            << "5,10:highlight 1,4:highlight";
    }

    void pictureColumnAndHighlight()
    {
        QFETCH(ItemState, state);
        QFETCH(QString, pixels);
        const QImage image = renderItem("機能選択(&K)\tCtrl+K", state);
        for (const QString& entry : pixels.split(' ')) {
            const int x = entry.section(',', 0, 0).toInt();
            const int y = entry.section(',', 1).section(':', 0, 0).toInt();
            QVERIFY2(image.pixel(x, y) == colourNamed(entry.section(':', 1)), qPrintable(entry));
        }
    }

    // Grayed, the picture's shape is drawn in the shadow colour in place and in the
    // highlight colour one pixel down and right, on the button face.
    void disabledPictureIsEmbossed()
    {
        const QImage enabled = renderItem("保存(&S)", {.picture = true});
        const QImage disabled = renderItem("保存(&S)", {.picture = true, .enabled = false});
        const QPoint origin(2, 4);
        const auto inShape = [&](int x, int y) {
            if (x < 0 || y < 0 || x >= 16 || y >= 15)
                return false;
            const QRgb pixel = enabled.pixel(origin + QPoint(x, y));
            return pixel != colourNamed("menu") && pixel != colourNamed("btnhighlight");
        };
        int shape = 0;
        for (int y = 0; y <= 15; ++y) {
            for (int x = 0; x <= 16; ++x) {
                QString expected = "face";
                if (inShape(x, y))
                    expected = "shadow";
                else if (inShape(x - 1, y - 1))
                    expected = "btnhighlight";
                else if (x == 16 || y == 15)
                    continue; // beside the picture: the column's own background
                shape += expected == "shadow";
                QVERIFY2(disabled.pixel(origin + QPoint(x, y)) == colourNamed(expected),
                         qPrintable(QString("%1,%2 %3").arg(x).arg(y).arg(expected)));
            }
        }
        QVERIFY(shape > 20);
    }

    // A letter runs the first enabled item whose text holds "&" and the letter, both in
    // lower case; any other character leaves the menu open and runs nothing.
    void letterKeys_data()
    {
        QTest::addColumn<QString>("items"); // "label" or "-label" for a grayed item, '|' between
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("runs"); // index of the item run, -1 for none
        const QString file =
            "設定ファイルの読み込み(&O)...\tCtrl+O|設定ファイルへの書き込み(&S)...\tCtrl+S|"
            "-設定値をプリンタへ送信(&W)\tCtrl+W|-プリンタの選択(&C)...\tCtrl+C|終了(&X)\tAlt+F4";
        QTest::newRow("mnemonic") << file << "s" << 1;
        QTest::newRow("upper case typed") << file << "X" << 4;
        QTest::newRow("grayed send") << file << "w" << -1;
        QTest::newRow("no such mnemonic") << file << "z" << -1;
        QTest::newRow("space") << file << " " << -1;
        QTest::newRow("digit") << "メモリスイッチ１(&1)\tCtrl+1|メモリスイッチ５(&5)\tCtrl+5"
                               << "5" << 1;
        QTest::newRow("full-width parentheses") << "機能選択(&K)\tCtrl+K|パラメータ設定（&P）\tCtrl+P"
                                                << "p" << 1;
        QTest::newRow("upper-case mnemonic in the text") << "First|Second (&Q)"
                                                         << "q" << 1;
        QTest::newRow("shared letter: the first, at once") << "一(&A)|二(&A)"
                                                           << "a" << 0;
        QTest::newRow("shared letter, first grayed") << "-一(&A)|二(&A)"
                                                     << "a" << 1;
    }

    void letterKeys()
    {
        QFETCH(QString, items);
        QFETCH(QString, typed);
        QFETCH(int, runs);
        QMenuBar bar;
        QMenu* dropDown = bar.addMenu("ファイル(&F)");
        QList<int> ran;
        for (const QString& entry : items.split('|')) {
            const bool grayed = entry.startsWith('-');
            QAction* action = dropDown->addAction(grayed ? entry.mid(1) : entry);
            action->setEnabled(!grayed);
            connect(action, &QAction::triggered, this,
                    [&ran, index = dropDown->actions().size() - 1] { ran.append(index); });
        }
        new CIconMenu(&bar);
        dropDown->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(dropDown));
        dropDown->setActiveAction(dropDown->actions().first());

        QTest::keyClick(dropDown, typed.front().toLatin1());
        if (runs < 0) {
            QVERIFY(ran.isEmpty());
            QVERIFY(dropDown->isVisible());
            dropDown->close();
        } else {
            QCOMPARE(ran, QList<int>{runs});
            QVERIFY(!dropDown->isVisible());
        }
    }
};

QTEST_MAIN(TstIconMenu)
#include "tst_icon_menu.moc"
