// The start-up reference: a plain QDialog with a menu bar, a tool bar, a status bar and a
// QTabWidget holding as many standard widgets as the kbs18r window (counted on its running
// window: 7 tabs, 36 group boxes, 66 radio buttons, 54 labels, 10 combo boxes, 4 spin
// boxes, 2 check boxes, 2 push buttons, 5 menus, 6 tool buttons), in the same font and with
// Qt's Japanese translation.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTranslator>
#include <QVBoxLayout>

namespace {

constexpr int kTabs = 7;
constexpr int kGroups = 36;
constexpr int kRadios = 66;
constexpr int kLabels = 54;
constexpr int kCombos = 10;
constexpr int kSpinBoxes = 4;
constexpr int kCheckBoxes = 2;
constexpr int kButtons = 2;
constexpr int kMenus = 5;
constexpr int kToolButtons = 6;

// Spreads `count` widgets made by `make` over the layouts, round robin; a page's grid fills
// three columns, so the window comes out about as large as ours.
void place(QVBoxLayout* layout, QWidget* widget)
{
    layout->addWidget(widget);
}

void place(QGridLayout* grid, QWidget* widget)
{
    const int n = grid->count();
    grid->addWidget(widget, n / 3, n % 3);
}

template <typename Layout, typename Make> void spread(QList<Layout*>& layouts, int count, Make make)
{
    for (int i = 0; i < count; ++i)
        place(layouts[i % layouts.size()], make(i));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QTranslator translator;
    if (translator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator);
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSize(9);
    QApplication::setFont(font);

    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("ZAV Ferrostrike Q18RW/Q18RV ノブステーション"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* menuBar = new QMenuBar(&dialog);
    for (int m = 0; m < kMenus; ++m) {
        QMenu* menu = menuBar->addMenu(QStringLiteral("メニュー%1(&%1)").arg(m));
        for (int item = 0; item < 5; ++item)
            menu->addAction(QStringLiteral("コマンド%1").arg(item));
    }
    layout->setMenuBar(menuBar);
    auto* toolBar = new QToolBar(&dialog);
    for (int b = 0; b < kToolButtons; ++b) {
        toolBar->addAction(QStringLiteral("ボタン%1").arg(b));
        if (b % 2 == 1)
            toolBar->addSeparator();
    }
    layout->addWidget(toolBar);

    auto* tabs = new QTabWidget(&dialog);
    QList<QGridLayout*> pages;
    for (int t = 0; t < kTabs; ++t) {
        auto* page = new QWidget;
        pages.append(new QGridLayout(page));
        tabs->addTab(page, QStringLiteral("ＭＳＷ%1").arg(t + 1));
    }
    QList<QVBoxLayout*> groups;
    spread(pages, kGroups, [&groups](int i) {
        auto* group = new QGroupBox(QStringLiteral("グループ%1").arg(i));
        groups.append(new QVBoxLayout(group));
        return group;
    });
    spread(groups, kRadios, [](int i) { return new QRadioButton(QStringLiteral("選択%1").arg(i)); });
    spread(pages, kLabels, [](int i) { return new QLabel(QStringLiteral("ラベル%1").arg(i)); });
    spread(pages, kCombos, [](int) {
        auto* combo = new QComboBox;
        combo->addItems({QStringLiteral("日本"), QStringLiteral("アメリカ"), QStringLiteral("イギリス")});
        return combo;
    });
    spread(pages, kSpinBoxes, [](int) { return new QSpinBox; });
    spread(pages, kCheckBoxes, [](int i) { return new QCheckBox(QStringLiteral("チェック%1").arg(i)); });
    spread(pages, kButtons, [](int i) { return new QPushButton(QStringLiteral("書式設定%1").arg(i)); });
    layout->addWidget(tabs);

    auto* statusBar = new QStatusBar(&dialog);
    statusBar->showMessage(QStringLiteral("プリンタ名： ZAV_Ferrostrike_Q18RW"));
    layout->addWidget(statusBar);
    return dialog.exec();
}
