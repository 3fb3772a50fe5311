#pragma once
// 遊び方: a short illustrated guide to the game, from the Help menu.

#include <string>

#include "shell/Form.h"

namespace karven {

class Shell;

class FrmGuide : public Form {
public:
    explicit FrmGuide(Shell& shell);
    void Load() override;

private:
    Shell& shell_;
};

// The guide's text in simple HTML; its pictures are the game's own, below `appPath`.
std::string GuideText(const std::string& appPath);

void ShowGuide(Shell& shell);

} // namespace karven
