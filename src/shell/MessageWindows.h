#pragma once
// The program's own message windows: a notice, a question and the race commentary.

#include "shell/Form.h"

namespace karven {

class Shell;

// Offsets of the commentary window from the main window's lower right corner, in pixels.
constexpr int CommentInsetRight = 250 / 15;
constexpr int CommentInsetBottom = 1300 / 15;

class FrmMsgOk : public Form {
public:
    explicit FrmMsgOk(Shell& shell);
    void Load() override;

private:
    Shell& shell_;
};

class FrmMsgOkCancel : public Form {
public:
    explicit FrmMsgOkCancel(Shell& shell);
    void Load() override;
    // A question dismissed with the window's close box is not agreed to: it counts as Cancel.
    void QueryClose() override;

private:
    Shell& shell_;
};

class FrmKarvenMsg : public Form {
public:
    explicit FrmKarvenMsg(Shell& shell);
    void Load() override;

private:
    Shell& shell_;
};

// Unsaved work before it would be thrown away: 保存, 保存しない or キャンセル.
class FrmAskSave : public Form {
public:
    enum class Answer { Save, Discard, Cancel };
    explicit FrmAskSave(Shell& shell);
    void Load() override;
    void QueryClose() override; // the close box cancels
    Answer answer = Answer::Cancel;

private:
    Shell& shell_;
};

void ShowOk(Shell& shell);
int AskOkCancel(Shell& shell);
void ShowComment(Shell& shell);

} // namespace karven
