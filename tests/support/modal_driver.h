#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

namespace kbs::test {

// Plays the user while the code under test waits in a modal dialog or message box. Each
// expected step in turn acts on the modal window on top once the previous step is done;
// message boxes are recorded as they appear. A modal window with no step left is recorded as
// unexpected and closed, so that a test fails instead of hanging.
class ModalDriver : public QObject {
    Q_OBJECT

public:
    struct Box {
        QString text;
        QMessageBox::Icon icon;
        QString caption;
    };
    using Step = std::function<void(QWidget* modal)>;

    ModalDriver();

    // Presses the message box's default button.
    ModalDriver& answerBox();
    // Clicks the push button with this object name in the modal dialog.
    ModalDriver& click(const QString& buttonName);
    ModalDriver& step(Step action);

    const QList<Box>& boxes() const { return boxes_; }
    QStringList boxTexts() const;
    // Steps not run, modal windows nobody expected, steps that met the wrong window.
    QStringList problems() const;

private:
    void poll();
    void act(QWidget* modal);
    // Records a problem and closes the modal window, so that the test goes on.
    void fail(QWidget* modal, const QString& problem);

    QTimer timer_;
    std::deque<Step> steps_;
    QPointer<QWidget> lastTop_;
    QList<Box> boxes_;
    QStringList problems_;
};

} // namespace kbs::test
