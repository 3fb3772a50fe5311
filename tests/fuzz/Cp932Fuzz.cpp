// The code page 932 codec, both ways; and our table, which the browser build converts with,
// against iconv on whole texts.
#include <string>

#include "FuzzSupport.h"
#include "season/Cp932.h"
#include "season/Cp932Table.h"
#include "season/Utf8.h"

using namespace karven;
using namespace karven::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // As file bytes: what decodes is valid text that encodes again and decodes to the same text.
    std::string text, viaTable;
    const bool decoded = DecodeCp932(input, text);
    if (input.find('\0') == std::string_view::npos) {
        Require(DecodeCp932Table(input, viaTable) == decoded, "the table reads what iconv reads");
        Require(!decoded || viaTable == text, "the table reads as iconv does");
    }
    if (decoded) {
        Require(Utf8IsValid(text), "decoded text is UTF-8");
        Require(text.find('\0') == std::string::npos, "no NUL in decoded text");
        std::string bytes, again;
        Require(EncodeCp932(text, bytes), "decoded text encodes");
        Require(DecodeCp932(bytes, again) && again == text, "decoded text round-trips");
    }

    // As typed text: what encodes reads back as its code page forms.
    std::string bytes;
    const bool encoded = EncodeCp932(input, bytes);
    if (Utf8IsValid(input) && input.find('\0') == std::string_view::npos) {
        std::string tableBytes;
        Require(EncodeCp932Table(ToCp932Forms(input), tableBytes) == encoded, "the table writes what iconv writes");
        Require(!encoded || tableBytes == bytes, "the table writes as iconv does");
    }
    if (encoded) {
        Require(Utf8IsValid(input), "only UTF-8 encodes");
        Require(CanEncodeCp932(input), "CanEncodeCp932 agrees");
        std::string back;
        Require(DecodeCp932(bytes, back), "encoded text decodes");
        Require(back == ToCp932Forms(input), "encoded text reads back as its code page forms");
    } else {
        Require(!CanEncodeCp932(input), "CanEncodeCp932 agrees");
    }
    return 0;
}
