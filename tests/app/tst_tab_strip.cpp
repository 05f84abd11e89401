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
    void noChoiceBeyondTheEndsOrFromCode();

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

// Only the user's choice is signalled; keys and indexes beyond either end change nothing.
void TstTabStrip::noChoiceBeyondTheEndsOrFromCode()
{
    QSignalSpy chosen(strip_.get(), &TabStrip::tabActivated);
    strip_->setFocus();
    QTest::keyClick(strip_.get(), Qt::Key_Left);
    strip_->setCurrentIndex(kLabels.size() - 1);
    strip_->setCurrentIndex(99);
    QTest::keyClick(strip_.get(), Qt::Key_Right);
    QCOMPARE(strip_->currentIndex(), kLabels.size() - 1);
    QCOMPARE(chosen.count(), 0);

    QTest::keyClick(strip_.get(), Qt::Key_Left);
    QCOMPARE(strip_->currentIndex(), kLabels.size() - 2);
    QCOMPARE(chosen.count(), 1);
}

QTEST_MAIN(TstTabStrip)
#include "tst_tab_strip.moc"
