#pragma once

#include "pages/control_widget.h"

#include <QGroupBox>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QHBoxLayout;
class QLabel;
class QRadioButton;

namespace kbs {

// Where a box shows its note ("（MSW1-3）"): at the end of a button's row or on a row of its own.
enum class NotePlace { BesideFirst, BesideSecond, OwnRow };

// A group box with a radio button for each value; it can show neither button checked.
class RadioPairBox : public QGroupBox, public ControlWidget {
    Q_OBJECT
public:
    RadioPairBox(const ControlSpec& control, const std::function<void()>& onUserChange,
                 QWidget* parent = nullptr);

    void placeNote(NotePlace place);

    QWidget* widget() override { return this; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void showMember(const Member& member) override;
    void readMember(Member& member) const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    struct NoteGroup;
    friend void placeNotes(const std::vector<RadioPairBox*>& boxes, int maxWidth);
    void placeNotesOnce() const;
    // The hint's width: the contents' or the caption's, whichever is wider.
    int hintWidth() const;
    int captionWidth() const;

    QRadioButton* buttons_[2];
    QHBoxLayout* rows_[3]; // the two buttons' rows and the note's own
    QLabel* note_;
    QLabel* switchNumber_; // the note's parts, when it stands in two
    QLabel* remark_;
    mutable std::shared_ptr<NoteGroup> noteGroup_; // until the notes' place is decided
    mutable QString measuredTitle_;
    mutable int measuredHeight_ = 0;
    mutable int captionWidth_ = -1;
};

// One place for the notes of all the boxes of a page, so that every group looks alike: the
// first place that keeps every box within maxWidth, decided when a layout first asks for a box's
// size.
void placeNotes(const std::vector<RadioPairBox*>& boxes, int maxWidth);

} // namespace kbs
