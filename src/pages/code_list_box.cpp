#include "pages/code_list_box.h"

#include "widgets/qt_text.h"
#include "pagedata/code_list.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace kbs {

CodeListBox::CodeListBox(const ControlSpec& control, const std::function<void()>& onUserChange,
                         QWidget* parent)
    : QWidget(parent), list_(new QComboBox(this))
{
    list_->setObjectName(toQString(control.name));
    for (const CodeEntry& entry : control.list->entries)
        list_->addItem(toQString(entry.text));
    list_->setCurrentIndex(-1);
    // activated, not currentIndexChanged: only the user's choice counts as a change.
    connect(list_, &QComboBox::activated, this, [onUserChange] { onUserChange(); });

    auto* label = new QLabel(toQString(control.caption), this);
    label->setObjectName(toQString(control.name) + QStringLiteral("_label"));
    label->setBuddy(list_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(list_);
    layout->addStretch();
}

void CodeListBox::showMember(const Member& member)
{
    list_->setCurrentIndex(list_->findText(toQString(member.text)));
}

void CodeListBox::readMember(Member& member) const
{
    member.text = list_->currentIndex() >= 0 ? list_->currentText().toStdString() : std::string();
}

} // namespace kbs
