#pragma once

#include "pagedata/page_control.h"

class QLabel;
class QWidget;

namespace kbs {

// A page control's widget, which shows a member and reads it back.
class ControlWidget {
public:
    virtual ~ControlWidget() = default;
    virtual QWidget* widget() = 0;
    // Shows the member without raising a change notification.
    virtual void showMember(const Member& member) = 0;
    virtual void readMember(Member& member) const = 0;
    // The label in front of the control, if it has one; the page lines labels up.
    virtual QLabel* label() { return nullptr; }
    // The drop-down list of a list control; the page gives its lists one width.
    virtual QWidget* list() { return nullptr; }
};

} // namespace kbs
