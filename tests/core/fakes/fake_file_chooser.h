#pragma once

#include "core/file_chooser_port.h"
#include "fakes/journal.h"

#include <optional>

namespace kbs::fakes {

// Returns scripted paths; nullopt: the user cancels.
class FakeFileChooser : public FileChooserPort {
public:
    explicit FakeFileChooser(Journal& journal) : journal_(journal) {}

    void expectOpen(std::optional<std::string> path) { opens_.push_back(std::move(path)); }
    void expectSave(std::optional<std::string> path) { saves_.push_back(std::move(path)); }
    std::optional<std::string> chooseFileToOpen(std::string_view) override
    {
        return nextScripted(opens_, journal_, "choose file to open", {});
    }
    std::optional<std::string> chooseFileToSave(std::string_view) override
    {
        return nextScripted(saves_, journal_, "choose file to save", {});
    }
    std::size_t unused() const { return opens_.size() + saves_.size(); }

private:
    Journal& journal_;
    std::deque<std::optional<std::string>> opens_, saves_;
};

} // namespace kbs::fakes
