#include "core/command_core.h"

#include "core/messages.h"
#include "settingsfile/settings_file.h"

#include <optional>

namespace kbs {

void CommandCore::SaveSettingsFile()
{
    if (closing_)
        return;
    saveSettings();
}

bool CommandCore::saveSettings()
{
    if (stoppedOnPendingEntry())
        return false;
    CollectPages();

    // A denied folder sends the user back to the chooser until a path works or they give up.
    std::optional<std::string> path = ports_.fileChooser.chooseFileToSave(programDirectory_);
    while (path) {
        switch (writeSettingsFile(*path, variant_, editBlock_)) {
        case WriteResult::Ok:
            fileBlock_ = editBlock_;
            return true;
        case WriteResult::Failed:
            tell(messages::kSaveFailed, MessageIcon::Hand);
            return false;
        case WriteResult::AccessDenied:
            tell(variant_.saveDeniedMessage, MessageIcon::Exclamation);
            path = ports_.fileChooser.chooseFileToSave(programDirectory_);
            break;
        }
    }
    return false;
}

void CommandCore::LoadSettingsFile()
{
    if (closing_)
        return;
    if (startupComplete_) {
        CollectPages();
        // Compared with the printer copy: settings only saved to a file still count as unsent.
        if (editBlock_ != sentBlock_ &&
            ports_.window.showMessage(messages::kLoadDiscardsChanges, messages::kCaption, ButtonSet::YesNo,
                                      MessageIcon::Exclamation) != Answer::Yes)
            return;
    }

    const std::optional<std::string> path = ports_.fileChooser.chooseFileToOpen(programDirectory_);
    if (!path)
        return;
    SettingsBlock loaded = editBlock_;
    if (readSettingsFile(*path, variant_, loaded) != ReadResult::Ok) {
        tell(messages::kNotSettingsFile, MessageIcon::Exclamation);
        return;
    }
    editBlock_ = loaded;
    DistributeBlock();
    fileBlock_ = editBlock_;
    OnDataCheck();
    refreshFormButton();
}

} // namespace kbs
