#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kbs {

// The file dialogs; nullopt when the user cancels.
class FileChooserPort {
public:
    virtual ~FileChooserPort() = default;
    virtual std::optional<std::string> chooseFileToOpen(std::string_view initialDirectory) = 0;
    virtual std::optional<std::string> chooseFileToSave(std::string_view initialDirectory) = 0;
};

} // namespace kbs
