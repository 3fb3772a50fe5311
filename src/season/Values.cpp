#include "season/Values.h"

#include "season/Utf8.h"

namespace karven {

bool HandValue(const std::string& raw, const std::function<bool(std::string_view)>& hand) {
    // The reader trims every value. Not copied: a name may be long.
    std::string_view value = raw;
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
    if (value.find_first_of("\r\n") != std::string_view::npos) return false;
    if (value.find(',') != std::string_view::npos) {
        if (value.find('"') != std::string_view::npos) return false;
        return hand("\"") && hand(value) && hand("\"");
    }
    if (!value.empty() && value.front() == '"') return false;
    return hand(value);
}

bool AppendValue(std::string& line, const std::string& raw) {
    return HandValue(raw, [&](std::string_view piece) {
        line += piece;
        return true;
    });
}

} // namespace karven
