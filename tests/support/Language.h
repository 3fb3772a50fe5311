#pragma once
// A language for the length of a scope, with the built catalogue beside the programs.
#include <string>

#include "season/Translate.h"
#include "support/Japanese.h"

namespace karven {

class LanguageScope {
public:
    explicit LanguageScope(Language language) : before_(CurrentLanguage()) {
        static const bool opened = [] {
            OpenCatalogue(std::string(KARVEN_BIN_DIR) + "locale");
            return true;
        }();
        (void)opened;
        SetLanguage(language);
    }
    ~LanguageScope() { SetLanguage(before_); }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

private:
    Language before_;
};

} // namespace karven
