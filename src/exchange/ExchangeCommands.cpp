#include "exchange/ExchangeCommands.h"

#include "exchange/ExchangeFiles.h"
#include "exchange/Results.h"
#include "season/Translate.h"
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
        shell.MsgText = TrF("このフォルダーの\r\n{1}\r\nを上書きしてよろしいですか？", Tr(what));
        if (AskOkCancel(shell) == 0) return false;
    }
    std::string path, why;
    std::vector<std::string> written;
    if (WriteFolder(folder, files, false, path, why, &written)) return true;
    shell.platform.ShowWarning(TrF("エクスポートに失敗しました！\r\n{1}\r\n{2}", path, why) + WrittenAnyway(written));
    return false;
}

} // namespace

void RunCsvImport(Shell& shell) {
    if (shell.main.commandState == CommandState::QualifyingDone) return;
    std::string folder = shell.platform.ChooseFolder(Tr("インポートするフォルダー"), FolderUse::Read);
    if (folder.empty()) return;
    FolderImport result = ImportSeasonFolder(shell.season, folder);
    switch (result.outcome) {
    case FolderImport::Outcome::ReadFailed:
        shell.platform.ShowWarning(TrF("インポートに失敗しました！\r\n{1}\r\n{2}", result.path, result.why));
        return;
    case FolderImport::Outcome::NoFiles:
        Tell(shell, TrF("このフォルダーには、\r\n{1}\r\nのどれもありません！", Tr(SeasonFileNames)));
        return;
    case FolderImport::Outcome::Refused:
        Tell(shell, TrF("{1}\r\n\r\nインポートを中止しました。", RefusalText(result.refusal)));
        return;
    case FolderImport::Outcome::Imported: break;
    }
    // A Grand Prix added to a finished season can be run.
    FollowSeason(shell);
    Tell(shell, ImportSummaryText(result.summary));
}

void RunCsvExport(Shell& shell) {
    std::string folder = shell.platform.ChooseFolder(Tr("エクスポート先のフォルダー"), FolderUse::Write);
    if (folder.empty()) return;
    if (!Write(shell, folder, SeasonCsvExport(shell.season), SeasonFileNames)) return;
    Tell(shell, TrF("チーム・ドライバー・日程を\r\nエクスポートしました。\r\n{1}", folder));
}

void RunResultsExport(Shell& shell) {
    std::string folder = shell.platform.ChooseFolder(Tr("成績のエクスポート先のフォルダー"), FolderUse::Write);
    if (folder.empty()) return;
    if (!Write(shell, folder, ResultFiles(shell.season), "成績ファイル")) return;
    Tell(shell, TrF("成績をエクスポートしました。\r\n{1}\r\n\r\n{2} をブラウザーで開くと、\r\nシーズンレポートが見られます。",
                    folder, SeasonReportHtml));
}

} // namespace karven
