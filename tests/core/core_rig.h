#pragma once

#include "core/command_core.h"
#include "fakes/fake_file_chooser.h"
#include "fakes/fake_pages.h"
#include "fakes/fake_printer_selector.h"
#include "fakes/fake_spooler.h"
#include "fakes/fake_window.h"
#include "fakes/journal.h"
#include "model/command_ids.h"

#include <QByteArray>
#include <QMetaType>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

Q_DECLARE_METATYPE(const kbs::ModelVariant*)

namespace kbs::test {

// A command core wired to fakes, for one variant.
struct CoreRig {
    explicit CoreRig(const ModelVariant& variant, bool pagesCreated = true);

    const ModelVariant& variant;
    fakes::Journal journal;
    fakes::FakeWindow window{journal};
    fakes::FakePages pages;
    fakes::FakePrinterSelector selector{journal};
    fakes::FakeSpooler spooler{journal};
    fakes::FakeFileChooser chooser{journal};
    CommandCore core;

    static inline const std::string kProgramDirectory = "/opt/knobstation/bin/";
    static inline const PrinterChoice kPrinter{"ferro", "socket://192.0.2.7:9100"};

    // The window's start-up around its page creation, with this first printer selection.
    void startUp(const SelectionResult& firstSelection = fakes::chosen(kPrinter.name, kPrinter.connection));
    // A user's change on a page, followed by the data check the page raises.
    void change(std::string_view field, std::string bytes);
    // Arranging steps of a test; false when they did not work out.
    [[nodiscard]] bool sendSucceeds();
    [[nodiscard]] bool saveSucceeds(const std::string& path);

    SettingsBlock factoryDefaults() const { return SettingsBlock(variant.factoryDefaults); }
    bool sendCommandEnabled() { return window.commandEnabled.at(cmd::Send); }
    // Every scripted answer not used, every call nobody expected.
    std::vector<std::string> unmetExpectations() const;
};

// Owns the rig of the running test function and checks it after the test.
class RigHolder {
protected:
    CoreRig& makeRig(const ModelVariant& variant, bool pagesCreated = true);
    // For cleanup(): fails the test on a question or call the test did not script.
    void verifyRigAndDrop();

private:
    std::unique_ptr<CoreRig> rig_;
};

std::vector<const ModelVariant*> allVariants();
// Adds a "variant" column and one row per variant.
void addVariantRows();
QStringList toList(const std::vector<std::string>& entries);
QByteArray bytesOf(const SettingsBlock& block);
QByteArray bytesOf(const std::vector<std::uint8_t>& bytes);
// The questions and notices shown, in order.
QStringList messageTexts(const fakes::FakeWindow& window);
// A settings file as the format defines it: identifier, NUL, block.
QByteArray settingsFile(const ModelVariant& variant, const SettingsBlock& block);
[[nodiscard]] bool writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

} // namespace kbs::test
