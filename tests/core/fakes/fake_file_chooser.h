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

    std::optional<std::string> chooseFileToOpen(std::string_view initialDirectory) override
    {
        return next(opens_, initialDirectory, "open");
    }
    std::optional<std::string> chooseFileToSave(std::string_view initialDirectory) override
    {
        return next(saves_, initialDirectory, "save");
    }

    std::vector<std::string> initialFolders; // of every chooser shown

    std::vector<std::string> unmetExpectations() const
    {
        std::vector<std::string> all = problems_;
        if (!opens_.empty() || !saves_.empty())
            all.push_back("file chooser never shown");
        return all;
    }

private:
    using Script = std::deque<std::optional<std::string>>;

    std::optional<std::string> next(Script& script, std::string_view folder, const char* kind)
    {
        initialFolders.emplace_back(folder);
        journal_.add(std::string("choose file to ") + kind);
        if (script.empty()) {
            problems_.push_back(std::string("unexpected file chooser to ") + kind);
            return std::nullopt;
        }
        std::optional<std::string> path = script.front();
        script.pop_front();
        return path;
    }

    Journal& journal_;
    Script opens_;
    Script saves_;
    std::vector<std::string> problems_;
};

} // namespace kbs::fakes
