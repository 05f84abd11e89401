#pragma once

#include "pages/control_widget.h"

#include <QWidget>

#include <functional>

namespace kbs {

class NumberBox;

// A number box with its label in front and its unit behind. It reports every change of
// its text; the page decides what a change means.
class NumberBoxControl : public QWidget, public ControlWidget {
    Q_OBJECT
public:
    NumberBoxControl(const ControlSpec& control, const std::function<void()>& onChange,
                     QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    void showMember(const Member& member) override;
    void readMember(Member& member) const override;
    QLabel* label() override { return label_; }

    NumberBox* box() const { return box_; }

private:
    NumberBox* box_;
    QLabel* label_;
};

} // namespace kbs
