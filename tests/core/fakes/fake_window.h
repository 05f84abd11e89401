#pragma once

#include "core/window_port.h"
#include "fakes/journal.h"

#include <array>
#include <deque>
#include <map>
#include <string>
#include <utility>

namespace kbs::fakes {

// Journals every message box and answers questions (boxes with more than an OK button) from a
// script; a question that is not the next one scripted, or an answer its box does not offer,
// is a problem.
class FakeWindow : public WindowPort {
public:
    explicit FakeWindow(Journal& journal) : journal_(journal) {}

    void expectQuestion(std::string_view text, Answer answer) { script_.emplace_back(text, answer); }
    // The user clicking a tab, which the core does not see.
    void selectTab(std::size_t tabIndex) { selectedTab_ = tabIndex; }

    Answer showMessage(std::string_view text, std::string_view caption, ButtonSet buttons,
                       MessageIcon) override
    {
        if (caption != "Knobstation")
            journal_.problems.push_back("caption " + std::string(caption));
        journal_.add((buttons == ButtonSet::Ok ? "tell: " : "ask: ") + std::string(text));
        if (buttons == ButtonSet::Ok)
            return Answer::Ok;
        if (script_.empty() || script_.front().first != text || !offers(buttons, script_.front().second)) {
            journal_.problems.push_back("unexpected question: " + std::string(text));
            return Answer::Cancel;
        }
        const Answer answer = script_.front().second;
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
    void closeWindow(int exitStatus) override { journal_.add("close " + std::to_string(exitStatus)); }

    std::map<int, bool> commandEnabled; // last state per command id
    std::array<std::string, 2> statusTexts;
    std::size_t unused() const { return script_.size(); }

private:
    static bool offers(ButtonSet buttons, Answer answer)
    {
        if (answer == Answer::Cancel)
            return buttons != ButtonSet::YesNo;
        return (answer == Answer::Ok) == (buttons == ButtonSet::OkCancel);
    }

    Journal& journal_;
    std::deque<std::pair<std::string, Answer>> script_;
    std::size_t selectedTab_ = 0;
};

} // namespace kbs::fakes
