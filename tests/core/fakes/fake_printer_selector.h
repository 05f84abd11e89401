#pragma once

#include "core/printer_selector_port.h"
#include "fakes/journal.h"

#include <deque>
#include <string>
#include <vector>

namespace kbs::fakes {

SelectionResult chosen(std::string name, std::string connection, unsigned listedCount = 2);
SelectionResult cancelled(PrinterChoice choice);
SelectionResult noUsablePrinter();

// Ends each selection as scripted; a selection beyond the script is a problem and ends
// with Cancel on the preset, which changes nothing.
class FakePrinterSelector : public PrinterSelectorPort {
public:
    explicit FakePrinterSelector(Journal& journal) : journal_(journal) {}

    void expectSelection(SelectionResult result) { script_.push_back(std::move(result)); }
    SelectionResult runSelection(const PrinterChoice& preset, bool startupComplete) override;

    struct Call {
        PrinterChoice preset;
        bool startupComplete;
    };
    std::vector<Call> calls;
    std::vector<std::string> problems;

    std::vector<std::string> unmetExpectations() const;

private:
    Journal& journal_;
    std::deque<SelectionResult> script_;
};

} // namespace kbs::fakes
