#pragma once
// Code page 932 (Shift_JIS as Windows writes it) exists only at the file boundary.

#include <string>
#include <string_view>

namespace karven {

// False when the bytes are not code page 932 text (including NUL bytes).
bool DecodeCp932(std::string_view bytes, std::string& utf8);
// False when a character cannot be written in code page 932, or is a NUL or a tag character
// (U+E0000 to U+E007F, which iconv would write as nothing).
bool EncodeCp932(std::string_view utf8, std::string& bytes);
bool CanEncodeCp932(std::string_view utf8);
// Replaces the Unicode twins of code page 932 characters (WAVE DASH and the like) by the forms the
// code page reads back as, so a name typed with either saves and reads back the same.
std::string ToCp932Forms(std::string_view utf8);

} // namespace karven
