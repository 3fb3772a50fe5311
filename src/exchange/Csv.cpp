#include "exchange/Csv.h"

#include "season/Cp932.h"
#include "season/Translate.h"
#include "season/Utf8.h"
#include "shell/Shell.h"

namespace karven::csv {

namespace {
bool Blank(char c) { return c == ' ' || c == '\t'; }

// What a spreadsheet takes for the start of a formula (OWASP's list for CSV injection).
bool Formula(char c) { return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r'; }

// A negative number as the season writes one ("-2", "-0.05"): a number to a spreadsheet, not a formula.
bool PlainNegative(std::string_view v) {
    if (v.size() < 2 || v[0] != '-') return false;
    bool digits = false, point = false;
    for (char c : v.substr(1)) {
        if (c == '.' && !point && digits) point = true;
        else if (c >= '0' && c <= '9') digits = true;
        else return false;
    }
    return v.back() != '.';
}

// Whether a value needs the apostrophe a spreadsheet shows as text: one that opens like a formula,
// after any apostrophes of its own. A value that is apostrophes before a formula gets one more, so
// the reader takes exactly one away; before anything else an apostrophe is the value's own ("''abc"
// stays "''abc" both ways).
bool NeedsTextMark(std::string_view v) {
    size_t first = v.find_first_not_of('\'');
    if (first == std::string_view::npos) return false;
    return Formula(v[first]) && !PlainNegative(v.substr(first));
}
} // namespace

bool DecodeText(std::string_view bytes, std::string& text, std::string& problem) {
    if (bytes.starts_with(ByteOrderMark)) {
        bytes.remove_prefix(ByteOrderMark.size());
        if (!Utf8IsValid(bytes)) {
            problem = Tr("UTF-8 として読めない文字があります！");
            return false;
        }
        text.assign(bytes);
    } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        problem = Tr("UTF-16 のファイルは読めません。\r\nUTF-8 で保存してください！");
        return false;
    } else if (Utf8IsValid(bytes)) {
        text.assign(bytes);
    } else if (!DecodeCp932(bytes, text)) {
        problem = Tr("文字コードが UTF-8 でも\r\nシフトJIS でもありません！");
        return false;
    }
    if (text.find('\0') != std::string::npos) {
        problem = Tr("テキストのファイルではありません！");
        return false;
    }
    return true;
}

bool Parse(std::string_view text, std::vector<Record>& records, int& problemLine, std::string& problem) {
    records.clear();
    const size_t n = text.size();
    size_t i = 0;
    int line = 1;
    // The length of the line break at `at`: CR LF, LF or a lone CR; 0 for none.
    auto breakAt = [&](size_t at) -> size_t {
        if (at >= n) return 0;
        if (text[at] == '\r') return at + 1 < n && text[at + 1] == '\n' ? 2 : 1;
        return text[at] == '\n' ? 1 : 0;
    };
    while (i < n) {
        Record record;
        record.line = line;
        for (;;) {
            std::string value;
            size_t start = i;
            while (start < n && Blank(text[start])) ++start;
            if (start < n && text[start] == '"') {
                const int opened = line;
                i = start + 1;
                for (;;) {
                    if (i >= n) {
                        problemLine = opened;
                        problem = Tr("「\"」で始まる値が閉じていません！");
                        return false;
                    }
                    if (text[i] == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            value += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (size_t b = breakAt(i)) {
                        value.append(text.substr(i, b));
                        i += b;
                        ++line;
                        continue;
                    }
                    value += text[i++];
                }
                while (i < n && Blank(text[i])) ++i;
                if (i < n && text[i] != ',' && !breakAt(i)) {
                    problemLine = line;
                    problem = Tr("「\"」で閉じた値のあとに\r\n余分な文字があります！");
                    return false;
                }
            } else {
                // A quote inside a value that did not open with one is taken as it stands.
                while (i < n && text[i] != ',' && !breakAt(i)) value += text[i++];
            }
            if (value.starts_with('\'') && NeedsTextMark(std::string_view(value).substr(1))) value.erase(0, 1);
            record.values.push_back(std::move(value));
            if (i < n && text[i] == ',') {
                ++i;
                if (i < n) continue;
                record.values.emplace_back(); // a comma at the very end promises one more, empty value
            }
            if (size_t b = breakAt(i)) {
                i += b;
                ++line;
            }
            break;
        }
        records.push_back(std::move(record));
    }
    return true;
}

std::string Field(std::string_view raw) {
    std::string marked;
    if (NeedsTextMark(raw)) marked = "'" + std::string(raw);
    std::string_view value = marked.empty() ? raw : marked;
    bool quote = value.find_first_of(",\"\r\n") != std::string_view::npos ||
                 (!value.empty() && (Blank(value.front()) || Blank(value.back())));
    if (!quote) return std::string(value);
    std::string out = "\"";
    for (char c : value) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string Line(const std::vector<std::string>& values) {
    std::string line;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) line += ',';
        line += Field(values[i]);
    }
    line += "\r\n";
    return line;
}

} // namespace karven::csv
