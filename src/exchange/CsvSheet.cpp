#include "exchange/CsvSheet.h"

#include <cstdio>

#include "season/Translate.h"
#include "season/Utf8.h"
#include "shell/Shell.h"

namespace karven::exchange {

namespace {
bool Blank(const csv::Record& record) {
    for (const std::string& v : record.values)
        if (!Trim(v).empty()) return false;
    return true;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}
} // namespace

void Refuse(const std::string& file, int line, std::string column, std::string what) {
    throw Refused{{file, line, std::move(column), std::move(what)}};
}

Sheet ReadSheet(const std::string& file, std::string_view bytes, std::initializer_list<const char*> wanted) {
    std::string text, problem;
    if (!csv::DecodeText(bytes, text, problem)) Refuse(file, 0, "", problem);
    std::vector<csv::Record> records;
    int line = 0;
    if (!csv::Parse(text, records, line, problem)) Refuse(file, line, "", problem);
    std::erase_if(records, Blank);
    if (records.empty()) Refuse(file, 0, "", Tr("見出しの行がありません！"));

    Sheet sheet;
    sheet.file = file;
    const csv::Record& header = records.front();
    for (size_t c = 0; c < header.values.size(); ++c) {
        std::string name = Trim(header.values[c]);
        for (const char* w : wanted) {
            if (!SameName(name, w)) continue;
            if (!sheet.columns.emplace(w, c).second) Refuse(file, header.line, w, Tr("この列が 2 つあります！"));
        }
    }
    for (const char* w : wanted)
        if (!sheet.columns.contains(w)) Refuse(file, header.line, w, Tr("この列がありません！"));

    const size_t width = header.values.size();
    for (size_t r = 1; r < records.size(); ++r) {
        csv::Record& row = records[r];
        const size_t n = row.values.size();
        if (n > width)
            Refuse(file, row.line, "", TrF("値が {1} 個あります。\r\n見出しは {2} 列です！", n, width));
        if (n < width)
            Refuse(file, row.line, "", TrF("値が {1} 個しかありません。\r\n見出しは {2} 列です！", n, width));
        for (std::string& v : row.values) v = Trim(v);
        sheet.rows.push_back(std::move(row));
    }
    return sheet;
}

std::string CodePointText(std::string_view character) {
    // Decoded by hand: the character is one valid UTF-8 sequence.
    unsigned code = 0;
    if (!character.empty()) {
        unsigned char c = character[0];
        int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        code = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra && k < int(character.size()); ++k) code = (code << 6) | (character[k] & 0x3F);
    }
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", code);
    return text;
}

} // namespace karven::exchange
