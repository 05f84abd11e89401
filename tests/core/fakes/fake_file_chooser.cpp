#include "fakes/fake_file_chooser.h"

namespace kbs::fakes {

std::optional<std::string> FakeFileChooser::chooseFileToOpen(std::string_view initialDirectory)
{
    openFolders.emplace_back(initialDirectory);
    return next(opens_, "open");
}

std::optional<std::string> FakeFileChooser::chooseFileToSave(std::string_view initialDirectory)
{
    saveFolders.emplace_back(initialDirectory);
    return next(saves_, "save");
}

std::optional<std::string> FakeFileChooser::next(std::deque<std::optional<std::string>>& script,
                                                 const char* kind)
{
    journal_.add(std::string("choose file to ") + kind);
    if (script.empty()) {
        problems.push_back(std::string("unexpected file chooser to ") + kind);
        return std::nullopt;
    }
    std::optional<std::string> path = script.front();
    script.pop_front();
    return path;
}

std::vector<std::string> FakeFileChooser::unmetExpectations() const
{
    std::vector<std::string> all = problems;
    if (!opens_.empty())
        all.push_back("open chooser never shown");
    if (!saves_.empty())
        all.push_back("save chooser never shown");
    return all;
}

} // namespace kbs::fakes
