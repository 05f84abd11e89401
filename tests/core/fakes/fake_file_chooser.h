#pragma once

#include "core/file_chooser_port.h"
#include "fakes/journal.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace kbs::fakes {

// Returns scripted paths (nullopt: the user cancels) and records the initial folders.
class FakeFileChooser : public FileChooserPort {
public:
    explicit FakeFileChooser(Journal& journal) : journal_(journal) {}

    void expectOpen(std::optional<std::string> path) { opens_.push_back(std::move(path)); }
    void expectSave(std::optional<std::string> path) { saves_.push_back(std::move(path)); }

    std::optional<std::string> chooseFileToOpen(std::string_view initialDirectory) override;
    std::optional<std::string> chooseFileToSave(std::string_view initialDirectory) override;

    std::vector<std::string> openFolders;
    std::vector<std::string> saveFolders;
    std::vector<std::string> problems;

    std::vector<std::string> unmetExpectations() const;

private:
    std::optional<std::string> next(std::deque<std::optional<std::string>>& script, const char* kind);

    Journal& journal_;
    std::deque<std::optional<std::string>> opens_;
    std::deque<std::optional<std::string>> saves_;
};

} // namespace kbs::fakes
