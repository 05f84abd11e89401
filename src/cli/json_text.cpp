#include "cli/json_text.h"

#include <cstdio>

namespace kbs::cli {

std::string jsonString(std::string_view text)
{
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

void JsonObject::name(std::string_view name)
{
    body_ += (body_.size() > 1 ? ", " : "") + jsonString(name) + ": ";
}

JsonObject& JsonObject::add(std::string_view name, std::string_view text)
{
    return addJson(name, jsonString(text));
}

JsonObject& JsonObject::add(std::string_view name, bool value)
{
    return addJson(name, value ? "true" : "false");
}

JsonObject& JsonObject::add(std::string_view name, long long value)
{
    return addJson(name, std::to_string(value));
}

JsonObject& JsonObject::addJson(std::string_view member, std::string_view json)
{
    name(member);
    body_ += json;
    return *this;
}

std::string jsonArray(const std::vector<std::string>& elements)
{
    std::string json = "[";
    for (const std::string& element : elements)
        json += (json.size() > 1 ? ",\n " : "\n ") + element;
    return json + (elements.empty() ? "]\n" : "\n]\n");
}

std::string jsonStrings(const std::vector<std::string>& texts)
{
    std::string json = "[";
    for (const std::string& text : texts)
        json += (json.size() > 1 ? ", " : "") + jsonString(text);
    return json + "]";
}

} // namespace kbs::cli
