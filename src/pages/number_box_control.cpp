#include "pages/number_box_control.h"

#include "pagedata/number_rules.h"
#include "widgets/dialog_units.h"
#include "widgets/number_box.h"
#include "widgets/qt_text.h"

#include <QHBoxLayout>
#include <QLabel>

namespace kbs {

namespace {
// Room for the digits a box takes, in dialog units.
constexpr int kBoxWidthDlu = 30;
} // namespace

NumberBoxControl::NumberBoxControl(const ControlSpec& control, const std::function<void()>& onChange,
                                   QWidget* parent)
    : QWidget(parent), box_(new NumberBox(this)), label_(new QLabel(toQString(control.caption), this))
{
    box_->setObjectName(toQString(control.name));
    box_->setRange(control.number->min, control.number->max);
    box_->setFixedWidth(DialogUnits(font()).x(kBoxWidthDlu));
    connect(box_, &NumberBox::textChanged, this, [onChange] { onChange(); });

    label_->setObjectName(toQString(control.name) + QStringLiteral("_label"));
    label_->setBuddy(box_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label_);
    layout->addWidget(box_);
    if (!control.unit.empty()) {
        auto* unit = new QLabel(toQString(control.unit), this);
        unit->setObjectName(toQString(control.name) + QStringLiteral("_unit"));
        layout->addWidget(unit);
    }
    layout->addStretch();
}

void NumberBoxControl::showMember(const Member& member)
{
    box_->setText(QString::number(member.number));
}

void NumberBoxControl::readMember(Member& member) const
{
    member.number = typedValue(box_->text().toStdString());
}

} // namespace kbs
