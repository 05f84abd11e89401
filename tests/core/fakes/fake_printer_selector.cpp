#include "fakes/fake_printer_selector.h"

namespace kbs::fakes {

SelectionResult chosen(std::string name, std::string connection, unsigned listedCount)
{
    return {SelectionEnd::Ok, {std::move(name), std::move(connection)}, listedCount};
}

SelectionResult cancelled(PrinterChoice choice)
{
    return {SelectionEnd::Cancel, std::move(choice), 2};
}

SelectionResult noUsablePrinter()
{
    return {SelectionEnd::EndProgram, {}, 0};
}

SelectionResult FakePrinterSelector::runSelection(const PrinterChoice& preset, bool startupComplete)
{
    calls.push_back({preset, startupComplete});
    journal_.add("select printer");
    if (script_.empty()) {
        problems.push_back("unexpected printer selection");
        return cancelled(preset);
    }
    SelectionResult result = script_.front();
    script_.pop_front();
    return result;
}

std::vector<std::string> FakePrinterSelector::unmetExpectations() const
{
    std::vector<std::string> all = problems;
    if (!script_.empty())
        all.push_back(std::to_string(script_.size()) + " printer selection(s) never run");
    return all;
}

} // namespace kbs::fakes
