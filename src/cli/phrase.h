#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace kbs::cli {

// The language of knobctl's own messages. Labels and choices stay as the window shows them.
enum class Language { English, Japanese };

// As command-line tools choose: the first of LC_ALL, LC_MESSAGES and LANG that is set and not
// empty; Japanese when it names a ja_* locale (or "ja"), English otherwise.
Language languageOf(const char* lcAll, const char* lcMessages, const char* lang);
Language languageOfEnvironment();

// One message in both languages; "%1" to "%9" stand for its arguments.
struct Phrase {
    std::string_view english;
    std::string_view japanese;
};

std::string say(Language language, const Phrase& phrase,
                std::initializer_list<std::string_view> arguments = {});

} // namespace kbs::cli
