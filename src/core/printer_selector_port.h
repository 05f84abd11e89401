#pragma once

#include <string>

namespace kbs {

// A spooler queue's name and the connection text shown beside it.
struct PrinterChoice {
    std::string name;
    std::string connection;

    bool empty() const { return name.empty() && connection.empty(); }
    friend bool operator==(const PrinterChoice&, const PrinterChoice&) = default;
};

enum class SelectionEnd {
    Ok,
    Cancel,
    EndProgram, // no usable printer, or only "FILE:" ones: the program must end with status 1
};

struct SelectionResult {
    SelectionEnd end = SelectionEnd::Cancel;
    PrinterChoice choice; // the accepted row, or after a refusal the row last tried
    unsigned listedCount = 0;
};

class PrinterSelectorPort {
public:
    virtual ~PrinterSelectorPort() = default;
    // Runs the selection modally with `preset` pre-selected.
    virtual SelectionResult runSelection(const PrinterChoice& preset, bool startupComplete) = 0;
};

} // namespace kbs
