#pragma once

#include "core/printer_selector_port.h"
#include "fakes/journal.h"

namespace kbs::fakes {

inline SelectionResult chosen(std::string name, std::string connection, unsigned listedCount = 2)
{
    return {SelectionEnd::Ok, {std::move(name), std::move(connection)}, listedCount};
}
inline SelectionResult cancelled(PrinterChoice choice)
{
    return {SelectionEnd::Cancel, std::move(choice), 2};
}
inline SelectionResult noUsablePrinter()
{
    return {SelectionEnd::EndProgram, {}, 0};
}

// Ends each selection as scripted; one beyond the script ends with Cancel on the preset.
class FakePrinterSelector : public PrinterSelectorPort {
public:
    explicit FakePrinterSelector(Journal& journal) : journal_(journal) {}

    void expectSelection(SelectionResult result) { script_.push_back(std::move(result)); }
    SelectionResult runSelection(const PrinterChoice& preset, bool startupComplete) override
    {
        calls.push_back({preset, startupComplete});
        return nextScripted(script_, journal_, "select printer", cancelled(preset));
    }

    struct Call {
        PrinterChoice preset;
        bool startupComplete;
    };
    std::vector<Call> calls;
    std::size_t unused() const { return script_.size(); }

private:
    Journal& journal_;
    std::deque<SelectionResult> script_;
};

} // namespace kbs::fakes
