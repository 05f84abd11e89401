#pragma once

#include "core/window_port.h"
#include "model/model_variant.h"

#include <QDialog>

#include <string_view>

namespace kbs {

// Where a page shows its notices: a modal message box over the main window.
class MessagePort {
public:
    virtual ~MessagePort() = default;
    virtual Answer showMessage(std::string_view text, std::string_view caption, ButtonSet buttons,
                               MessageIcon icon) = 0;
};

// Runs a page's dialog (the form settings) modally and returns its result code.
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    virtual int runDialog(QDialog& dialog) = 0;
};

class ModalDialogRunner : public DialogRunner {
public:
    int runDialog(QDialog& dialog) override { return dialog.exec(); }
};

// What the factory hands every page it builds.
struct PageContext {
    const ModelVariant& variant;
    MessagePort& messages;
    DialogRunner& dialogs;
};

} // namespace kbs
