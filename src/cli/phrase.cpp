#include "cli/phrase.h"

#include <cstdlib>
#include <vector>

namespace kbs::cli {

Language languageOf(const char* lcAll, const char* lcMessages, const char* lang)
{
    for (const char* setting : {lcAll, lcMessages, lang}) {
        if (setting == nullptr || *setting == '\0')
            continue;
        const std::string_view locale = setting;
        return locale == "ja" || locale.starts_with("ja_") || locale.starts_with("ja.") ? Language::Japanese
                                                                                        : Language::English;
    }
    return Language::English;
}

Language languageOfEnvironment()
{
    return languageOf(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

std::string say(Language language, const Phrase& phrase, std::initializer_list<std::string_view> arguments)
{
    const std::string_view pattern = language == Language::Japanese ? phrase.japanese : phrase.english;
    const std::vector<std::string_view> values(arguments);
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' && std::size_t(next - '1') < values.size()) {
            text += values[std::size_t(next - '1')];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

} // namespace kbs::cli
