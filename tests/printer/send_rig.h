#pragma once

#include "core/command_core.h"
#include "printer/cups_spooler.h"

#include <optional>
#include <string>
#include <vector>

namespace kbs::test {

// The command core with the CUPS spooler and plain stand-ins for the window, the pages,
// the file dialogs and the printer selection: enough to send, and to see what it showed.
class SendRig {
public:
    struct Message {
        std::string text;
        MessageIcon icon;
    };

    SendRig(const ModelVariant& variant, const PrinterChoice& printer);

    CommandCore& core() { return core_; }
    const std::vector<Message>& messages() const { return window_.messages; }
    std::vector<std::string> messageTexts() const;
    int selections() const { return selector_.runs; }

private:
    // Answers every question with No, so that a printer change goes straight to the selection.
    struct Window : WindowPort {
        std::vector<Message> messages;
        Answer showMessage(std::string_view text, std::string_view, ButtonSet buttons,
                           MessageIcon icon) override;
        void ShowPage(std::size_t) override {}
        std::size_t selectedTab() const override { return 0; }
        void setCommandEnabled(int, bool) override {}
        void setStatusText(int, const std::string&) override {}
        void closeWindow(int) override {}
    };
    // One page holding a user's change, so that the edit copy differs from the sent one.
    struct ChangedPage : SettingsPage, PagesPort {
        std::size_t offset = 0;
        std::uint8_t value = 0;
        void LoadBlock(const SettingsBlock&) override {}
        void StoreBlock(SettingsBlock& block) override { block[offset] = value; }
        std::size_t pageCount() const override { return 1; }
        SettingsPage& page(std::size_t) override { return *this; }
    };
    // Chooses the given printer the first time and is cancelled afterwards.
    struct Selector : PrinterSelectorPort {
        PrinterChoice printer;
        int runs = 0;
        SelectionResult runSelection(const PrinterChoice& preset, bool) override;
    };
    struct NoFiles : FileChooserPort {
        std::optional<std::string> chooseFileToOpen(std::string_view) override { return std::nullopt; }
        std::optional<std::string> chooseFileToSave(std::string_view) override { return std::nullopt; }
    };

    Window window_;
    ChangedPage page_;
    Selector selector_;
    NoFiles files_;
    CupsSpooler spooler_;
    CommandCore core_;
};

} // namespace kbs::test
