#include "shell/Grades.h"

#include "season/Numbers.h"

namespace karven {

namespace {
// Letters by character code: "A" is 65, "E" 69; technique's "S" stands just above "A", at 64.
int Code(int value, Scale scale) {
    return scale == Scale::High ? 70 - value : 64 + value;
}
int Value(int code, Scale scale) {
    return scale == Scale::High ? 70 - code : code - 64;
}
} // namespace

std::string GradeLetter(std::string_view stored, Scale scale) {
    int value = ReadCount(stored);
    if (scale == Scale::Technique && value == 0) return "S";
    int code = Code(value, scale);
    return code > 32 && code < 127 ? std::string(1, char(code)) : "?";
}

void StepGrade(std::string& stored, Scale scale, int step) {
    // Judged on the letter shown. A value off the scale steps towards it and never further away,
    // so a technique beyond "E" cannot run on through the alphabet.
    int code = Code(ReadCount(stored), scale) + step;
    int top = scale == Scale::Technique ? 64 : 65;
    if (step < 0 ? code < top : code > 69) return;
    stored = FormatPlain(Value(code, scale));
}

} // namespace karven
