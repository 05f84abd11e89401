#pragma once

// The main window on scripted ports, shared by the window tests.
#include "app/main_dlg.h"
#include "pagedata/param_cases.h"

#include <QCoreApplication>
#include <QStringList>

namespace fixture {

using namespace kbs;
using param_cases::variantNamed;

// A queue that takes every job.
struct AcceptingQueue : OpenQueue {
    bool startRawJob(std::string_view) override { return true; }
    bool writeData(std::span<const std::uint8_t>) override { return true; }
    bool endJob() override { return true; }
};

// Chooses the printer at start-up and cancels later selections; opens no file; records the
// queues opened and the save dialogs.
struct Ports : PrinterSelectorPort, SpoolerPort, FileChooserPort {
    std::vector<bool> selections; // startupComplete of each
    int opens = 0;
    int saveChoices = 0;
    bool queuesAccept = false;

    SelectionResult runSelection(const PrinterChoice&, bool startupComplete) override
    {
        selections.push_back(startupComplete);
        const SelectionEnd end = selections.size() == 1 ? SelectionEnd::Ok : SelectionEnd::Cancel;
        return {end, {"Q18_office", "socket://q"}, 2};
    }
    std::unique_ptr<OpenQueue> openForUse(std::string_view) override
    {
        ++opens;
        return queuesAccept ? std::make_unique<AcceptingQueue>() : nullptr;
    }
    std::optional<std::string> chooseFileToOpen(std::string_view) override { return std::nullopt; }
    std::optional<std::string> chooseFileToSave(std::string_view) override
    {
        return ++saveChoices, std::nullopt;
    }
};

// The main window, started up and shown; its questions take the scripted answer, notices OK.
class Window : public CMainDlg {
public:
    explicit Window(const QString& deliverable, bool queuesAccept = false,
                    const QString& programDirectory = QCoreApplication::applicationDirPath())
        : CMainDlg(variantNamed(deliverable), programDirectory)
    {
        ports.queuesAccept = queuesAccept;
        initialise({ports, ports, ports});
        show();
    }
    Answer showMessage(std::string_view text, std::string_view caption, ButtonSet buttons,
                       MessageIcon icon) override
    {
        texts << QString::fromUtf8(text.data(), qsizetype(text.size()));
        boxes << QString::fromUtf8(caption.data(), qsizetype(caption.size())) + " " +
                     QString::number(int(buttons)) + " " + QString::number(int(icon));
        return buttons == ButtonSet::Ok ? Answer::Ok : answer;
    }

    Ports ports;
    QStringList texts;
    QStringList boxes; // caption, button set and icon of each box
    Answer answer = Answer::Cancel;
};

} // namespace fixture
