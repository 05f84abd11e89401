#pragma once

#include "pages/control_widget.h"

#include <QCheckBox>

#include <functional>

namespace kbs {

class CheckBoxControl : public QCheckBox, public ControlWidget {
    Q_OBJECT
public:
    CheckBoxControl(const ControlSpec& control, const std::function<void()>& onUserChange,
                    QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    void showMember(const Member& member) override { setChecked(member.choice == 1); }
    void readMember(Member& member) const override { member.choice = isChecked() ? 1 : 0; }
};

} // namespace kbs
