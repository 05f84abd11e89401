#include "pages/check_box_control.h"

#include "widgets/qt_text.h"

namespace kbs {

CheckBoxControl::CheckBoxControl(const ControlSpec& control, const std::function<void()>& onUserChange,
                                 QWidget* parent)
    : QCheckBox(toQString(control.caption), parent)
{
    setObjectName(toQString(control.name));
    connect(this, &QCheckBox::clicked, this, [onUserChange] { onUserChange(); });
}

} // namespace kbs
