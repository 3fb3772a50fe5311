#pragma once
// The main window's ﾌｧｲﾙ → インポート, エクスポート and 成績をエクスポート: a folder chosen, the
// files read or written, the player told how it went.

namespace karven {

class Shell;

// An editor's action: not between qualifying and race. Refused files change nothing.
void RunCsvImport(Shell& shell);
void RunCsvExport(Shell& shell);
void RunResultsExport(Shell& shell);

} // namespace karven
