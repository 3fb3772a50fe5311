#pragma once
// Writing one value of the season file as its reader (ValueReader) will read it back.

#include <functional>
#include <string>
#include <string_view>

namespace karven {

// Appends the value, trimmed as the reader trims, quoted when it holds a comma; false when the
// format cannot carry it (a line break, or a double quote where the quoting rule needs one).
bool AppendValue(std::string& line, const std::string& raw);
// The same value handed over in pieces (its quotes, the value), not copied; false as above, or
// when `hand` refuses a piece.
bool HandValue(const std::string& raw, const std::function<bool(std::string_view)>& hand);

} // namespace karven
