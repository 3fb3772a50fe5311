#pragma once
// The season file: code page 932 text, CR LF, comma-separated values.
// Readers fill a fresh season and replace the given one only when the whole file was read.

#include <string>

#include "season/Season.h"

namespace karven {

inline constexpr const char* FormatMark = "#KARVEN-FORMAT-VER2002R20#";
// What every version's format mark begins with.
inline constexpr const char* FormatMarkFamily = "#KARVEN-FORMAT-";
inline constexpr const char* InitialDataFile = "Karven.sin";

// Writes the current layout into a checked temporary file beside the file path names (through
// any symbolic links), then renames it over that file, or, for a file with other hard links or
// an owner the copy cannot take, writes it into the file itself. The file keeps its mode; a file
// nobody may write is refused. False on any failure, in which case the file at path is left as it
// was, unless writing into it failed half-way: then the checked copy takes its name.
bool WriteSeasonFile(const Season& season, const std::string& path);
// Why a save failed, so the player can be told what to do about it.
enum class SaveError { None, Unwritable, Permission, NoSpace, NoFolder, NotAFile, TooLarge, NameTooLong, Other };
bool WriteSeasonFile(const Season& season, const std::string& path, SaveError& why);
// Current layout; false (season untouched) on an early end, bytes that are not code page 932,
// a section mark out of place, counts the program cannot hold or a race that would never end.
// Record numbers are restored to positions (RestoreNumbers).
bool ReadSeasonFile(Season& season, const std::string& path);
// The current layout without the size limit for opened files: the writer's check of its own save.
bool ReadSeasonFileOfAnySize(Season& season, const std::string& path);
// Old layout: no format mark, teams without ColorNo.
bool ReadOldSeasonFile(Season& season, const std::string& path);

// The questions LoadSeasonFile asks; the shell answers them with its message windows.
class LoadDialogue {
public:
    virtual ~LoadDialogue() = default;
    virtual void Notice(const std::string& text) = 0;
    virtual bool Confirm(const std::string& text) = 0; // true on OK
};

enum LoadCode { LoadOk = 0, LoadFailed = 1, LoadDeclined = 99 };

// Chooses the reader by the file's first value: 0 loaded, 1 failed, 99 not loaded by decision.
int LoadSeasonFile(Season& season, const std::string& path, LoadDialogue& dialogue);
// Karven.sin beside the program; false only for code 1.
bool LoadInitialData(Season& season, const std::string& appPath, LoadDialogue& dialogue);

} // namespace karven
