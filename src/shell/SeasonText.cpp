#include "shell/SeasonText.h"

#include "season/Cp932.h"
#include "season/Utf8.h"
#include "shell/Form.h"

namespace karven {

namespace {
bool IsControl(const std::string& ch) {
    if (ch.size() == 1) return (unsigned char)ch[0] < 0x20 || ch[0] == 0x7F;
    if (ch.size() == 2) return (unsigned char)ch[0] == 0xC2 && (unsigned char)ch[1] < 0xA0; // C1 controls
    return false;
}

// The character must read back as itself, not merely encode: the code page's twins (WAVE DASH
// and the like) encode, but read back as their other form.
bool ReadsBackAsItself(const std::string& ch) {
    std::string bytes, back;
    return EncodeCp932(ch, bytes) && DecodeCp932(bytes, back) && back == ch;
}
} // namespace

std::string FileSafeName(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const std::string& ch : Utf8Chars(ToCp932Forms(LineBreaksToSpaces(text)))) {
        if (ch == ",") out += "，";
        else if (ch == "\"") out += "＂";
        else if (IsControl(ch)) continue;
        else if (!ReadsBackAsItself(ch)) out += "？";
        else out += ch;
    }
    return out;
}

std::string UnsavableCharacter(std::string_view text) {
    for (const std::string& ch : Utf8Chars(ToCp932Forms(LineBreaksToSpaces(text))))
        if (ch != "," && ch != "\"" && !IsControl(ch) && !ReadsBackAsItself(ch)) return ch;
    return "";
}

void KeepFileSafe(Control& textBox) {
    textBox.maxLength = NameLength;
    textBox.onChange = [&textBox] {
        std::string safe = FileSafeName(textBox.text);
        if (safe != textBox.text) textBox.text = std::move(safe);
    };
}

} // namespace karven
