#include "session/Autosave.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <regex>
#include <system_error>

#include "season/SeasonFile.h"
#include "season/Translate.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

namespace fs = std::filesystem;

namespace {
// 20261208-124516-123.krv, and 20261208-124516-123-1.krv should two fall into one millisecond.
const std::regex& AutosaveName() {
    static const std::regex name(R"((\d{4})(\d\d)(\d\d)-(\d\d)(\d\d)(\d\d)-\d{3}(-\d+)?\.krv)");
    return name;
}

std::string NameOf(std::chrono::system_clock::time_point when) {
    using namespace std::chrono;
    std::time_t seconds = system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    auto millis = duration_cast<milliseconds>(when.time_since_epoch()).count() % 1000;
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%s-%03d", text, int(millis < 0 ? millis + 1000 : millis));
    return stamp;
}

const char* ErrorText(SaveError error) {
    switch (error) {
    case SaveError::Permission: return Tr("書き込み権限がありません");
    case SaveError::NoSpace: return Tr("ディスクの空き容量が足りません");
    case SaveError::Unwritable: return Tr("保存できない文字があります");
    default: return Tr("書き込みに失敗しました");
    }
}
} // namespace

std::vector<std::string> ListAutosaves(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (std::regex_match(name, AutosaveName()) && it->is_regular_file(error)) names.push_back(name);
    }
    // By time, then by the suffix a second save within one millisecond carries: newest first.
    auto key = [](const std::string& name) {
        size_t stamp = std::string_view("YYYYMMDD-HHMMSS-mmm").size();
        int suffix = name.size() > stamp + 4 && name[stamp] == '-' ? std::atoi(name.c_str() + stamp + 1) : 0;
        return std::pair(name.substr(0, stamp), suffix);
    };
    std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) { return key(a) > key(b); });
    for (std::string& name : names) name = (fs::path(folder) / name).string();
    return names;
}

std::string AutosaveTime(const std::string& path) {
    std::smatch m;
    std::string name = fs::path(path).filename().string();
    if (!std::regex_match(name, m, AutosaveName())) return "";
    return m[1].str() + "/" + m[2].str() + "/" + m[3].str() + " " + m[4].str() + ":" + m[5].str() + ":" + m[6].str();
}

bool WriteAutosave(const Season& season, const std::string& folder, std::chrono::system_clock::time_point when,
                   std::string& error) {
    std::error_code made;
    fs::create_directories(folder, made);
    if (made) {
        error = Tr("フォルダーを作成できません");
        return false;
    }
    std::string name = NameOf(when);
    fs::path path = fs::path(folder) / (name + ".krv");
    for (int n = 1; fs::exists(path) && n < 1000; ++n) path = fs::path(folder) / (name + "-" + std::to_string(n) + ".krv");
    SaveError why;
    if (!WriteSeasonFile(season, path.string(), why)) {
        error = ErrorText(why);
        return false;
    }
    std::vector<std::string> saves = ListAutosaves(folder);
    for (size_t i = AutosavesKept; i < saves.size(); ++i) {
        std::error_code ignored;
        fs::remove(saves[i], ignored);
    }
    return true;
}

void Autosave(Shell& shell) {
    std::string folder = shell.platform.AutosaveFolder();
    if (folder.empty()) return;
    auto now = std::chrono::system_clock::now();
    std::string error;
    if (WriteAutosave(shell.season, folder, now, error)) {
        std::string time = AutosaveTime(NameOf(now) + ".krv");
        shell.platform.ShowStatus(TrF("自動保存しました（{1}）", time.substr(11, 5)));
    } else {
        shell.platform.ShowStatus(TrF("自動保存に失敗しました：{1}（{2}）", error, folder));
    }
}

} // namespace karven
