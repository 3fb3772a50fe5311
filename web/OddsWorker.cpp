// The title odds in a Web Worker: the request the game made, read back here, played as the game's
// own thread would play it, its answers posted to the page as they come.

#include <emscripten.h>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "odds/OddsCount.h"

namespace {
EM_JS(void, PostAnswer, (const char* answer), { Module.postAnswer(UTF8ToString(answer)); });
} // namespace

// `seedText` and `runsText`: the address's fixed seed and runs for tests, "" none; a worker has
// one thread.
extern "C" EMSCRIPTEN_KEEPALIVE void RunOdds(const char* path, const char* seedText, const char* runsText) {
    std::ifstream in(path, std::ios::binary);
    std::string request((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    karven::OddsRequest r;
    if (karven::ReadOddsRequest(request, r)) {
        r.threads = 1;
        if (*seedText) r.seed = std::strtoull(seedText, nullptr, 10);
        if (*runsText) {
            r.runs = std::max(1, std::min(10000000, std::atoi(runsText)));
            r.stopAfterMs = 0;
        }
        request = karven::OddsRequestText(r);
    }
    const std::atomic<bool> never{false};
    karven::CountOdds(request, [](const std::string& answer) { PostAnswer(answer.c_str()); }, never);
}
