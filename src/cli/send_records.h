#pragma once

#include "cli/file_image.h"

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kbs::cli {

// What each printer was last sent and accepted. Nothing can be read back from the printers, so
// this is the only account of what they hold: one settings file per print server and queue,
// the block exactly as sent, written when the server accepted it (the file's time).
class SendRecords {
public:
    // An empty folder: none could be found, and every use fails with that reason. Failures are
    // told in `language`.
    SendRecords(std::string folder, Language language);

    // $XDG_STATE_HOME/knobstation/sent when that is set; else /var/lib/knobstation/sent for
    // root and ~/.local/state/knobstation/sent for anyone else.
    static std::string defaultFolder();

    struct Entry {
        std::string server;
        std::string queue;
        std::string path;
        std::time_t sentAt = 0;
        const ModelVariant* variant = nullptr; // nullptr: the file is no longer a settings file
    };

    std::string pathOf(std::string_view server, std::string_view queue) const;
    // The record of a queue; nothing when there is none or it cannot be read.
    std::optional<FileImage> recorded(std::string_view server, std::string_view queue) const;
    // Records `sent` as what the queue holds now. Empty on success, else the reason.
    std::string store(std::string_view server, std::string_view queue, const FileImage& sent) const;
    // After a send that was not accepted the printer may hold the old block, the new one or
    // part of it: the record goes, so that nothing is taken as unchanged. Empty on success.
    std::string forget(std::string_view server, std::string_view queue) const;
    // Every record, by server and queue.
    std::vector<Entry> entries() const;

private:
    std::string folder_;
    Language language_;
};

} // namespace kbs::cli
