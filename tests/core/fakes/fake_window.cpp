#include "fakes/fake_window.h"

namespace kbs::fakes {

void FakeWindow::expectQuestion(std::string_view text, Answer answer)
{
    script_.push_back({std::string(text), answer});
}

Answer FakeWindow::showMessage(std::string_view text, std::string_view caption, ButtonSet buttons,
                               MessageIcon icon)
{
    messages.push_back({std::string(text), std::string(caption), buttons, icon});
    if (buttons == ButtonSet::Ok) {
        journal_.add("tell: " + std::string(text));
        return Answer::Ok;
    }
    journal_.add("ask: " + std::string(text));
    if (script_.empty() || script_.front().question != text) {
        problems.push_back("unexpected question: " + std::string(text));
        return Answer::Cancel;
    }
    const Answer answer = script_.front().answer;
    script_.pop_front();
    return answer;
}

void FakeWindow::ShowPage(std::size_t tabIndex)
{
    selectedTab_ = tabIndex;
    shownPages.push_back(tabIndex);
    journal_.add("show page " + std::to_string(tabIndex));
}

void FakeWindow::setCommandEnabled(int commandId, bool enabled)
{
    commandEnabled[commandId] = enabled;
    ++commandUpdates[commandId];
}

void FakeWindow::setStatusText(int part, const std::string& text)
{
    if (part != 0 && part != 1) {
        problems.push_back("status part " + std::to_string(part));
        return;
    }
    statusTexts[static_cast<std::size_t>(part)] = text;
}

void FakeWindow::closeWindow(int exitStatus)
{
    closeRequests.push_back(exitStatus);
    journal_.add("close " + std::to_string(exitStatus));
}

std::vector<std::string> FakeWindow::unmetExpectations() const
{
    std::vector<std::string> all = problems;
    for (const ScriptedAnswer& left : script_)
        all.push_back("question never asked: " + left.question);
    return all;
}

} // namespace kbs::fakes
