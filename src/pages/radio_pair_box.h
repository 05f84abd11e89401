#pragma once

#include "pages/control_widget.h"

#include <QGroupBox>
#include <QString>

#include <functional>

class QHBoxLayout;
class QLabel;
class QRadioButton;
class QVBoxLayout;

namespace kbs {

// A group box with a radio button for each value; it can show neither button checked.
// Its switch label sits beside a button when the box stays within maxWidth, else on a row
// of its own below the buttons.
class RadioPairBox : public QGroupBox, public ControlWidget {
    Q_OBJECT
public:
    RadioPairBox(const ControlSpec& control, const std::function<void()>& onUserChange, int maxWidth,
                 QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void showMember(const Member& member) override;
    void readMember(Member& member) const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void placeNoteOnce() const;
    // The hint's width: the contents' or the caption's, whichever is wider.
    int hintWidth() const;
    int captionWidth() const;

    QRadioButton* buttons_[2];
    QVBoxLayout* rows_;
    QHBoxLayout* buttonRows_[2];
    QLabel* note_;
    const int maxWidth_;
    mutable bool notePlaced_ = false;
    mutable QString measuredTitle_;
    mutable int measuredHeight_ = 0;
    mutable int captionWidth_ = -1;
};

} // namespace kbs
