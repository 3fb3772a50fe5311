#include "season/Cp932Table.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace karven {

namespace {
#include "season/Cp932Table.inc"

constexpr int PairRow(unsigned lead) {
    if (lead >= 0x81 && lead <= 0x9F) return int(lead - 0x81);
    if (lead >= 0xE0 && lead <= 0xFC) return int(lead - 0xE0 + 0x1F);
    return -1;
}

void AppendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Reads one character; false on bytes that are not UTF-8 (overlong forms and surrogates too).
bool NextUtf8(std::string_view text, size_t& i, uint32_t& c) {
    const auto byte = [&](size_t k) { return uint8_t(text[k]); };
    const uint8_t b = byte(i);
    int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || i + size_t(extra) >= text.size()) return false;
    c = extra == 0 ? b : uint32_t(b & (0x3F >> extra));
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return false;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr uint32_t Least[] = {0, 0x80, 0x800, 0x10000};
    if (c < Least[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    i += size_t(extra) + 1;
    return true;
}

// Character → code, built once from the tables: the first code that reads as each character,
// then the encoder's own choices.
struct Encoder {
    std::vector<uint16_t> codes = std::vector<uint16_t>(0x10000, 0); // 0: none (NUL is written apart)
    Encoder() {
        for (unsigned b = 255; b > 0; --b)
            if (Cp932Singles[b] > 0) codes[size_t(Cp932Singles[b])] = uint16_t(b);
        const size_t rows = sizeof Cp932Pairs / sizeof Cp932Pairs[0];
        for (size_t r = rows; r-- > 0;) {
            const unsigned lead = r < 0x1F ? 0x81 + unsigned(r) : 0xE0 + unsigned(r) - 0x1F;
            for (unsigned t = Cp932LastTrail + 1u; t-- > Cp932FirstTrail;) {
                const uint16_t c = Cp932Pairs[r][t - Cp932FirstTrail];
                if (c != 0 && !HasSingle(c)) codes[c] = uint16_t(lead << 8 | t);
            }
        }
        for (const auto& extra : Cp932Extras) codes[extra.character] = extra.code;
    }
    bool HasSingle(uint16_t c) const { return codes[c] != 0 && codes[c] < 0x100; }
};
} // namespace

bool DecodeCp932Table(std::string_view bytes, std::string& utf8) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned b = uint8_t(bytes[i]);
        if (Cp932Singles[b] >= 0) {
            AppendUtf8(out, uint32_t(Cp932Singles[b]));
            continue;
        }
        const int row = PairRow(b);
        if (row < 0 || i + 1 >= bytes.size()) return false;
        const unsigned t = uint8_t(bytes[++i]);
        if (t < Cp932FirstTrail || t > Cp932LastTrail) return false;
        const uint16_t c = Cp932Pairs[row][t - Cp932FirstTrail];
        if (c == 0) return false;
        AppendUtf8(out, c);
    }
    utf8 = std::move(out);
    return true;
}

bool EncodeCp932Table(std::string_view utf8, std::string& bytes) {
    static const Encoder encoder;
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        uint32_t c = 0;
        if (!NextUtf8(utf8, i, c)) return false;
        if (c == 0) {
            out += '\0';
            continue;
        }
        // iconv writes these as no bytes at all; the text would not read back.
        if (c >= Cp932DroppedFirst && c <= Cp932DroppedLast) return false;
        const uint16_t code = c < 0x10000 ? encoder.codes[c] : 0;
        if (code == 0) return false;
        if (code >= 0x100) out += char(code >> 8);
        out += char(code & 0xFF);
    }
    bytes = std::move(out);
    return true;
}

} // namespace karven
