#pragma once
// The season file: code page 932 text, CR LF, comma-separated values.
// Readers fill a fresh season and replace the given one only when the whole file was read.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "season/Season.h"

namespace karven {

inline constexpr const char* FormatMark = "#KARVEN-FORMAT-VER2002R20#";
// What every version's format mark begins with.
inline constexpr const char* FormatMarkFamily = "#KARVEN-FORMAT-";
inline constexpr const char* InitialDataFile = "Karven.sin";
// The same season with every name in Latin letters, the English game's default.
inline constexpr const char* EnglishInitialDataFile = "Karven-en.sin";
// The largest season the program opens, and so the largest it saves, counted up to the end of its
// last team line: what the rules read decides whether a season opens. A full season is a few
// hundred kilobytes; the limit leaves room for a season near 16 MiB to open again after a season
// of results has grown it.
inline constexpr size_t MaxSeasonFileBytes = 32 * 1024 * 1024;
// The most that is read of what follows the last team line (the history, the lap records, the
// sections of a newer version): about 35,000 closed seasons. Beyond it the rest is not read, and
// the player is told so when the season opens, before any save can lose it; a save that would
// come to more is refused.
inline constexpr size_t MaxAdditionBytes = 256 * 1024 * 1024;

// Writes the current layout into a checked temporary file beside the file path names (through
// any symbolic links), then renames it over that file, or, for a file with other hard links or
// an owner the copy cannot take, writes it into the file itself. The file keeps its mode; a file
// nobody may write is refused. False on any failure, in which case the file at path is left as it
// was, unless writing into it failed half-way: then the checked copy takes its name. A season that
// would come to more than MaxSeasonFileBytes up to its last team, or more than MaxAdditionBytes
// after it, is refused. The history follows the last team line.
bool WriteSeasonFile(const Season& season, const std::string& path);
// Why a save failed, so the player can be told what to do about it.
enum class SaveError { None, Unwritable, Permission, NoSpace, NoFolder, NotAFile, TooLarge, NameTooLong, Other };
bool WriteSeasonFile(const Season& season, const std::string& path, SaveError& why);

// The bytes WriteSeasonFile writes, in memory (for a copy of the season read elsewhere); false
// where a save would be refused.
bool SeasonFileBytes(const Season& season, std::string& bytes);

// What a reader changed so that the season saves again.
struct ReadNotes {
    bool lineBreaksReplaced = false; // a quoted value held a line break, now a space
    bool historyUnreadable = false;  // a part of the additions was kept unread, or apart from a season it did not fit
    size_t historyAt = 0;            // where the bytes after the last team line begin
    uint64_t droppedBytes = 0;       // how much of the file lay beyond MaxAdditionBytes, unread
};

// Current layout; false (season untouched) on an early end, bytes that are not code page 932,
// a section mark out of place, a team section that is not one line of exactly its values per
// team, counts the program cannot hold or a race that would never end. What follows the last
// team line is the season's history (HistoryFile.h): what of it cannot be read is kept. Record numbers
// are restored to positions (RestoreNumbers); a line break inside a quoted value becomes a space.
bool ReadSeasonFile(Season& season, const std::string& path, ReadNotes* notes = nullptr);
// The same, from the bytes of a whole file in memory.
bool ReadSeasonBytes(Season& season, const std::string& bytes, ReadNotes* notes = nullptr);
// Reads the bytes of a season's part in the current layout as ReadSeasonBytes does, handing every
// value it takes, in file order, to `check`, and keeping none that the reading itself does not
// need: a save so checks that its bytes read back without holding the season twice. False when
// the bytes do not read or `check` refuses a value.
bool ReadSeasonBytesAs(const std::string& bytes, const std::function<bool(const std::string&)>& check);
// Old layout: no format mark, team lines of six values without ColorNo.
bool ReadOldSeasonFile(Season& season, const std::string& path, ReadNotes* notes = nullptr);

// The questions LoadSeasonFile asks; the shell answers them with its message windows.
class LoadDialogue {
public:
    virtual ~LoadDialogue() = default;
    virtual void Notice(const std::string& text) = 0;
    virtual bool Confirm(const std::string& text) = 0; // true on OK
    // Why a file is no season at all: said in place of the caller's message for a failed read.
    virtual void Refused(const std::string& text) { Notice(text); }
};

enum LoadCode { LoadOk = 0, LoadFailed = 1, LoadDeclined = 99 };

// Chooses the reader by the file's first value: 0 loaded, 1 failed, 99 not loaded by decision (an
// old file not converted, a newer format). A file that is no season fails, told why through Refused.
// A season whose line breaks were replaced is loaded with a notice saying so.
int LoadSeasonFile(Season& season, const std::string& path, LoadDialogue& dialogue);
// Karven.sin beside the program (Karven-en.sin in the English game); false only for code 1.
bool LoadInitialData(Season& season, const std::string& appPath, LoadDialogue& dialogue);

} // namespace karven
