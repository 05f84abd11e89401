#include "app/tab_strip.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

using kbs::TabStrip;

namespace {
const QStringList kLabels = {"機能選択", "パラメータ設定１", "パラメータ設定２", "ＭＳＷ１",
                             "ＭＳＷ２", "ＭＳＷ３",         "ＭＳＷ４",         "ＭＳＷ５"};
}

class TstTabStrip : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void selectedRowMovesNextToThePage_data();
    void selectedRowMovesNextToThePage();
    void arrowKeysChooseNeighbours();
    void clickChoosesTabAndTakesFocus();
    void selectingFromCodeIsNoUserChoice();

private:
    std::unique_ptr<TabStrip> strip_;
};

void TstTabStrip::init()
{
    strip_ = std::make_unique<TabStrip>();
    strip_->resize(380, 360);
    for (const QString& label : kLabels)
        strip_->addTab(QIcon(), label);
    strip_->show();
    QVERIFY(QTest::qWaitForWindowExposed(strip_.get()));
}

void TstTabStrip::cleanup()
{
    strip_.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TstTabStrip::selectedRowMovesNextToThePage_data()
{
    QTest::addColumn<int>("selected");
    for (int tab = 0; tab < kLabels.size(); ++tab)
        QTest::addRow("tab %d", tab) << tab;
}

void TstTabStrip::selectedRowMovesNextToThePage()
{
    QFETCH(int, selected);
    QVERIFY2(strip_->rowCount() >= 2, "eight labels do not fit in one row of 380 pixels");
    strip_->setCurrentIndex(selected);

    QCOMPARE(strip_->displayRowOf(selected), strip_->rowCount() - 1);
    for (int tab = 0; tab < strip_->count(); ++tab) {
        QVERIFY(strip_->tabRect(tab).bottom() <= strip_->tabRect(selected).bottom());
        // The tabs of one row stay together whichever row is at the bottom.
        QCOMPARE(strip_->tabRect(tab).top() == strip_->tabRect(selected).top(),
                 strip_->displayRowOf(tab) == strip_->displayRowOf(selected));
    }
    QCOMPARE(strip_->tabAt(strip_->tabRect(selected).center()), selected);
}

void TstTabStrip::arrowKeysChooseNeighbours()
{
    QSignalSpy chosen(strip_.get(), &TabStrip::tabActivated);
    strip_->setFocus();

    QTest::keyClick(strip_.get(), Qt::Key_Left); // nothing left of the first tab
    QCOMPARE(chosen.count(), 0);
    QTest::keyClick(strip_.get(), Qt::Key_Right);
    QTest::keyClick(strip_.get(), Qt::Key_Right);
    QCOMPARE(strip_->currentIndex(), 2);
    QCOMPARE(chosen.count(), 2);
    QCOMPARE(chosen.at(1).at(0).toInt(), 2);

    strip_->setCurrentIndex(kLabels.size() - 1);
    chosen.clear();
    QTest::keyClick(strip_.get(), Qt::Key_Right); // nothing right of the last tab
    QCOMPARE(chosen.count(), 0);
    QTest::keyClick(strip_.get(), Qt::Key_Left);
    QCOMPARE(strip_->currentIndex(), kLabels.size() - 2);
}

void TstTabStrip::clickChoosesTabAndTakesFocus()
{
    QSignalSpy chosen(strip_.get(), &TabStrip::tabActivated);
    const int target = kLabels.size() - 1; // in another row than the selected first tab
    QVERIFY(strip_->displayRowOf(target) != strip_->displayRowOf(0));

    QTest::mouseClick(strip_.get(), Qt::LeftButton, {}, strip_->tabRect(target).center());
    QCOMPARE(strip_->currentIndex(), target);
    QCOMPARE(chosen.count(), 1);
    QVERIFY(strip_->hasFocus());

    QTest::mouseClick(strip_.get(), Qt::LeftButton, {}, strip_->tabRect(target).center());
    QCOMPARE(chosen.count(), 1); // the selected tab again is no new choice
}

void TstTabStrip::selectingFromCodeIsNoUserChoice()
{
    QSignalSpy chosen(strip_.get(), &TabStrip::tabActivated);
    strip_->setCurrentIndex(4);
    strip_->setCurrentIndex(99);
    QCOMPARE(strip_->currentIndex(), 4);
    QCOMPARE(chosen.count(), 0);
}

QTEST_MAIN(TstTabStrip)
#include "tst_tab_strip.moc"
