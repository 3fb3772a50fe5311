#pragma once
// One season file read for the import: its header of column names and its rows, values trimmed.

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/Csv.h"
#include "exchange/SeasonCsv.h"

namespace karven::exchange {

// A refusal on its way from deep in a file up to ImportSeasonCsv.
struct Refused {
    ImportRefusal refusal;
};
[[noreturn]] void Refuse(const std::string& file, int line, std::string column, std::string what);

struct Sheet {
    std::string file;
    std::vector<csv::Record> rows;         // the records after the header, blank ones left out
    std::map<std::string, size_t> columns; // the columns wanted, by name, and where each stands

    // The value of that column in a row; every wanted column is there.
    const std::string& Value(const csv::Record& row, const char* column) const {
        return row.values[columns.at(column)];
    }
};

// Reads the file's text and checks its shape: a header naming every wanted column once (in any
// order, in any case; other columns are left alone), then rows of exactly as many values.
Sheet ReadSheet(const std::string& file, std::string_view bytes, std::initializer_list<const char*> wanted);

// "U+00E4": a character named so the player can find it whatever his font shows.
std::string CodePointText(std::string_view character);

} // namespace karven::exchange
