#include "widgets/feed_row.h"

#include "widgets/dialog_units.h"
#include "widgets/number_box.h"
#include "widgets/qt_text.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>
#include <span>
#include <vector>

namespace kbs {

namespace {
constexpr int kBoxWidthDlu = 30;
constexpr int kGapDlu = 3;
constexpr int kMarkGapDlu = 2; // between two scale labels of one line
} // namespace

// A slider that says where it draws the tick of a position.
class TickSlider : public QSlider {
public:
    using QSlider::QSlider;

    // The style's view of the slider, were it `width` pixels wide.
    QStyleOptionSlider optionAtWidth(int width) const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.rect = QRect(0, 0, width, sizeHint().height());
        return option;
    }

    // The tick's x of a position in the slider's own coordinates, for an option of optionAtWidth.
    int tickCentre(int position, QStyleOptionSlider& option) const
    {
        option.sliderPosition = position;
        option.sliderValue = position;
        return style()
            ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this)
            .center()
            .x();
    }
};

// The scale labels under a slider: each centred under its position's tick, its unit word
// behind it, never left of the slider's left end. It starts where the slider starts and may
// reach past its right end.
class SliderScale : public QWidget {
public:
    SliderScale(std::string_view field, std::span<const SliderScaleLine> lines, TickSlider* slider,
                QWidget* parent)
        : QWidget(parent), slider_(slider)
    {
        for (const SliderScaleLine& line : lines) {
            std::vector<Mark> marks;
            for (const SliderScaleMark& mark : line) {
                auto* label = new QLabel(toQString(mark.text) + toQString(mark.unitAfter), this);
                label->setObjectName(toQString(field) + QStringLiteral("_scale"));
                marks.push_back(
                    {mark.position, fontMetrics().horizontalAdvance(toQString(mark.text)), label});
            }
            lines_.push_back(std::move(marks));
        }
        slider_->installEventFilter(this);
    }

    QList<QLabel*> labels() const
    {
        QList<QLabel*> all;
        for (const auto& line : lines_)
            for (const Mark& mark : line)
                all << mark.label;
        return all;
    }

    // The narrowest slider whose scale labels keep a gap between neighbours.
    int narrowestSlider() const
    {
        const int gap = DialogUnits(font()).x(kMarkGapDlu);
        // The scan tries many widths: the labels' widths are asked once, not at every width.
        std::vector<std::vector<int>> labelWidths;
        for (const auto& line : lines_) {
            std::vector<int>& widths = labelWidths.emplace_back();
            for (const Mark& mark : line)
                widths.push_back(mark.label->sizeHint().width());
        }
        QStyleOptionSlider option = slider_->optionAtWidth(0);
        for (int width = slider_->maximum() * 4;; ++width) {
            option.rect.setWidth(width);
            bool fits = true;
            for (std::size_t line = 0; line < lines_.size() && fits; ++line) {
                int previousRight = 0;
                for (std::size_t i = 0; i < lines_[line].size() && fits; ++i) {
                    const int markLeft = left(lines_[line][i], option);
                    fits = i == 0 || previousRight + gap <= markLeft;
                    previousRight = markLeft + labelWidths[line][i];
                }
            }
            if (fits || width > 4000)
                return width;
        }
    }

    QSize minimumSizeHint() const override
    {
        // Before the layout has placed the slider its fixed width is what it will get.
        const int sliderWidth = std::max(slider_->width(), slider_->minimumWidth());
        int widest = 0;
        for (const auto& line : lines_)
            for (const Mark& mark : line)
                widest = std::max(widest, right(mark, sliderWidth));
        return {widest, static_cast<int>(lines_.size()) * fontMetrics().height()};
    }
    QSize sizeHint() const override { return minimumSizeHint(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == slider_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
            place();
        return false;
    }
    void resizeEvent(QResizeEvent*) override { place(); }
    void moveEvent(QMoveEvent*) override { place(); }

private:
    struct Mark {
        int position;
        int textWidth; // without the unit, which stands behind the centred text
        QLabel* label;
    };

    int left(const Mark& mark, QStyleOptionSlider& option) const
    {
        return std::max(0, slider_->tickCentre(mark.position, option) - mark.textWidth / 2);
    }
    int left(const Mark& mark, int sliderWidth) const
    {
        QStyleOptionSlider option = slider_->optionAtWidth(sliderWidth);
        return left(mark, option);
    }
    int right(const Mark& mark, int sliderWidth) const
    {
        return left(mark, sliderWidth) + mark.label->sizeHint().width();
    }

    void place()
    {
        const int offset = slider_->x() - x();
        const int height = fontMetrics().height();
        for (std::size_t line = 0; line < lines_.size(); ++line)
            for (const Mark& mark : lines_[line])
                mark.label->setGeometry(offset + left(mark, slider_->width()),
                                        static_cast<int>(line) * height, mark.label->sizeHint().width(),
                                        height);
    }

    TickSlider* slider_;
    std::vector<std::vector<Mark>> lines_;
};

FeedRow::FeedRow(const FormBoxRow& row, std::string_view label, FeedLabelPlace place, QWidget* parent)
    : QWidget(parent), label_(new QLabel(toQString(label), this)),
      slider_(new TickSlider(Qt::Horizontal, this)), box_(new NumberBox(this)),
      unit_(new QLabel(toQString(row.unit), this))
{
    const QString stem = toQString(row.field);
    const DialogUnits units(font());
    label_->setObjectName(stem + QStringLiteral("_label"));
    unit_->setObjectName(stem + QStringLiteral("_unit"));

    slider_->setObjectName(stem + QStringLiteral("_slider"));
    slider_->setRange(0, std::max(0, static_cast<int>(row.stops.size()) - 1));
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setTickInterval(1);
    slider_->setPageStep(1);
    connect(slider_, &QSlider::valueChanged, this, [this](int position) {
        if (!quiet_)
            emit sliderMoved(position);
    });

    box_->setObjectName(stem);
    box_->setRange(row.range.min, row.range.max);
    box_->setFixedWidth(units.x(kBoxWidthDlu));
    connect(box_, &NumberBox::textChanged, this, [this] {
        if (!quiet_)
            emit textEdited();
    });
    label_->setBuddy(slider_);

    scale_ = new SliderScale(row.field, row.scale, slider_, this);
    slider_->setFixedWidth(scale_->narrowestSlider());

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(units.x(kGapDlu));
    grid->setVerticalSpacing(0);
    const int top = place == FeedLabelPlace::Above ? 1 : 0;
    const int first = place == FeedLabelPlace::Above ? 0 : 1;
    if (place == FeedLabelPlace::Above)
        grid->addWidget(label_, 0, 0, 1, 3);
    else
        grid->addWidget(label_, 0, 0);
    grid->addWidget(slider_, top, first);
    grid->addWidget(box_, top, first + 1, Qt::AlignTop);
    grid->addWidget(unit_, top, first + 2);
    // The scale may reach under the box and the unit.
    grid->addWidget(scale_, top + 1, first, 1, 3);
    grid->setColumnStretch(first + 3, 1);
}

QSlider* FeedRow::slider() const
{
    return slider_;
}

QList<QLabel*> FeedRow::scaleLabels() const
{
    return scale_->labels();
}

void FeedRow::showText(const QString& text)
{
    quiet_ = true;
    box_->setText(text);
    quiet_ = false;
}

void FeedRow::showPosition(int position)
{
    quiet_ = true;
    slider_->setValue(position);
    quiet_ = false;
}

int FeedRow::sliderWidth() const
{
    return slider_->minimumWidth();
}

void FeedRow::setSliderWidth(int width)
{
    slider_->setFixedWidth(width);
    scale_->updateGeometry();
}

} // namespace kbs
