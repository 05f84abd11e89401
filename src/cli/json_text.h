#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kbs::cli {

// Text as a JSON string literal.
std::string jsonString(std::string_view text);

// One JSON object on one line, its members in the order they are added.
class JsonObject {
public:
    JsonObject& add(std::string_view name, std::string_view text);
    JsonObject& add(std::string_view name, const char* text) { return add(name, std::string_view(text)); }
    JsonObject& add(std::string_view name, bool value);
    JsonObject& add(std::string_view name, long long value);
    // A member whose value is JSON already (an array, an object, null).
    JsonObject& addJson(std::string_view name, std::string_view json);
    std::string text() const { return body_ + "}"; }

private:
    void name(std::string_view name);
    std::string body_ = "{";
};

// JSON values as an array, one element a line.
std::string jsonArray(const std::vector<std::string>& elements);
// Texts as a JSON array on one line.
std::string jsonStrings(const std::vector<std::string>& texts);

} // namespace kbs::cli
