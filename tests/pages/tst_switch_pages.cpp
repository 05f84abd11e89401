#include "pagedata/switch_cases.h"
#include "pages/page_factory.h"
#include "pages/page_size.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLayout>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace kbs;
using namespace switch_cases;

namespace {

using Pair = std::pair<std::uint8_t, std::uint8_t>;

std::unique_ptr<PageWidget> openPage(const SwitchPageCase& page)
{
    auto widget = createPage(*page.variant, page.page, nullptr);
    widget->show();
    return widget;
}

// The page's pair after storing it into a copy of `loaded`; no other byte may change.
Pair storedPair(PageWidget& page, const SettingsBlock& loaded, std::size_t offset)
{
    SettingsBlock block = loaded;
    page.StoreBlock(block);
    for (std::size_t index = 0; index < block.size(); ++index) {
        if (index != offset && index != offset + 1 && block[index] != loaded[index])
            qFatal("the page wrote byte %zu outside its pair", index);
    }
    return {block[offset], block[offset + 1]};
}

// Every visible child lies inside its parent and apart from its siblings, at no less than
// the size it asks for.
void checkNothingClipped(const QWidget& parent)
{
    const QList<QWidget*> children = parent.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (const QWidget* child : children) {
        if (!child->isVisible())
            continue;
        const QString name = child->objectName();
        QVERIFY2(parent.rect().contains(child->geometry()), qPrintable(name));
        QVERIFY2(child->width() >= child->minimumSizeHint().width(), qPrintable(name));
        QVERIFY2(child->height() >= child->minimumSizeHint().height(), qPrintable(name));
        for (const QWidget* other : children)
            QVERIFY2(other == child || !other->isVisible() ||
                         !child->geometry().intersects(other->geometry()),
                     qPrintable(name + u' ' + other->objectName()));
        checkNothingClipped(*child);
    }
}

} // namespace

class TestSwitchPages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup();
    void pageFitsItsSize_data() { addPageRows(); }
    void pageFitsItsSize();
    void loadShowsTheBlockQuietly_data() { addPageRows(); }
    void loadShowsTheBlockQuietly();
    void everyClickChangesItsBit_data() { addPageRows(); }
    void everyClickChangesItsBit();
    void countryListChoices_data() { addPageRows(true); }
    void countryListChoices();
};

void TestSwitchPages::cleanup()
{
    for (const QWidget* window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
}

void TestSwitchPages::pageFitsItsSize()
{
    const SwitchPageCase& page = fetchedPage();
    const auto widget = openPage(page);
    widget->LoadBlock(factoryBlock(page));

    QCOMPARE(widget->size(), pageSize(widget->font()));
    QVERIFY(widget->layout() != nullptr);
    const QSize needed = widget->layout()->minimumSize();
    QVERIFY2(needed.width() <= widget->width() && needed.height() <= widget->height(),
             qPrintable(QStringLiteral("needs %1 x %2").arg(needed.width()).arg(needed.height())));
    widget->layout()->activate();
    checkNothingClipped(*widget);
}

void TestSwitchPages::loadShowsTheBlockQuietly()
{
    const SwitchPageCase& page = fetchedPage();
    const auto widget = openPage(page);
    for (const QRadioButton* button : widget->findChildren<QRadioButton*>())
        QVERIFY2(!button->isChecked(), qPrintable(button->objectName()));
    for (const QComboBox* list : widget->findChildren<QComboBox*>())
        QCOMPARE(list->currentIndex(), -1);

    QSignalSpy dataChecks(widget.get(), &PageWidget::dataCheckRequested);
    const SettingsBlock loaded = factoryBlock(page);
    widget->LoadBlock(withPair(loaded, page.offset, 0x0F, 0x0F));
    widget->LoadBlock(loaded);
    QCOMPARE(dataChecks.count(), 0);

    // Loading afresh after the user's choice shows the block, not the choice.
    if (auto* button = widget->findChildren<QRadioButton*>().value(0)) {
        QTest::mouseClick(button, Qt::LeftButton);
        widget->LoadBlock(loaded);
        QCOMPARE(storedPair(*widget, loaded, page.offset),
                 Pair(loaded[page.offset], loaded[page.offset + 1]));
    }
}

// Each click raises one data check and moves exactly its switch's bit, from 0 to 1 and back.
void TestSwitchPages::everyClickChangesItsBit()
{
    const SwitchPageCase& page = fetchedPage();
    const auto widget = openPage(page);
    const SettingsBlock loaded = withPair(factoryBlock(page), page.offset, 0x00, 0x00);
    QSignalSpy dataChecks(widget.get(), &PageWidget::dataCheckRequested);

    for (const SwitchRow& row : page.table->rows) {
        const QString name = QStringLiteral("msw%1_%2").arg(page.msw).arg(row.switches.first);
        const bool radio = row.control == SwitchControl::RadioPair;
        if (!radio && row.control != SwitchControl::CheckBox) {
            if (row.control != SwitchControl::CountryList)
                QVERIFY2(widget->findChild<QWidget*>(name) == nullptr, qPrintable(name));
            continue;
        }
        QAbstractButton* toOne =
            radio ? static_cast<QAbstractButton*>(widget->findChild<QRadioButton*>(name + "_1"))
                  : widget->findChild<QCheckBox*>(name);
        QAbstractButton* toZero = radio ? widget->findChild<QRadioButton*>(name + "_0") : toOne;
        QVERIFY2(toOne != nullptr && toZero != nullptr, qPrintable(name));
        const std::string_view text = radio ? row.label1 : row.caption;
        QCOMPARE(toOne->text(), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));

        widget->LoadBlock(loaded);
        const Pair unchanged = storedPair(*widget, loaded, page.offset);
        const int number = row.switches.first;
        const auto bit = static_cast<std::uint8_t>(1U << ((number - 1) % 4));
        const Pair set = number <= 4 ? Pair(unchanged.first | bit, unchanged.second)
                                     : Pair(unchanged.first, unchanged.second | bit);
        QVERIFY(set != unchanged);

        dataChecks.clear();
        QTest::mouseClick(toOne, Qt::LeftButton);
        QCOMPARE(dataChecks.count(), 1);
        QCOMPARE(storedPair(*widget, loaded, page.offset), set);
        QTest::mouseClick(toZero, Qt::LeftButton);
        QCOMPARE(dataChecks.count(), 2);
        QCOMPARE(storedPair(*widget, loaded, page.offset), unchanged);
    }
}

// Stepping down the list with the keyboard chooses each country in turn, each a change
// of its own; MSW1-4 in bit 3 stays as loaded.
void TestSwitchPages::countryListChoices()
{
    const SwitchPageCase& page = fetchedPage();
    const auto widget = openPage(page);
    const SettingsBlock loaded = withPair(factoryBlock(page), page.offset, 0x09, 0x00);
    widget->LoadBlock(loaded);
    auto* list = widget->findChild<QComboBox*>("msw1_country");
    QVERIFY(list != nullptr && !list->isEditable());
    QCOMPARE(list->currentText(), QStringLiteral("日本"));

    QSignalSpy dataChecks(widget.get(), &PageWidget::dataCheckRequested);
    for (const std::uint8_t code : {2, 3, 4, 5}) {
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(dataChecks.count(), code - 1);
        QCOMPARE(storedPair(*widget, loaded, page.offset), Pair(0x08 | code, 0x00));
    }
}

QTEST_MAIN(TestSwitchPages)
#include "tst_switch_pages.moc"
