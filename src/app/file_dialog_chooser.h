#pragma once

#include "core/file_chooser_port.h"

class QWidget;

namespace kbs {

// The settings-file dialogs: one filter "KS設定ファイル (*.dat)", the default suffix "dat"
// and the given initial folder every time; the save dialog asks before overwriting.
class FileDialogChooser : public FileChooserPort {
public:
    explicit FileDialogChooser(QWidget* parent) : parent_(parent) {}

    std::optional<std::string> chooseFileToOpen(std::string_view initialDirectory) override;
    std::optional<std::string> chooseFileToSave(std::string_view initialDirectory) override;

private:
    QWidget* parent_;
};

} // namespace kbs
