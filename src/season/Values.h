#pragma once
// Writing one value of the season file as its reader (ValueReader) will read it back.

#include <string>

namespace karven {

// Appends the value, trimmed as the reader trims, quoted when it holds a comma; false when the
// format cannot carry it (a line break, or a double quote where the quoting rule needs one).
bool AppendValue(std::string& line, const std::string& raw);

} // namespace karven
