#pragma once
// Texts fitted to the box that shows them: Japanese lines broken between phrases rather than
// inside a word, and what still does not fit ended with "…" so that it never vanishes unseen.

#include <QFontMetrics>
#include <QString>
#include <vector>

namespace karven::ui {

struct FittedText {
    QString text;
    bool elided = false; // something was left out: the whole text belongs in a tooltip
};

// May a line break between the characters a and b? After spaces and punctuation, after "・",
// where a phrase ends in kana and the next word begins; never before closing punctuation or a
// long-vowel mark, never after an opening bracket.
bool MayBreakBetween(char32_t a, char32_t b);

// The text broken into lines no wider than width. A line too long breaks after `breakFirst`
// (when given and present) before anywhere else; a word longer than a line breaks where it must.
QString WrapText(const QString& text, const QFontMetrics& metrics, int width, const QString& breakFirst = {});

// HTML whose text breaks only where MayBreakBetween allows: a word joiner (U+2060) holds the
// characters of a phrase together, so that a document wraps as the labels do.
QString KeepPhrasesTogether(const QString& html);

// The text as a label of width × height shows it: wrapped when `wrap`, otherwise line by line;
// a line that does not fit, or the last line that has room when there are more, ends with "…".
FittedText FitText(const QString& text, const QFontMetrics& metrics, int width, int height, bool wrap,
                   const QString& breakFirst = {});

// What a table's column needs: its heading whole (`least`), its widest entry whole too (`natural`,
// no less than `least`), and whether it takes a share of the room to spare (names do, numbers not).
struct ColumnNeed {
    int least = 0;
    int natural = 0;
    bool share = false;
};

// The columns' widths in `room` pixels. Where there is room, each gets what it needs and the
// columns that share take the rest; where there is not, the widest are narrowed to one width
// (their entries end with "…"), never below their headings: then the widths add up to more than
// the room and the table scrolls.
std::vector<int> FitColumns(const std::vector<ColumnNeed>& columns, int room);

} // namespace karven::ui
