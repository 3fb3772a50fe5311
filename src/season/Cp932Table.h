#pragma once
// Code page 932 from a table of our own, for C libraries whose iconv lacks it (the browser
// build's). The table is iconv's CP932, code for code; a desktop test holds it to that. The one
// difference: the characters iconv writes as nothing (the tag characters) are refused.

#include <string>
#include <string_view>

namespace karven {

// False when the bytes are not code page 932 text: a byte that is no character, a lead byte
// cut off at the end or followed by no trail byte of its row.
bool DecodeCp932Table(std::string_view bytes, std::string& utf8);
// False when the text is not UTF-8 or holds a character code page 932 cannot write, or one it
// would write as nothing.
bool EncodeCp932Table(std::string_view utf8, std::string& bytes);

} // namespace karven
