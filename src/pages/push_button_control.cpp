#include "pages/push_button_control.h"

#include "widgets/qt_text.h"

namespace kbs {

PushButtonControl::PushButtonControl(const ControlSpec& control, const std::function<void()>& onPress,
                                     QWidget* parent)
    : QPushButton(toQString(control.caption), parent)
{
    setObjectName(toQString(control.name));
    // Enter in the main window does nothing, so no page button may become its default.
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [onPress] { onPress(); });
}

void PushButtonControl::showMember(const Member& member)
{
    if (!member.text.empty())
        setText(toQString(member.text));
}

} // namespace kbs
