#include "pages/radio_pair_box.h"

#include <QApplication>
#include <QTest>

#include <memory>

using namespace kbs;

namespace {

ControlSpec radioPair(std::string_view caption)
{
    ControlSpec control;
    control.kind = ControlKind::RadioPair;
    control.name = "msw1_1";
    control.caption = caption;
    control.note = "（MSW1-1）";
    control.choices = {"有効", "無効"};
    return control;
}

std::unique_ptr<RadioPairBox> boxIn(QWidget* parent, std::string_view caption)
{
    return std::make_unique<RadioPairBox>(
        radioPair(caption), [] {}, parent);
}

} // namespace

class TstRadioPairBox : public QObject {
    Q_OBJECT
private slots:
    // The hint keeps no stale caption width: after a new caption or font it is what a box
    // built with them from the start reports.
    void hintFollowsCaptionAndFont()
    {
        const QString longCaption = QStringLiteral("給紙位置と用紙の種類による印刷開始位置の切り替え");
        auto box = boxIn(nullptr, "短い");
        const int shortWidth = box->minimumSizeHint().width();

        box->setTitle(longCaption);
        auto fresh = boxIn(nullptr, longCaption.toStdString());
        QCOMPARE(box->minimumSizeHint(), fresh->minimumSizeHint());
        QVERIFY(box->minimumSizeHint().width() > shortWidth);

        const int normalWidth = box->minimumSizeHint().width();
        QFont large = box->font();
        large.setPointSize(large.pointSize() * 2);
        box->setFont(large);
        QWidget largeParent;
        largeParent.setFont(large);
        const std::string caption = longCaption.toStdString();
        auto freshLarge = boxIn(&largeParent, caption);
        // Only the width: the box's inner margins stay those of the font it was built with.
        QCOMPARE(box->minimumSizeHint().width(), freshLarge->minimumSizeHint().width());
        QVERIFY(box->minimumSizeHint().width() > normalWidth);
        freshLarge.reset(); // before its parent
    }
};

QTEST_MAIN(TstRadioPairBox)
#include "tst_radio_pair_box.moc"
