#include "pages/code_list_box.h"

#include "widgets/qt_text.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace kbs {

CodeListBox::CodeListBox(const ControlSpec& control, const std::function<void()>& onUserChange,
                         QWidget* parent)
    : QWidget(parent), list_(new QComboBox(this)),
      label_(control.caption.empty() ? nullptr : new QLabel(toQString(control.caption), this))
{
    list_->setObjectName(toQString(control.name));
    for (const CodeEntry& entry : control.list->entries)
        list_->addItem(toQString(entry.text));
    list_->setCurrentIndex(-1);
    // activated, not currentIndexChanged: only the user's choice counts as a change.
    connect(list_, &QComboBox::activated, this, [onUserChange] { onUserChange(); });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // A list without a label of its own takes the caption of its group box.
    if (label_) {
        label_->setObjectName(toQString(control.name) + QStringLiteral("_label"));
        label_->setBuddy(list_);
        layout->addWidget(label_);
    }
    layout->addWidget(list_);
    if (!control.unit.empty()) {
        auto* unit = new QLabel(toQString(control.unit), this);
        unit->setObjectName(toQString(control.name) + QStringLiteral("_unit"));
        layout->addWidget(unit);
    }
    if (!control.note.empty()) {
        auto* note = new QLabel(toQString(control.note), this);
        note->setObjectName(toQString(control.name) + QStringLiteral("_note"));
        layout->addWidget(note);
    }
    layout->addStretch();
}

QWidget* CodeListBox::list()
{
    return list_;
}

void CodeListBox::showMember(const Member& member)
{
    list_->setCurrentIndex(member.choice);
}

void CodeListBox::readMember(Member& member) const
{
    member.choice = list_->currentIndex();
}

} // namespace kbs
