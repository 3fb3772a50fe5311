#include "season/Values.h"

#include "season/Utf8.h"

namespace karven {

bool AppendValue(std::string& line, const std::string& raw) {
    std::string value = Trim(raw); // the reader trims every value
    if (value.find_first_of("\r\n") != std::string::npos) return false;
    if (value.find(',') != std::string::npos) {
        if (value.find('"') != std::string::npos) return false;
        line += '"' + value + '"';
        return true;
    }
    if (!value.empty() && value.front() == '"') return false;
    line += value;
    return true;
}

} // namespace karven
