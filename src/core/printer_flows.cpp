#include "core/command_core.h"

#include "core/messages.h"
#include "core/raw_job.h"
#include "model/command_ids.h"

#include <memory>

namespace kbs {

namespace {

std::string withValue(std::string_view pattern, const std::string& value)
{
    std::string text(pattern);
    const std::size_t at = text.find("%s");
    return text.replace(at, 2, value);
}
} // namespace

void CommandCore::SendSettingsToPrinter()
{
    if (closing_)
        return;
    sendSettings();
}

bool CommandCore::sendSettings()
{
    if (stoppedOnPendingEntry())
        return false;

    if (currentPrinter_.name.empty() || currentPrinter_.connection.empty()) {
        tell(messages::kNoPrinterChosen, MessageIcon::Exclamation);
        OnSelectPrinter();
        if (closing_)
            return false;
    }
    if (currentPrinter_.connection == kFilePort) {
        tell(messages::kFilePortCannotSend, MessageIcon::Information);
        return false;
    }

    CollectPages();
    if (!sendJob()) {
        tell(messages::kPrinterUnavailable, MessageIcon::Exclamation);
        OnSelectPrinter();
        return false;
    }
    tell(messages::kSendSucceeded, MessageIcon::Information);
    sentBlock_ = editBlock_;
    ports_.window.setCommandEnabled(cmd::Send, false);
    neverSent_ = false;
    return true;
}

bool CommandCore::sendJob()
{
    // The queue is closed inside, on every path and before any message.
    return sendRawJob(ports_.spooler, currentPrinter_.name, editBlock_.bytes());
}

void CommandCore::OnSelectPrinter()
{
    if (closing_)
        return;
    if (startupComplete_) {
        CollectPages();
        if (!offerSendAndSave(messages::kSendBeforePrinterChange, messages::kSaveBeforePrinterChange))
            return;
    }
    choosePrinter();
}

void CommandCore::choosePrinter()
{
    const SelectionResult result = ports_.printerSelector.runSelection(currentPrinter_, startupComplete_);
    switch (result.end) {
    case SelectionEnd::EndProgram:
        closeWindow(1);
        return;
    case SelectionEnd::Cancel:
        // Without a chosen printer the window would be useless: this only happens at
        // start-up, where the choice is empty or a refused "FILE:" row.
        if (result.choice.empty() || (!startupComplete_ && result.choice.connection == kFilePort))
            closeWindow(0);
        return;
    case SelectionEnd::Ok:
        ports_.window.setCommandEnabled(cmd::SelectPrinter, result.listedCount > 1);
        ports_.window.setStatusText(0, withValue(messages::kStatusPrinterName, result.choice.name));
        ports_.window.setStatusText(1, withValue(messages::kStatusConnection, result.choice.connection));
        currentPrinter_ = result.choice;
        if (startupComplete_)
            ResetToFactoryDefaults();
        return;
    }
}

} // namespace kbs
