#include "support/ScriptedPlatform.h"

#include <stdexcept>

namespace karven::test {

std::string ScriptedPlatform::ChooseFile(FileDialogMode mode, const std::string&, const std::string&) {
    fileDialogs.push_back(mode);
    if (fileAnswers.empty()) return "";
    std::string answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::string ScriptedPlatform::ChooseFolder(const std::string& caption, FolderUse use) {
    folderDialogs.push_back(caption);
    folderUses.push_back(use);
    if (folderAnswers.empty()) return "";
    std::string answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

PictureState ScriptedPlatform::CheckPicture(const std::string& path) {
    auto it = pictures.find(path);
    return it == pictures.end() ? otherPictures : it->second;
}

void ScriptedPlatform::Answer(std::initializer_list<bool> answers) {
    for (bool ok : answers)
        script.push_back([ok](Form& f) { f.Click(ok ? "cmdOk" : "cmdCancel"); });
}

std::vector<std::string> ScriptedPlatform::Texts() const {
    std::vector<std::string> texts;
    for (const ShownWindow& w : shown)
        if (!w.text.empty()) texts.push_back(w.text);
    return texts;
}

void ScriptedPlatform::RunModal(Form& form) {
    Control* msg = form.Find("lblMsg");
    shown.push_back({form.Name(), form.caption, msg ? msg->text : ""});
    Responder respond = fallback;
    if (!script.empty()) {
        respond = std::move(script.front());
        script.pop_front();
    }
    respond(form);
    if (!form.IsClosed()) throw std::logic_error("the responder left " + form.Name() + " open");
}

void ScriptedRandom::Refill() {
    ++draws;
    served_ = after_;
    if (!values_.empty()) {
        served_ = values_.front();
        values_.pop_front();
    }
    Serve(&served_, &served_ + 1);
}

double RollValue(int roll, int x) { return x <= 0 ? 0.0 : (roll - 0.5) / x; }

} // namespace karven::test
