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
#include <memory>

namespace kbs {

RadioPairBox::RadioPairBox(const ControlSpec& control, const std::function<void()>& onUserChange,
                           QWidget* parent)
    : QGroupBox(toQString(control.caption), parent), note_(new QLabel(toQString(control.note), this)),
      switchNumber_(new QLabel(this)), remark_(new QLabel(this))
{
    setObjectName(toQString(control.name));
    const DialogUnits units(font());
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(units.x(2), 0, units.x(2), units.y(1));
    rows->setSpacing(0);
    for (int value = 0; value < 2; ++value) {
        auto* button = new QRadioButton(toQString(control.choices[static_cast<std::size_t>(value)]), this);
        button->setObjectName(toQString(control.name) + QLatin1Char('_') + QString::number(value));
        // clicked, not toggled: only the user's clicks and keys count as a change.
        connect(button, &QRadioButton::clicked, this, [onUserChange] { onUserChange(); });
        buttons_[value] = button;
        rows_[value] = new QHBoxLayout;
        rows_[value]->addWidget(button);
        rows_[value]->addStretch();
        rows->addLayout(rows_[value]);
    }
    rows_[2] = new QHBoxLayout;
    rows_[2]->addStretch();
    rows->addLayout(rows_[2]);
    // A box made taller to match its row keeps its buttons at the top.
    rows->addStretch();
    note_->setObjectName(toQString(control.name) + QStringLiteral("_note"));
    // A note with a remark after its switch number ("（MSW3-1）　　（P62DWのみ）") can stand
    // in two parts beside the two buttons, the number where every other group has it.
    const QString note = note_->text();
    const qsizetype gap = note.indexOf(QChar(0x3000));
    if (gap > 0) {
        switchNumber_->setText(note.left(gap));
        remark_->setText(note.mid(gap).trimmed());
    }
    placeNote(NotePlace::BesideFirst);
}

// The note ends its row, so the notes of boxes of one width stand in one column.
void RadioPairBox::placeNote(NotePlace place)
{
    for (QHBoxLayout* row : rows_)
        for (QLabel* label : {note_, switchNumber_, remark_})
            row->removeWidget(label);
    const bool inParts = place == NotePlace::BesideFirst && !remark_->text().isEmpty();
    note_->setVisible(!inParts);
    switchNumber_->setVisible(inParts);
    remark_->setVisible(inParts);
    if (inParts) {
        rows_[0]->addWidget(switchNumber_);
        rows_[1]->addWidget(remark_);
    } else {
        rows_[static_cast<int>(place)]->addWidget(note_);
    }
    // The rows changed; the box's own layout measures them afresh.
    layout()->invalidate();
}

// The boxes of one page that share their note's place, until it is decided.
struct RadioPairBox::NoteGroup {
    std::vector<RadioPairBox*> boxes;
    int maxWidth;
};

void placeNotes(const std::vector<RadioPairBox*>& boxes, int maxWidth)
{
    const auto group = std::make_shared<RadioPairBox::NoteGroup>(boxes, maxWidth);
    for (RadioPairBox* box : boxes)
        box->noteGroup_ = group;
}

// Measuring the texts is most of what a page of boxes costs, and a page the user never opens
// need not pay it: the notes find their place when a layout first asks one of the boxes for
// its size.
void RadioPairBox::placeNotesOnce() const
{
    if (!noteGroup_)
        return;
    const std::shared_ptr<NoteGroup> group = noteGroup_;
    for (RadioPairBox* box : group->boxes)
        box->noteGroup_.reset();
    for (const NotePlace place : {NotePlace::BesideFirst, NotePlace::BesideSecond, NotePlace::OwnRow}) {
        bool fits = true;
        for (RadioPairBox* box : group->boxes) {
            box->placeNote(place);
            // The rows decide; a caption wider than the column is wide wherever the note is.
            fits = fits && box->layout()->totalMinimumSize().width() <= group->maxWidth;
        }
        if (fits)
            return;
    }
}

QSize RadioPairBox::sizeHint() const
{
    placeNotesOnce();
    return QGroupBox::sizeHint();
}

// The style's own hint leaves a wide margin behind the caption, more than a column can
// spare; the caption needs only its label rectangle and the same inset on either side.
QSize RadioPairBox::minimumSizeHint() const
{
    placeNotesOnce();
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
