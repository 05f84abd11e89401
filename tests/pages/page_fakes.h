#pragma once

// A message port and a dialog runner that record what the pages ask of them.
#include "pages/page_context.h"

#include <functional>
#include <string>
#include <vector>

namespace page_fakes {

struct ShownMessage {
    std::string text;
    std::string caption;
};

class FakeMessages : public kbs::MessagePort {
public:
    kbs::Answer showMessage(std::string_view text, std::string_view caption, kbs::ButtonSet,
                            kbs::MessageIcon) override
    {
        shown.push_back({std::string(text), std::string(caption)});
        return kbs::Answer::Ok;
    }
    std::vector<ShownMessage> shown;
};

class FakeDialogs : public kbs::DialogRunner {
public:
    int runDialog(QDialog& dialog) override
    {
        ++runs;
        return answer ? answer(dialog) : QDialog::Rejected;
    }
    int runs = 0;
    std::function<int(QDialog&)> answer;
};

} // namespace page_fakes
