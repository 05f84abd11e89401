#include "pages/radio_pair_box.h"

#include "widgets/dialog_units.h"
#include "widgets/qt_text.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include <algorithm>

namespace kbs {

RadioPairBox::RadioPairBox(const ControlSpec& control, const std::function<void()>& onUserChange,
                           int maxWidth, QWidget* parent)
    : QGroupBox(toQString(control.caption), parent), maxWidth_(maxWidth)
{
    setObjectName(toQString(control.name));
    const DialogUnits units(font());
    rows_ = new QVBoxLayout(this);
    rows_->setContentsMargins(units.x(2), 0, units.x(2), units.y(1));
    rows_->setSpacing(0);
    for (int value = 0; value < 2; ++value) {
        auto* button = new QRadioButton(toQString(control.choices[static_cast<std::size_t>(value)]), this);
        button->setObjectName(toQString(control.name) + QLatin1Char('_') + QString::number(value));
        // clicked, not toggled: only the user's clicks and keys count as a change.
        connect(button, &QRadioButton::clicked, this, [onUserChange] { onUserChange(); });
        buttons_[value] = button;
        buttonRows_[value] = new QHBoxLayout;
        buttonRows_[value]->addWidget(button);
        buttonRows_[value]->addStretch();
        rows_->addLayout(buttonRows_[value]);
    }

    note_ = new QLabel(toQString(control.note), this);
    note_->setObjectName(toQString(control.name) + QStringLiteral("_note"));
}

// Measuring the texts is most of what a box costs, and a page the user never opens need not
// pay it: the note finds its place when a layout first asks for the box's size.
void RadioPairBox::placeNoteOnce() const
{
    if (notePlaced_)
        return;
    notePlaced_ = true;
    // Beside the first button if the box stays within the column, else beside the second,
    // else on a row of its own.
    for (QHBoxLayout* row : buttonRows_) {
        row->addWidget(note_);
        rows_->invalidate(); // a box laid out before would keep its old size
        if (hintWidth() <= maxWidth_)
            return;
        row->removeWidget(note_);
    }
    auto* noteRow = new QHBoxLayout;
    noteRow->addStretch();
    noteRow->addWidget(note_);
    rows_->addLayout(noteRow);
}

QSize RadioPairBox::sizeHint() const
{
    placeNoteOnce();
    return QGroupBox::sizeHint();
}

// The style's own hint leaves a wide margin behind the caption, more than a column can
// spare; the caption needs only its label rectangle and the same inset on either side.
QSize RadioPairBox::minimumSizeHint() const
{
    placeNoteOnce();
    return {hintWidth(), QGroupBox::minimumSizeHint().height()};
}

int RadioPairBox::hintWidth() const
{
    return std::max(QWidget::minimumSizeHint().width(), captionWidth());
}

// Laying out the caption text is the costly part of the hint, and every page asks each box
// for it while it places the boxes: measured once until the caption, font or style change.
int RadioPairBox::captionWidth() const
{
    if (captionWidth_ >= 0 && measuredTitle_ == title() && measuredHeight_ == height())
        return captionWidth_;
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    option.rect = QRect(0, 0, QWIDGETSIZE_MAX, height());
    const QRect label = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    measuredTitle_ = title();
    measuredHeight_ = height();
    captionWidth_ = label.right() + 1 + label.left();
    return captionWidth_;
}

void RadioPairBox::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::LayoutDirectionChange:
        captionWidth_ = -1;
        break;
    default:
        break;
    }
    QGroupBox::changeEvent(event);
}

void RadioPairBox::showMember(const Member& member)
{
    if (member.choice == Member::kNoChoice) {
        // An auto-exclusive button refuses to be unchecked.
        for (QRadioButton* button : buttons_) {
            button->setAutoExclusive(false);
            button->setChecked(false);
            button->setAutoExclusive(true);
        }
        return;
    }
    buttons_[member.choice != 0 ? 1 : 0]->setChecked(true);
}

void RadioPairBox::readMember(Member& member) const
{
    if (buttons_[1]->isChecked())
        member.choice = 1;
    else if (buttons_[0]->isChecked())
        member.choice = 0;
    else
        member.choice = Member::kNoChoice;
}

} // namespace kbs
