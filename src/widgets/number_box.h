#pragma once

#include <QAbstractSpinBox>

namespace kbs {

// A digit-only edit box with an up-down control. The up-down control keeps to the range;
// what is typed is left to the page's correction rules, so the box reports every change
// of its text and corrects nothing itself.
class NumberBox : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit NumberBox(QWidget* parent = nullptr);

    void setRange(int min, int max);
    int minimum() const { return min_; }
    int maximum() const { return max_; }
    QString text() const;
    // Shows a text of the program's (a loaded value or a correction), selected whole while
    // the box has the focus.
    void setText(const QString& text);
    // Gives the box the focus with its whole text selected, as after a notice about it.
    void focusAndSelect();

    QValidator::State validate(QString& input, int& pos) const override;
    void stepBy(int steps) override;

signals:
    // Any change of the text: typing, pasting, the up-down control or setText.
    void textChanged();

protected:
    StepEnabled stepEnabled() const override;

private:
    int min_ = 0;
    int max_ = 0;
};

} // namespace kbs
