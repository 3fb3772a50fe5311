#include "season/SharedText.h"

#include <algorithm>
#include <unordered_map>

namespace karven {
namespace {

// The long texts alive on this thread, by their content. Each thread keeps its own (the odds play
// seasons on several), so no lock is taken; a text handed to another thread is shared all the same.
class LongTexts {
public:
    std::shared_ptr<const std::string> Take(std::string text) {
        auto found = texts_.find(text);
        if (found != texts_.end()) return found->second;
        auto shared = std::make_shared<const std::string>(std::move(text));
        // Texts nobody holds any more (the table's the only hold left) go as the table doubles.
        if (texts_.size() >= sweepAt_) {
            std::erase_if(texts_, [](const auto& entry) { return entry.second.use_count() == 1; });
            sweepAt_ = std::max<size_t>(64, texts_.size() * 2);
        }
        texts_.emplace(std::string_view(*shared), shared);
        return shared;
    }

private:
    // Keyed by a view of the text the entry itself holds: the text is not kept twice.
    std::unordered_map<std::string_view, std::shared_ptr<const std::string>> texts_;
    size_t sweepAt_ = 64;
};

} // namespace

SharedText::SharedText(std::string text) {
    if (text.size() < SharedFrom) {
        own_ = std::move(text);
        return;
    }
    thread_local LongTexts texts;
    shared_ = texts.Take(std::move(text));
}

} // namespace karven
