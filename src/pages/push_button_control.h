#pragma once

#include "pages/control_widget.h"

#include <QPushButton>

#include <functional>

namespace kbs {

// A button that runs a page action; its member's text, when set, is its caption.
class PushButtonControl : public QPushButton, public ControlWidget {
    Q_OBJECT
public:
    PushButtonControl(const ControlSpec& control, const std::function<void()>& onPress,
                      QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    void showMember(const Member& member) override;
    void readMember(Member&) const override {}
};

} // namespace kbs
