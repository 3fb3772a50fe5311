#pragma once
// JSON for the page, written one way: texts quoted, numbers exact.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace karven::web {

inline void AppendQuoted(std::string& out, std::string_view text) {
    out += '"';
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
    out += '"';
}

inline std::string Quoted(std::string_view text) {
    std::string out;
    AppendQuoted(out, text);
    return out;
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

// JSON written as it goes: members and items, the commas between them put in.
class JsonWriter {
public:
    std::string out;
    void Key(std::string_view name) {
        Comma();
        AppendQuoted(out, name);
        out += ':';
        fresh_ = true;
    }
    void Str(std::string_view name, std::string_view value) {
        Key(name);
        Value(Quoted(value));
    }
    void Num(std::string_view name, long long value) {
        Key(name);
        Value(std::to_string(value));
    }
    void Real(std::string_view name, double value) {
        Key(name);
        Value(Number(value));
    }
    void Bool(std::string_view name, bool value) {
        Key(name);
        Value(value ? "true" : "false");
    }
    // A value already written as JSON, after its key or as an item.
    void Value(std::string_view json) {
        Comma();
        out += json;
        fresh_ = false;
    }
    void Open(char bracket) {
        Comma();
        out += bracket;
        fresh_ = true;
    }
    void Close(char bracket) {
        out += bracket;
        fresh_ = false;
    }
    void Item(std::string_view value) { Value(Quoted(value)); }
    void Item(long long value) { Value(std::to_string(value)); }
    void RealItem(double value) { Value(Number(value)); }

private:
    bool fresh_ = true;
    void Comma() {
        if (!fresh_) out += ',';
        fresh_ = false;
    }
};

// {"a":1,"b":"x"} built member by member.
class JsonObject {
public:
    JsonObject() { w_.Open('{'); }
    JsonObject& Raw(std::string_view key, std::string_view json) {
        w_.Key(key);
        w_.Value(json);
        return *this;
    }
    JsonObject& Str(std::string_view key, std::string_view text) { return Raw(key, Quoted(text)); }
    JsonObject& Num(std::string_view key, double value) { return Raw(key, Number(value)); }
    JsonObject& Bool(std::string_view key, bool value) { return Raw(key, value ? "true" : "false"); }
    std::string Text() const { return w_.out + "}"; }

private:
    JsonWriter w_;
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
