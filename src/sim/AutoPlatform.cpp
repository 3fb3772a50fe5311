#include "sim/AutoPlatform.h"

#include <filesystem>

#include "season/Utf8.h"
#include "shell/Form.h"

namespace karven::sim {

void AutoPlatform::Echo(const std::string& text) {
    if (!echo_) return;
    *echo_ << ReplaceAll(text, "\r\n", "\n") << "\n----\n";
}

void AutoPlatform::ShowWarning(const std::string& text) { Echo(text); }

namespace {
// The window offers to skip the rest of qualifying, the race or the market, and skipping changes
// nothing but the windows: no team principal's calls are left to the rolls by it.
bool SkipChangesNothing(Form& form) {
    const Control* skip = form.Find("cmdSkip");
    const Control* decide = form.Find("cmdDecide");
    return skip && skip->visible && skip->enabled && !(decide && decide->visible);
}
} // namespace

void AutoPlatform::RunModal(Form& form) {
    if (Control* msg = form.Find("lblMsg")) Echo(msg->text);
    if (auto it = responders_.find(form.Name()); it != responders_.end()) it->second(form);
    // Nobody reads the commentary or the announcements: the rest is skipped, as a player would skip it.
    else if (!echo_ && skipUnread_ && SkipChangesNothing(form)) form.Click("cmdSkip");
    else if (!form.defaultButton.empty()) form.Click(form.defaultButton);
    if (!form.IsClosed()) form.QueryClose();
    // A window that refuses to close would hang a real player too; here it would loop forever.
    form.Close();
}

std::string AutoPlatform::ExecutableFolder() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    std::string folder = error ? std::string(".") : exe.parent_path().string();
    if (folder.empty() || folder.back() != PathSeparator) folder += PathSeparator;
    return folder;
}

} // namespace karven::sim
