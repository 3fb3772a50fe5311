#pragma once
// karven-sim's --json output, written exactly as dump(2) of the whole object would write it, with
// the arrays that grow with every race and season kept in a temporary file rather than in memory.

#include <cstdio>
#include <ostream>
#include <string>

#include "sim/SeasonJson.h"

namespace karven::sim {

// An array member of the top-level object, its elements written out as they come.
class SpooledArray {
public:
    SpooledArray();
    ~SpooledArray();
    SpooledArray(const SpooledArray&) = delete;
    SpooledArray& operator=(const SpooledArray&) = delete;

    void Push(const Json& element);
    // False when the temporary file could not be made or could not take every element.
    bool Good() const;
    // The array as it stands one level inside the top-level object.
    void WriteTo(std::ostream& out);

private:
    std::FILE* file_;
    size_t count_ = 0;
    bool good_;
};

// The top-level object, member by member.
class TopLevelWriter {
public:
    explicit TopLevelWriter(std::ostream& out) : out_(out) {}
    void Member(const std::string& name, const Json& value);
    void Member(const std::string& name, SpooledArray& value);
    // The closing brace and the line end.
    void Close();

private:
    void Name(const std::string& name);
    std::ostream& out_;
    bool first_ = true;
};

} // namespace karven::sim
