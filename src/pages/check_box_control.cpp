#include "pages/check_box_control.h"

#include "pages/qt_text.h"

namespace kbs {

CheckBoxControl::CheckBoxControl(const ControlSpec& control, const std::function<void()>& onUserChange,
                                 QWidget* parent)
    : QCheckBox(qtText(control.caption), parent)
{
    setObjectName(qtText(control.name));
    connect(this, &QCheckBox::clicked, this, [onUserChange] { onUserChange(); });
}

} // namespace kbs
