#pragma once

#include "pages/control_widget.h"

#include <QWidget>

#include <functional>

class QComboBox;

namespace kbs {

// A fixed drop-down list with its label in front and its unit and note behind; no entry is
// selected until shown.
class CodeListBox : public QWidget, public ControlWidget {
    Q_OBJECT
public:
    CodeListBox(const ControlSpec& control, const std::function<void()>& onUserChange,
                QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    void showMember(const Member& member) override;
    void readMember(Member& member) const override;
    QLabel* label() override { return label_; }
    QWidget* list() override;

private:
    QComboBox* list_;
    QLabel* label_;
};

} // namespace kbs
