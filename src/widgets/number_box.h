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
    QString text() const;
    void setText(const QString& text);

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
