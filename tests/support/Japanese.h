#pragma once
// Whether a text holds Japanese an English player could not read.
#include <string>

namespace karven {

// Kana, kanji, half-width katakana and full-width letters and digits: what an English player could
// not read. Punctuation such as "・" or "（" is not counted.
inline bool HasJapanese(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        unsigned char c = text[i];
        int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t code = c < 0x80 ? c : c < 0xE0 ? c & 0x1F : c < 0xF0 ? c & 0x0F : c & 0x07;
        for (int k = 1; k < length && i + k < text.size(); ++k) code = (code << 6) | (text[i + k] & 0x3F);
        i += length;
        if ((code >= 0x3041 && code <= 0x30FA) || (code >= 0x30FC && code <= 0x30FF) ||
            (code >= 0x4E00 && code <= 0x9FFF) || (code >= 0xFF10 && code <= 0xFF19) ||
            (code >= 0xFF21 && code <= 0xFF3A) || (code >= 0xFF41 && code <= 0xFF5A) ||
            (code >= 0xFF66 && code <= 0xFF9F))
            return true;
    }
    return false;
}

} // namespace karven
