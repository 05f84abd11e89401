#include "core/command_core.h"

#include "core/messages.h"
#include "model/command_ids.h"

#include <optional>
#include <utility>

namespace kbs {

CommandCore::CommandCore(const ModelVariant& variant, Ports ports, std::string programDirectory)
    : variant_(variant), ports_(ports), programDirectory_(std::move(programDirectory)),
      editBlock_(variant.factoryDefaults), fileBlock_(variant.factoryDefaults),
      sentBlock_(variant.factoryDefaults)
{
}

void CommandCore::BeginStartup()
{
    startupComplete_ = false;
    editBlock_.assign(variant_.factoryDefaults);
    fileBlock_.assign(variant_.factoryDefaults);
    sentBlock_.assign(variant_.factoryDefaults);
    ports_.window.setCommandEnabled(cmd::Send, true);
    neverSent_ = true;
}

void CommandCore::CompleteStartup()
{
    if (closing_)
        return;
    DistributeBlock();
    OnSelectPrinter();
    if (closing_)
        return;
    refreshFormButton();
    startupComplete_ = true;
}

void CommandCore::CollectPages()
{
    for (std::size_t tab = 0; tab < ports_.pages.pageCount(); ++tab)
        ports_.pages.page(tab).StoreBlock(editBlock_);
}

void CommandCore::DistributeBlock()
{
    for (std::size_t tab = 0; tab < ports_.pages.pageCount(); ++tab)
        ports_.pages.page(tab).LoadBlock(editBlock_);
}

void CommandCore::UpdateSendCommand()
{
    ports_.window.setCommandEnabled(cmd::Send, neverSent_ || editBlock_ != sentBlock_);
}

void CommandCore::OnDataCheck()
{
    if (closing_)
        return;
    if (startupComplete_)
        CollectPages();
    UpdateSendCommand();
}

void CommandCore::OnFactoryDefaults()
{
    if (closing_)
        return;
    const Answer answer = ports_.window.showMessage(messages::kFactoryDefaultsQuestion, messages::kCaption,
                                                    ButtonSet::OkCancel, MessageIcon::Exclamation);
    if (answer != Answer::Ok)
        return;
    ResetToFactoryDefaults();
}

void CommandCore::ResetToFactoryDefaults()
{
    if (closing_)
        return;
    editBlock_.assign(variant_.factoryDefaults);
    DistributeBlock();
    ports_.window.ShowPage(0);
    tell(messages::kFactoryDefaultsShown, MessageIcon::Information);
    OnDataCheck();
    refreshFormButton();
}

void CommandCore::OnExit()
{
    if (closing_)
        return;
    CollectPages();
    if (!offerSendAndSave(messages::kSendBeforeExit, messages::kSaveBeforeExit))
        return;
    closeWindow(0);
}

bool CommandCore::offerSendAndSave(std::string_view sendQuestion, std::string_view saveQuestion)
{
    // Both questions are decided before the first is asked: a send or a printer change in
    // between must not change which of them the user sees.
    const bool offerSend = editBlock_ != sentBlock_;
    const bool offerSave = editBlock_ != fileBlock_;

    struct Offer {
        bool applies;
        std::string_view question;
        bool (CommandCore::*run)();
    };
    for (const Offer& offer : {Offer{offerSend, sendQuestion, &CommandCore::sendSettings},
                               Offer{offerSave, saveQuestion, &CommandCore::saveSettings}}) {
        if (!offer.applies)
            continue;
        switch (askYesNoCancel(offer.question)) {
        case Reply::Cancel:
            return false;
        case Reply::Yes:
            // Only a send or save that happened lets the flow go on: after a pending entry,
            // a failed send (which ran a printer change of its own) or a save that was
            // cancelled or failed, the window stays open with every copy as it was.
            if (!(this->*offer.run)() || closing_)
                return false;
            break;
        case Reply::No:
            break;
        }
    }
    return true;
}

bool CommandCore::stoppedOnPendingEntry()
{
    // A typed value a store would not take (the parameter pages' entries still out of range,
    // a form tab box left empty) stops the command with its page in front, first in tab order.
    for (std::size_t tab = 0; tab < ports_.pages.pageCount(); ++tab) {
        SettingsPage& page = ports_.pages.page(tab);
        if (!page.HasPendingEntry())
            continue;
        if (ports_.window.selectedTab() != tab)
            ports_.window.ShowPage(tab);
        page.ShowPendingNotice();
        return true;
    }
    return false;
}

void CommandCore::refreshFormButton()
{
    const std::optional<std::size_t> tab = tabIndexOf(variant_, variant_.formButtonPage);
    if (tab && *tab < ports_.pages.pageCount())
        ports_.pages.page(*tab).RefreshFormButton();
}

CommandCore::Reply CommandCore::askYesNoCancel(std::string_view question)
{
    switch (ports_.window.showMessage(question, messages::kCaption, ButtonSet::YesNoCancel,
                                      MessageIcon::Exclamation)) {
    case Answer::Yes:
        return Reply::Yes;
    case Answer::No:
        return Reply::No;
    default:
        return Reply::Cancel; // a box closed some other way keeps everything
    }
}

void CommandCore::tell(std::string_view text, MessageIcon icon)
{
    ports_.window.showMessage(text, messages::kCaption, ButtonSet::Ok, icon);
}

void CommandCore::closeWindow(int exitStatus)
{
    closing_ = true;
    ports_.window.closeWindow(exitStatus);
}

} // namespace kbs
