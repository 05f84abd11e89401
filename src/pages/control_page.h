#pragma once

#include "model/control_table.h"
#include "pagedata/page_data.h"
#include "pages/page_context.h"
#include "pages/page_widget.h"

#include <vector>

namespace kbs {

class ControlWidget;
class NumberBoxControl;

// A page built from control rows: lists, radio pairs, number boxes with their type-ahead
// correction and pending flags, and push buttons.
class ControlPage : public PageWidget {
    Q_OBJECT
public:
    ControlPage(const PageContext& context, const ControlPageTable& table, PageData data,
                QWidget* parent = nullptr);

    void LoadBlock(const SettingsBlock& block) override;
    // Checks every number box first: a refused box shows its message and keeps every member
    // as it was, so the fields are written as before.
    void StoreBlock(SettingsBlock& block) override;
    bool HasPendingEntry() const override;
    void ShowPendingNotice() override;

    const PageData& data() const { return data_; }

signals:
    void buttonPressed(const QString& name);

protected:
    const PageContext& context() const { return context_; }
    PageData& pageData() { return data_; }
    // The widget of a control; nullptr for a hidden one.
    ControlWidget* controlWidget(std::size_t member) const { return shown_.at(member).control; }
    // After the data check that the user's change of a list or radio pair raised.
    virtual void userChanged(std::size_t /*member*/) {}

private:
    struct Shown {
        std::size_t member;
        ControlWidget* control;      // nullptr for a hidden control, which keeps its member
        NumberBoxControl* numberBox; // set for number boxes
    };

    void numberChanged(const Shown& shown);
    // The first number box whose text a store would refuse, with the message.
    const Shown* refusedBox(std::string* message) const;

    PageContext context_;
    const ControlPageTable& table_;
    PageData data_;
    std::vector<Shown> shown_;
    bool refreshing_ = false;
};

} // namespace kbs
