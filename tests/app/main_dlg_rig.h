#pragma once

#include "app/main_dlg.h"
#include "fakes/fake_file_chooser.h"
#include "fakes/fake_printer_selector.h"
#include "fakes/fake_spooler.h"

#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <string>
#include <vector>

namespace kbs::test {

const ModelVariant& variantNamed(const QString& deliverable);
// A QString column "deliverable" with one row per program.
void addVariantRows();

// The main window with scripted message boxes: questions take the next scripted answer
// (Cancel when none is left), notices are answered with OK.
class ScriptedMainDlg : public CMainDlg {
public:
    using CMainDlg::CMainDlg;

    struct Message {
        std::string text;
        ButtonSet buttons;
        MessageIcon icon;
    };
    std::vector<Message> messages;
    std::deque<Answer> answers;

    Answer showMessage(std::string_view text, std::string_view caption, ButtonSet buttons,
                       MessageIcon icon) override;
};

// A main window started up with fakes: two printers listed, the first one chosen.
struct MainDlgRig {
    // With `helpFile`, the variant's help page is put in the program's directory.
    explicit MainDlgRig(const ModelVariant& variant, bool helpFile = false);

    // Shows the window and waits until it is active.
    [[nodiscard]] bool showActive();
    // Makes the edit copy differ from the printer and file copies by loading a file.
    [[nodiscard]] bool loadChangedSettings();

    const ModelVariant& variant;
    QTemporaryDir programDirectory;
    fakes::Journal journal;
    fakes::FakePrinterSelector selector{journal};
    fakes::FakeSpooler spooler{journal};
    fakes::FakeFileChooser chooser{journal};
    ScriptedMainDlg window;
};

} // namespace kbs::test
