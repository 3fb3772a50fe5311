#include "sim/JsonOutput.h"

#include "season/Utf8.h"

namespace karven::sim {

namespace {
// dump(2) of a value that stands `depth` levels down: each of its lines moves right by as much.
// A line break inside a string is written as "\n", so every real one is a line of the layout.
std::string Indented(const Json& value, int depth) {
    return ReplaceAll(value.dump(2), "\n", "\n" + std::string(size_t(2 * depth), ' '));
}
} // namespace

SpooledArray::SpooledArray() : file_(std::tmpfile()), good_(file_ != nullptr) {}

SpooledArray::~SpooledArray() {
    if (file_) std::fclose(file_);
}

void SpooledArray::Push(const Json& element) {
    if (!good_) return;
    std::string text = (count_ > 0 ? ",\n    " : "    ") + Indented(element, 2);
    good_ = std::fwrite(text.data(), 1, text.size(), file_) == text.size();
    ++count_;
}

bool SpooledArray::Good() const { return good_ && std::ferror(file_) == 0; }

void SpooledArray::WriteTo(std::ostream& out) {
    if (count_ == 0) {
        out << "[]";
        return;
    }
    out << "[\n";
    std::rewind(file_);
    char buffer[1 << 16];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file_)) > 0;) out.write(buffer, std::streamsize(n));
    if (std::ferror(file_)) good_ = false;
    out << "\n  ]";
}

void TopLevelWriter::Name(const std::string& name) {
    out_ << (first_ ? "{\n  " : ",\n  ") << Json(name).dump() << ": ";
    first_ = false;
}

void TopLevelWriter::Member(const std::string& name, const Json& value) {
    Name(name);
    out_ << Indented(value, 1);
}

void TopLevelWriter::Member(const std::string& name, SpooledArray& value) {
    Name(name);
    value.WriteTo(out_);
}

void TopLevelWriter::Close() { out_ << (first_ ? "{}" : "\n}") << "\n"; }

} // namespace karven::sim
