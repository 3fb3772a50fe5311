#include "exchange/ExchangeCommands.h"

#include "exchange/ExchangeFiles.h"
#include "exchange/Results.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

namespace {
constexpr const char* SeasonFileNames = "teams.csv・drivers.csv・calendar.csv";

void Tell(Shell& shell, std::string text) {
    shell.MsgText = std::move(text);
    ShowOk(shell);
}

// The files written into the folder, after asking before any is replaced.
bool Write(Shell& shell, const std::string& folder, const std::vector<ExchangeFile>& files, const char* what) {
    if (AnyInFolder(folder, files)) {
        shell.MsgText = std::string("このフォルダーの") + CrLf + what + CrLf + "を上書きしてよろしいですか？";
        if (AskOkCancel(shell) == 0) return false;
    }
    std::string path, why;
    if (WriteFolder(folder, files, false, path, why)) return true;
    shell.platform.ShowWarning(std::string("エクスポートに失敗しました！") + CrLf + path + CrLf + why);
    return false;
}

} // namespace

void RunCsvImport(Shell& shell) {
    if (shell.main.commandState == 3) return;
    std::string folder = shell.platform.ChooseFolder("インポートするフォルダー");
    if (folder.empty()) return;
    FolderImport result = ImportSeasonFolder(shell.season, folder);
    switch (result.outcome) {
    case FolderImport::Outcome::ReadFailed:
        shell.platform.ShowWarning(std::string("インポートに失敗しました！") + CrLf + result.path + CrLf + result.why);
        return;
    case FolderImport::Outcome::NoFiles:
        Tell(shell, std::string("このフォルダーには、") + CrLf + SeasonFileNames + CrLf + "のどれもありません！");
        return;
    case FolderImport::Outcome::Refused:
        Tell(shell, RefusalText(result.refusal) + CrLf + CrLf + "インポートを中止しました。");
        return;
    case FolderImport::Outcome::Imported: break;
    }
    // A Grand Prix added to a finished season can be run.
    FollowSeason(shell);
    Tell(shell, ImportSummaryText(result.summary));
}

void RunCsvExport(Shell& shell) {
    std::string folder = shell.platform.ChooseFolder("エクスポート先のフォルダー");
    if (folder.empty()) return;
    if (!Write(shell, folder, SeasonCsvExport(shell.season), SeasonFileNames)) return;
    Tell(shell, std::string("チーム・ドライバー・日程を") + CrLf + "エクスポートしました。" + CrLf + folder);
}

void RunResultsExport(Shell& shell) {
    std::string folder = shell.platform.ChooseFolder("成績のエクスポート先のフォルダー");
    if (folder.empty()) return;
    if (!Write(shell, folder, ResultFiles(shell.season), "成績ファイル")) return;
    Tell(shell, std::string("成績をエクスポートしました。") + CrLf + folder + CrLf + CrLf + SeasonReportHtml +
                    " をブラウザーで開くと、" + CrLf + "シーズンレポートが見られます。");
}

} // namespace karven
