#pragma once

#include "core/window_port.h"
#include "fakes/journal.h"

#include <array>
#include <cstddef>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace kbs::fakes {

struct MessageRecord {
    std::string text;
    std::string caption;
    ButtonSet buttons;
    MessageIcon icon;
};

// Records every message box and answers questions (boxes with more than an OK button)
// from a script; a question that is not the next one scripted is answered Cancel and
// reported as a problem.
class FakeWindow : public WindowPort {
public:
    explicit FakeWindow(Journal& journal) : journal_(journal) {}

    void expectQuestion(std::string_view text, Answer answer);
    // The user clicking a tab, which the core does not see.
    void selectTab(std::size_t tabIndex) { selectedTab_ = tabIndex; }

    Answer showMessage(std::string_view text, std::string_view caption, ButtonSet buttons,
                       MessageIcon icon) override;
    void ShowPage(std::size_t tabIndex) override;
    std::size_t selectedTab() const override { return selectedTab_; }
    void setCommandEnabled(int commandId, bool enabled) override;
    void setStatusText(int part, const std::string& text) override;
    void closeWindow(int exitStatus) override;

    std::vector<MessageRecord> messages;
    std::vector<std::size_t> shownPages;
    std::map<int, bool> commandEnabled; // last state per command id
    std::map<int, int> commandUpdates;  // number of calls per command id
    std::array<std::string, 2> statusTexts;
    std::vector<int> closeRequests;
    std::vector<std::string> problems;

    // Problems plus every scripted question that was never asked.
    std::vector<std::string> unmetExpectations() const;

private:
    struct ScriptedAnswer {
        std::string question;
        Answer answer;
    };
    Journal& journal_;
    std::deque<ScriptedAnswer> script_;
    std::size_t selectedTab_ = 0;
};

} // namespace kbs::fakes
