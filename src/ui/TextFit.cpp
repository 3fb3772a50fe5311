#include "ui/TextFit.h"

#include <QStringList>
#include <algorithm>
#include <string>
#include <string_view>

namespace karven::ui {

namespace {
bool In(char32_t c, std::u32string_view set) { return set.find(c) != std::u32string_view::npos; }

bool Hiragana(char32_t c) { return c >= 0x3041 && c <= 0x309F; }
bool Space(char32_t c) { return c == ' ' || c == 0x3000 || c == '\t'; }

// Never at the start of a line: closing punctuation, the long-vowel mark, small kana.
bool NoStart(char32_t c) {
    return In(c, U"、。，．,.！？!?）)」』】〕・…ー～ーぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ%％") || c == 0xFF70;
}
// Never at the end of a line: opening brackets.
bool NoEnd(char32_t c) { return In(c, U"（(「『【〔"); }
// A sentence or a clause ends after these.
bool Closing(char32_t c) { return In(c, U"、。，．,！？!?）)」』】〕…・"); }

int Width(const QFontMetrics& metrics, const std::u32string& s, size_t from, size_t to) {
    return metrics.horizontalAdvance(QString::fromStdU32String(s.substr(from, to - from)));
}

// The line without the spaces it ends with, which a break leaves behind.
QString LineOf(const std::u32string& s, size_t from, size_t to) {
    while (to > from && Space(s[to - 1])) --to;
    return QString::fromStdU32String(s.substr(from, to - from));
}

// One line of text, wrapped.
void WrapLine(const std::u32string& s, const QFontMetrics& metrics, int width, QStringList& lines) {
    size_t start = 0;
    while (start < s.size()) {
        // Lines do not begin with the spaces a break left.
        while (start < s.size() && Space(s[start])) ++start;
        if (start >= s.size()) break;
        if (Width(metrics, s, start, s.size()) <= width) {
            lines << LineOf(s, start, s.size());
            break;
        }
        // The last phrase boundary that still fits; failing that, the last character that does.
        size_t phrase = 0, character = 0;
        for (size_t end = start + 1; end < s.size(); ++end) {
            if (Width(metrics, s, start, end) > width && !Space(s[end - 1])) break;
            if (MayBreakBetween(s[end - 1], s[end])) phrase = end;
            if (!NoStart(s[end]) && !NoEnd(s[end - 1])) character = end;
        }
        size_t end = phrase ? phrase : character ? character : start + 1;
        lines << LineOf(s, start, end);
        start = end;
    }
}
} // namespace

bool MayBreakBetween(char32_t a, char32_t b) {
    if (Space(b)) return false; // the break comes after the spaces
    if (Space(a)) return true;
    if (NoStart(b) || NoEnd(a)) return false;
    if (Closing(a) || NoEnd(b)) return true;
    // A phrase ends in kana where a new word begins: "ドライバーを|選択して".
    return Hiragana(a) && !Hiragana(b);
}

QString WrapText(const QString& text, const QFontMetrics& metrics, int width, const QString& breakFirst) {
    QStringList lines;
    for (const QString& line : text.split('\n')) {
        if (metrics.horizontalAdvance(line) <= width) {
            lines << line;
            continue;
        }
        // "Team・Engine": the team on one line, the engine on the next.
        int at = breakFirst.isEmpty() ? -1 : line.indexOf(breakFirst);
        if (at > 0 && at + breakFirst.size() < line.size()) {
            WrapLine(line.left(at + breakFirst.size()).toStdU32String(), metrics, width, lines);
            WrapLine(line.mid(at + breakFirst.size()).toStdU32String(), metrics, width, lines);
        } else {
            WrapLine(line.toStdU32String(), metrics, width, lines);
        }
    }
    return lines.join('\n');
}

QString KeepPhrasesTogether(const QString& html) {
    const std::u32string in = html.toStdU32String();
    std::u32string out;
    out.reserve(in.size() * 2);
    bool markup = false; // inside <...> or &...;
    char32_t last = 0;   // the text character before, markup aside
    for (char32_t c : in) {
        if (c == '<' || c == '&') markup = true;
        if (markup) {
            out += c;
            if (c == '>' || c == ';') markup = false;
            continue;
        }
        // Only between Japanese characters: Latin words keep their own spaces.
        if (last >= 0x3000 && c >= 0x3000 && !MayBreakBetween(last, c)) out += char32_t(0x2060);
        out += c;
        last = c;
    }
    return QString::fromStdU32String(out);
}

FittedText FitText(const QString& text, const QFontMetrics& metrics, int width, int height, bool wrap,
                   const QString& breakFirst) {
    QStringList lines = (wrap ? WrapText(text, metrics, width, breakFirst) : text).split('\n');
    FittedText fitted;
    if (wrap && lines.size() > 1) {
        // As many lines as the box holds; the last of them says that more follows.
        int room = std::max(1, (height + metrics.leading()) / std::max(1, metrics.lineSpacing()));
        if (lines.size() > room) {
            QString last = lines[room - 1];
            lines = lines.mid(0, room);
            lines.last() = metrics.elidedText(last + QChar(0x2026), Qt::ElideRight, width);
            fitted.elided = true;
        }
    }
    for (QString& line : lines) {
        if (metrics.horizontalAdvance(line) <= width) continue;
        line = metrics.elidedText(line, Qt::ElideRight, width);
        fitted.elided = true;
    }
    fitted.text = lines.join('\n');
    return fitted;
}

std::vector<int> FitColumns(const std::vector<ColumnNeed>& columns, int room) {
    std::vector<int> widths;
    int natural = 0, least = 0, sharing = 0, widest = 0;
    for (const ColumnNeed& c : columns) {
        natural += std::max(c.natural, c.least);
        least += c.least;
        sharing += c.share;
        widest = std::max(widest, c.natural);
    }
    if (natural <= room) {
        int spare = room - natural, given = 0, nth = 0;
        for (const ColumnNeed& c : columns) {
            int extra = 0;
            if (c.share) extra = spare * ++nth / sharing - given; // the rounding spread, all of it given
            given += extra;
            widths.push_back(std::max(c.natural, c.least) + extra);
        }
        return widths;
    }
    // The largest cap at which the columns, each min(natural, max(least, cap)), still fit.
    auto at = [&columns](int cap) {
        int sum = 0;
        for (const ColumnNeed& c : columns) sum += std::min(std::max(c.natural, c.least), std::max(c.least, cap));
        return sum;
    };
    int low = 0, high = widest;
    while (low < high) {
        int mid = (low + high + 1) / 2;
        if (at(mid) <= room) low = mid;
        else high = mid - 1;
    }
    int left = least <= room ? room - at(low) : 0; // less than one pixel for each capped column
    for (const ColumnNeed& c : columns) {
        int width = std::min(std::max(c.natural, c.least), std::max(c.least, low));
        if (left > 0 && width < c.natural && width == low) ++width, --left;
        widths.push_back(width);
    }
    return widths;
}

} // namespace karven::ui
