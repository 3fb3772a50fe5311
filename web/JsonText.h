#pragma once
// Small pieces of JSON for what the page draws beside the forms: texts quoted, numbers exact.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace karven::web {

inline std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == '"') out += "\\\"";
        else if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\t') out += "\\t";
        else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else out += ch;
    }
    return out + '"';
}

// A double as the shortest text that reads back as the same double.
inline std::string Number(double value) {
    if (!std::isfinite(value)) return "null";
    char text[32];
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (std::strtod(text, nullptr) == value) break;
    }
    return text;
}

// {"a":1,"b":"x"} built member by member.
class JsonObject {
public:
    JsonObject& Raw(std::string_view key, std::string_view json) {
        out_ += out_.size() > 1 ? "," : "";
        out_ += Quoted(key) + ":";
        out_ += json;
        return *this;
    }
    JsonObject& Str(std::string_view key, std::string_view text) { return Raw(key, Quoted(text)); }
    JsonObject& Num(std::string_view key, double value) { return Raw(key, Number(value)); }
    JsonObject& Bool(std::string_view key, bool value) { return Raw(key, value ? "true" : "false"); }
    std::string Text() const { return out_ + "}"; }

private:
    std::string out_ = "{";
};

inline std::string JsonArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i];
    return out + "]";
}
inline std::string JsonTexts(const std::vector<std::string>& texts) {
    std::vector<std::string> items;
    for (const std::string& t : texts) items.push_back(Quoted(t));
    return JsonArray(items);
}
template <class N> std::string JsonNumbers(const std::vector<N>& numbers) {
    std::vector<std::string> items;
    for (N n : numbers) items.push_back(Number(double(n)));
    return JsonArray(items);
}

} // namespace karven::web
