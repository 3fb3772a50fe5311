#pragma once
// A "character" of user text is a Unicode character; nothing else slices bytes of it.

#include <string>
#include <string_view>
#include <vector>

namespace karven {

bool Utf8IsValid(std::string_view text);
size_t Utf8Length(std::string_view text);
std::vector<std::string> Utf8Chars(std::string_view text);
// Characters [start, start + count), 0-based; clipped to the text.
std::string Utf8Mid(std::string_view text, size_t start, size_t count = std::string::npos);
// The n-th character counted from the end (1 = last); "" when the text is shorter.
std::string Utf8FromEnd(std::string_view text, size_t n);
// The text before the first separator, or the whole text without one.
std::string TextBefore(std::string_view text, std::string_view separator);
std::string Trim(std::string_view text);
// Replaces every occurrence of `from` by `to`.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
// Each line break (CR LF, CR, LF, NEL, the line and paragraph separators) becomes one space: a
// season value sits on one line of the file.
std::string LineBreaksToSpaces(std::string_view text);

} // namespace karven
