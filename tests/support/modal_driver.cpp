#include "support/modal_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPushButton>

namespace kbs::test {

ModalDriver::ModalDriver()
{
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, &ModalDriver::poll);
    timer_.start();
}

ModalDriver& ModalDriver::step(Step action)
{
    steps_.push_back(std::move(action));
    return *this;
}

ModalDriver& ModalDriver::answerBox()
{
    return step([this](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box)
            box->defaultButton()->click();
        else
            fail(modal, QStringLiteral("expected a message box, found ") + modal->objectName());
    });
}

ModalDriver& ModalDriver::click(const QString& buttonName)
{
    return step([this, buttonName](QWidget* modal) {
        auto* button = modal->findChild<QPushButton*>(buttonName);
        if (button)
            button->click();
        else
            fail(modal, QStringLiteral("no button %1 in %2").arg(buttonName, modal->objectName()));
    });
}

void ModalDriver::poll()
{
    QWidget* top = QApplication::activeModalWidget();
    if (top == lastTop_)
        return;
    lastTop_ = top;
    if (!top)
        return;
    if (auto* box = qobject_cast<QMessageBox*>(top))
        boxes_.append({box->text(), box->icon(), box->windowTitle()});
    // Acting outside the timer's own call lets the action open nested modal windows.
    QTimer::singleShot(0, top, [this, top] { act(top); });
}

void ModalDriver::act(QWidget* modal)
{
    if (steps_.empty()) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        fail(modal, QStringLiteral("unexpected modal window ") + (box ? box->text() : modal->objectName()));
    } else {
        const Step action = std::move(steps_.front());
        steps_.pop_front();
        action(modal);
    }
    // The next step acts on whatever is on top then, the same window included.
    lastTop_ = nullptr;
}

QStringList ModalDriver::boxTexts() const
{
    QStringList texts;
    for (const Box& box : boxes_)
        texts << box.text;
    return texts;
}

void ModalDriver::fail(QWidget* modal, const QString& problem)
{
    problems_ << problem;
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
}

QStringList ModalDriver::problems() const
{
    QStringList all = problems_;
    if (!steps_.empty())
        all << QStringLiteral("%1 step(s) not run").arg(steps_.size());
    return all;
}

} // namespace kbs::test
