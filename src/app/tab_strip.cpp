#include "app/tab_strip.h"

#include "app/tab_rows.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTab>
#include <QTabBar>

namespace kbs {

namespace {
constexpr int kIconSize = 16;
constexpr int kSideMargin = 2;  // the rows start this far in from the strip's edges
constexpr int kTabPaddingY = 3; // above and below the taller of label and icon
} // namespace

TabStrip::TabStrip(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    relayout();
}

TabStrip::~TabStrip() = default;

void TabStrip::addTab(const QIcon& icon, const QString& text)
{
    tabs_.push_back({icon, text, {}});
    if (current_ < 0)
        current_ = 0;
    relayout();
}

void TabStrip::setCurrentIndex(int index)
{
    if (index < 0 || index >= count() || index == current_)
        return;
    current_ = index;
    relayout();
}

int TabStrip::rowCount() const
{
    return static_cast<int>(rows_->rowCount());
}

int TabStrip::displayRowOf(int index) const
{
    const std::size_t tab = static_cast<std::size_t>(index);
    return static_cast<int>(rows_->displayPosition(rows_->rowOf(tab), static_cast<std::size_t>(current_)));
}

QRect TabStrip::tabRect(int index) const
{
    return tabs_.at(static_cast<std::size_t>(index)).rect;
}

int TabStrip::tabAt(const QPoint& position) const
{
    // The selected tab is drawn on top of its neighbours, so it wins where they overlap.
    if (current_ >= 0 && tabRect(current_).contains(position))
        return current_;
    for (int index = 0; index < count(); ++index)
        if (tabRect(index).contains(position))
            return index;
    return -1;
}

QSize TabStrip::naturalTabSize(const Tab& tab) const
{
    QStyleOptionTab option;
    option.initFrom(this);
    option.shape = QTabBar::RoundedNorth;
    option.text = tab.text;
    option.icon = tab.icon;
    option.iconSize = QSize(kIconSize, kIconSize);
    const int hspace = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this);
    const int vspace = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &option, this);
    const int iconPadding = tab.icon.isNull() ? 0 : 4;
    const QSize contents(fontMetrics().horizontalAdvance(tab.text) + kIconSize + iconPadding + hspace,
                         std::max(fontMetrics().height(), kIconSize) + vspace);
    return style()->sizeFromContents(QStyle::CT_TabBarTab, &option, contents, this);
}

void TabStrip::relayout()
{
    std::vector<int> widths;
    for (const Tab& tab : tabs_)
        widths.push_back(naturalTabSize(tab).width());
    // Rows as low as the classic tab control's, so two rows fit above the pages.
    rowHeight_ = std::max(fontMetrics().height(), kIconSize) + 2 * kTabPaddingY;
    rows_ = std::make_unique<TabRows>(widths, width() - 2 * kSideMargin);
    const std::vector<TabRows::Span> spans = rows_->spans();
    for (std::size_t tab = 0; tab < tabs_.size(); ++tab) {
        const int top = displayRowOf(static_cast<int>(tab)) * rowHeight_;
        tabs_[tab].rect = QRect(kSideMargin + spans[tab].left, top, spans[tab].width, rowHeight_);
    }
    update();
}

QRect TabStrip::paneRect() const
{
    QStyleOptionTab option;
    option.initFrom(this);
    option.shape = QTabBar::RoundedNorth;
    const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, &option, this);
    const int top = rowCount() * rowHeight_ - overlap;
    return QRect(0, top, width(), height() - top);
}

void TabStrip::activate(int index)
{
    if (index < 0 || index >= count() || index == current_)
        return;
    setCurrentIndex(index);
    emit tabActivated(index);
}

void TabStrip::drawTab(QPainter& painter, int index) const
{
    const std::size_t tab = static_cast<std::size_t>(index);
    const std::vector<std::size_t>& row = rows_->tabsInRow(rows_->rowOf(tab));
    QStyleOptionTab option;
    option.initFrom(this);
    option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    option.shape = QTabBar::RoundedNorth;
    option.features |= QStyleOptionTab::HasFrame;
    // Drawn at the origin, as a tab bar's tabs are: some styles fill below a selected tab
    // by its distance from the top.
    option.rect = QRect(QPoint(0, 0), tabs_[tab].rect.size());
    option.text = tabs_[tab].text;
    option.icon = tabs_[tab].icon;
    option.iconSize = QSize(kIconSize, kIconSize);
    if (index == current_) {
        option.state |= QStyle::State_Selected;
        if (hasFocus())
            option.state |= QStyle::State_HasFocus;
    }
    if (index == hovered_ && isEnabled())
        option.state |= QStyle::State_MouseOver;
    if (row.size() == 1)
        option.position = QStyleOptionTab::OnlyOneTab;
    else if (tab == row.front())
        option.position = QStyleOptionTab::Beginning;
    else if (tab == row.back())
        option.position = QStyleOptionTab::End;
    else
        option.position = QStyleOptionTab::Middle;
    if (current_ >= 0 && rows_->rowOf(static_cast<std::size_t>(current_)) == rows_->rowOf(tab)) {
        if (index + 1 == current_)
            option.selectedPosition = QStyleOptionTab::NextIsSelected;
        else if (index - 1 == current_)
            option.selectedPosition = QStyleOptionTab::PreviousIsSelected;
    }
    painter.save();
    painter.translate(tabs_[tab].rect.topLeft());
    style()->drawControl(QStyle::CE_TabBarTab, &option, &painter, this);
    painter.restore();
}

void TabStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);

    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = paneRect();
    frame.shape = QTabBar::RoundedNorth;
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    frame.tabBarSize = QSize(width(), rowCount() * rowHeight_);
    if (current_ >= 0)
        frame.selectedTabRect = tabRect(current_);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);

    // Upper rows first, so each row's tabs cover the feet of the row above; the selected
    // tab last, joined to the page frame.
    for (int position = 0; position < rowCount(); ++position)
        for (int index = 0; index < count(); ++index)
            if (index != current_ && displayRowOf(index) == position)
                drawTab(painter, index);
    if (current_ >= 0)
        drawTab(painter, current_);
}

void TabStrip::resizeEvent(QResizeEvent*)
{
    relayout();
}

void TabStrip::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        activate(tabAt(event->position().toPoint()));
}

void TabStrip::mouseMoveEvent(QMouseEvent* event)
{
    const int hovered = tabAt(event->position().toPoint());
    if (hovered != hovered_) {
        hovered_ = hovered;
        update();
    }
}

void TabStrip::leaveEvent(QEvent*)
{
    hovered_ = -1;
    update();
}

void TabStrip::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        activate(current_ - 1);
        break;
    case Qt::Key_Right:
        activate(current_ + 1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TabStrip::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        relayout();
    QWidget::changeEvent(event);
}

} // namespace kbs
