#include "widgets/message_box.h"

#include "widgets/qt_text.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QString>

namespace kbs {

namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Hand:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

struct ButtonLayout {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::StandardButton escapeButton; // NoButton: a question that must be answered
};

// Qt makes "No" the escape button of a Yes/No box; a question without Cancel must be
// answered, so Esc and the close box do nothing there.
class ProgramMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!escapeButton() && event->matches(QKeySequence::Cancel))
            return;
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        if (!escapeButton() && !clickedButton()) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }
};

ButtonLayout toQtButtons(ButtonSet set)
{
    switch (set) {
    case ButtonSet::Ok:
        return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
    case ButtonSet::OkCancel:
        return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
    case ButtonSet::YesNo:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::NoButton};
    case ButtonSet::YesNoCancel:
        return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                QMessageBox::Cancel};
    }
    return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
}

Answer toAnswer(int pressed)
{
    switch (pressed) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

} // namespace

Answer showMessageBox(QWidget* parent, std::string_view text, std::string_view caption, ButtonSet buttons,
                      MessageIcon icon)
{
    const ButtonLayout layout = toQtButtons(buttons);
    ProgramMessageBox box(toQtIcon(icon), toQString(caption), toQString(text), layout.buttons, parent);
    box.setDefaultButton(layout.defaultButton);
    if (layout.escapeButton != QMessageBox::NoButton)
        box.setEscapeButton(layout.escapeButton);
    return toAnswer(box.exec());
}

} // namespace kbs
