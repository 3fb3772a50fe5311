#pragma once
// A call the player makes for his team: a question in the rules' style with two answers. Enter
// gives the focused answer; Esc and the close box give what the rules' own roll said.

#include <string>

#include "shell/Form.h"

namespace karven {
class Shell;
}

namespace karven::principal {

struct Call {
    std::string title;    // "ピットイン", "タイヤ", "残留"
    std::string text;     // the situation, lines ending with CR LF, and the question
    std::string yes, no;  // the two answers, in Japanese
    bool rules = false;   // the answer of the rules' roll: the window's default
    std::string summary;  // what passed unseen before it, shown above; "" for none
};

class FrmCall : public Form {
public:
    FrmCall(Shell& shell, const Call& call);
    void Load() override;
    void QueryClose() override;

    static constexpr const char* FormName = "frmkarvencall";
    bool answer = false;

private:
    Shell& shell_;
    bool rules_;
};

// Asks the player; the rules' answer when he dismisses the window.
bool Ask(Shell& shell, const Call& call);

} // namespace karven::principal
