#pragma once

#include "core/window_port.h"
#include "fakes/journal.h"

#include <array>
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

    void expectQuestion(std::string_view text, Answer answer)
    {
        script_.push_back({std::string(text), answer});
    }
    // The user clicking a tab, which the core does not see.
    void selectTab(std::size_t tabIndex) { selectedTab_ = tabIndex; }

    Answer showMessage(std::string_view text, std::string_view caption, ButtonSet buttons,
                       MessageIcon icon) override
    {
        messages.push_back({std::string(text), std::string(caption), buttons, icon});
        journal_.add((buttons == ButtonSet::Ok ? "tell: " : "ask: ") + std::string(text));
        if (buttons == ButtonSet::Ok)
            return Answer::Ok;
        if (script_.empty() || script_.front().question != text) {
            problems_.push_back("unexpected question: " + std::string(text));
            return Answer::Cancel;
        }
        const Answer answer = script_.front().answer;
        script_.pop_front();
        return answer;
    }
    void ShowPage(std::size_t tabIndex) override
    {
        selectedTab_ = tabIndex;
        journal_.add("show page " + std::to_string(tabIndex));
    }
    std::size_t selectedTab() const override { return selectedTab_; }
    void setCommandEnabled(int commandId, bool enabled) override { commandEnabled[commandId] = enabled; }
    void setStatusText(int part, const std::string& text) override
    {
        statusTexts.at(std::size_t(part)) = text;
    }
    void closeWindow(int exitStatus) override
    {
        closeRequests.push_back(exitStatus);
        journal_.add("close " + std::to_string(exitStatus));
    }

    std::vector<MessageRecord> messages;
    std::map<int, bool> commandEnabled; // last state per command id
    std::array<std::string, 2> statusTexts;
    std::vector<int> closeRequests;

    // Unexpected questions plus every scripted question that was never asked.
    std::vector<std::string> unmetExpectations() const
    {
        std::vector<std::string> all = problems_;
        for (const ScriptedAnswer& left : script_)
            all.push_back("question never asked: " + left.question);
        return all;
    }

private:
    struct ScriptedAnswer {
        std::string question;
        Answer answer;
    };
    Journal& journal_;
    std::deque<ScriptedAnswer> script_;
    std::vector<std::string> problems_;
    std::size_t selectedTab_ = 0;
};

} // namespace kbs::fakes
