#include "widgets/number_box.h"

#include <QLineEdit>

#include <algorithm>

namespace kbs {

NumberBox::NumberBox(QWidget* parent) : QAbstractSpinBox(parent)
{
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] { emit textChanged(); });
}

void NumberBox::setRange(int min, int max)
{
    min_ = min;
    max_ = max;
}

QString NumberBox::text() const
{
    return lineEdit()->text();
}

void NumberBox::setText(const QString& text)
{
    // The same text again is no rewrite: the caret stays where the user left it.
    if (text == lineEdit()->text())
        return;
    lineEdit()->setText(text);
    // A text the program wrote under the user's caret is selected, so the next keys replace it
    // rather than extend it.
    if (hasFocus())
        selectAll();
}

void NumberBox::focusAndSelect()
{
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

QValidator::State NumberBox::validate(QString& input, int&) const
{
    const bool digits =
        std::all_of(input.cbegin(), input.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return digits ? QValidator::Acceptable : QValidator::Invalid;
}

void NumberBox::stepBy(int steps)
{
    // The up-down control starts from the value shown, brought into its range.
    const QString shown = text();
    bool readable = false;
    const long long value = shown.toLongLong(&readable);
    const long long start = readable ? std::clamp<long long>(value, min_, max_) : min_;
    const long long next = std::clamp<long long>(start + steps, min_, max_);
    setText(QString::number(next));
    selectAll();
}

QAbstractSpinBox::StepEnabled NumberBox::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

} // namespace kbs
