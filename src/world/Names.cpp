#include "world/Names.h"

#include <cstdint>
#include <vector>

#include "world/Syllables.h"

namespace karven::world {

namespace {
const char* Pick(const std::vector<const char*>& from, Draws& draws) {
    return from[size_t(draws.WholeBetween(0, int(from.size()) - 1))];
}

std::string Word(const std::vector<const char*>& start, const std::vector<const char*>& middle,
                 const std::vector<const char*>& end, int middles, Draws& draws) {
    std::string word = Pick(start, draws);
    for (int i = 0; i < middles; ++i) word += Pick(middle, draws);
    return word + Pick(end, draws);
}

std::string Candidate(Script script, Draws& draws) {
    if (script == Script::Katakana)
        return Word(KanaStart, KanaMiddle, KanaEnd, draws.WholeBetween(0, 1), draws) + "・" +
               Word(KanaStart, KanaMiddle, KanaEnd, draws.WholeBetween(1, 2), draws);
    return Word(LatinStart, LatinMiddle, LatinEnd, draws.WholeBetween(0, 1), draws) + " " +
           Word(LatinStart, LatinMiddle, LatinEnd, draws.WholeBetween(1, 2), draws);
}
} // namespace

Script ScriptOf(const std::vector<std::string>& names) {
    size_t latin = 0;
    for (const std::string& name : names) {
        bool ascii = !name.empty();
        for (unsigned char c : name) ascii = ascii && c < 0x80;
        latin += ascii;
    }
    return 2 * latin > names.size() ? Script::Latin : Script::Katakana;
}

std::string NewName(Script script, const std::set<std::string>& taken, Draws& draws) {
    for (int attempt = 0;; ++attempt) {
        std::string name = Candidate(script, draws);
        // After many meetings of the same syllables, a number tells the newcomer apart.
        if (attempt >= 64) name += " " + std::to_string(attempt);
        if (!taken.count(name)) return name;
    }
}

} // namespace karven::world
