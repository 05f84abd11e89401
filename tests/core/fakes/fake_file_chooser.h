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

    std::optional<std::string> chooseFileToOpen(std::string_view folder) override
    {
        return next(opens_, "open", folder);
    }
    std::optional<std::string> chooseFileToSave(std::string_view folder) override
    {
        return next(saves_, "save", folder);
    }

    std::vector<std::string> initialFolders; // of every chooser shown
    std::size_t unused() const { return opens_.size() + saves_.size(); }

private:
    using Script = std::deque<std::optional<std::string>>;

    std::optional<std::string> next(Script& script, const std::string& kind, std::string_view folder)
    {
        initialFolders.emplace_back(folder);
        journal_.add("choose file to " + kind);
        if (script.empty()) {
            journal_.problems.push_back("unexpected file chooser to " + kind);
            return std::nullopt;
        }
        std::optional<std::string> path = script.front();
        script.pop_front();
        return path;
    }

    Journal& journal_;
    Script opens_;
    Script saves_;
};

} // namespace kbs::fakes
