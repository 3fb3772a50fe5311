#include "season/ValueReader.h"

#include "season/Utf8.h"

namespace karven {

namespace {
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
} // namespace

bool ValueReader::Next(std::string& value) {
    const size_t size = text_.size();
    if (pos_ >= size && !afterComma_) return false;
    afterComma_ = false;
    while (pos_ < size && text_[pos_] == ' ') ++pos_;

    size_t end;
    if (pos_ < size && text_[pos_] == '"') {
        size_t close = text_.find('"', pos_ + 1);
        if (close == std::string_view::npos) close = size;
        value = Trim(text_.substr(pos_ + 1, close - pos_ - 1));
        end = close < size ? close + 1 : size;
        // Whatever stands between the closing quote and the delimiter is dropped.
        while (end < size && text_[end] != ',' && !IsLineEnd(text_[end])) ++end;
    } else {
        end = pos_;
        while (end < size && text_[end] != ',' && !IsLineEnd(text_[end])) ++end;
        value = Trim(text_.substr(pos_, end - pos_));
    }

    pos_ = end;
    if (pos_ < size) {
        if (text_[pos_] == ',') {
            afterComma_ = true;
            ++pos_;
        } else if (text_[pos_] == '\r') {
            ++pos_;
            if (pos_ < size && text_[pos_] == '\n') ++pos_;
        } else {
            ++pos_;
        }
    }
    return true;
}

} // namespace karven
