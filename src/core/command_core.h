#pragma once

#include "core/file_chooser_port.h"
#include "core/printer_selector_port.h"
#include "core/settings_page.h"
#include "core/spooler_port.h"
#include "core/window_port.h"
#include "model/model_variant.h"
#include "model/settings_block.h"

#include <string>
#include <string_view>

namespace kbs {

// The main window's logic without the window: the three copies of the block, the flags,
// the current printer and every command that compares or moves the copies.
class CommandCore {
public:
    struct Ports {
        WindowPort& window;
        PagesPort& pages;
        PrinterSelectorPort& printerSelector;
        SpoolerPort& spooler;
        FileChooserPort& fileChooser;
    };

    CommandCore(const ModelVariant& variant, Ports ports, std::string programDirectory);

    // Start-up, around the window creating its pages: BeginStartup sets the copies and
    // flags; CompleteStartup fills the pages, runs the first printer choice and ends the
    // start-up.
    void BeginStartup();
    void CompleteStartup();

    void CollectPages();
    void DistributeBlock();
    void UpdateSendCommand();
    void OnDataCheck();
    void OnFactoryDefaults();
    void ResetToFactoryDefaults();
    void SendSettingsToPrinter();
    void SaveSettingsFile();
    void LoadSettingsFile();
    void OnSelectPrinter();
    void OnExit();

    const ModelVariant& variant() const { return variant_; }
    const SettingsBlock& editBlock() const { return editBlock_; }
    const SettingsBlock& fileBlock() const { return fileBlock_; }
    const SettingsBlock& sentBlock() const { return sentBlock_; }
    bool startupComplete() const { return startupComplete_; }
    bool neverSent() const { return neverSent_; }
    const PrinterChoice& currentPrinter() const { return currentPrinter_; }
    // True once the window was told to close; no command does anything after that.
    bool closing() const { return closing_; }

private:
    enum class Reply { Yes, No, Cancel };

    // The send and the save; true only when the settings reached the printer or the file.
    bool sendSettings();
    bool sendJob();
    bool saveSettings();
    bool stoppedOnPendingEntry();
    void refreshFormButton();
    void choosePrinter();
    // The send and save questions of the printer change and of the exit; false when the
    // flow must stop there.
    bool offerSendAndSave(std::string_view sendQuestion, std::string_view saveQuestion);

    Reply askYesNoCancel(std::string_view question);
    void tell(std::string_view text, MessageIcon icon);
    void closeWindow(int exitStatus);

    const ModelVariant& variant_;
    Ports ports_;
    std::string programDirectory_;
    SettingsBlock editBlock_;
    SettingsBlock fileBlock_;
    SettingsBlock sentBlock_;
    bool startupComplete_ = false;
    bool neverSent_ = true;
    bool closing_ = false;
    PrinterChoice currentPrinter_;
};

} // namespace kbs
