#pragma once
// The season file as a stream of values: a value ends at a comma or a line end, leading spaces are
// skipped, a value opening with a double quote runs to the next one and may hold commas.

#include <string>
#include <string_view>

namespace karven {

class ValueReader {
public:
    explicit ValueReader(std::string_view text) : text_(text) {}
    // The next value, trimmed; false at the end of the text.
    bool Next(std::string& value);
    // Whether the value last taken ended its line (a line end or the end of the text, not a comma).
    bool EndedLine() const { return !afterComma_; }
    // Where the text after the value last taken and its delimiter begins.
    size_t Offset() const { return pos_; }

private:
    std::string_view text_;
    size_t pos_ = 0;
    bool afterComma_ = false; // a comma promises one more value, even at the very end
};

} // namespace karven
