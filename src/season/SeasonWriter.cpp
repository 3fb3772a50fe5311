#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "season/Cp932.h"
#include "season/HistoryFile.h"
#include "season/Numbers.h"
#include "season/SeasonFile.h"
#include "season/Utf8.h"
#include "season/Values.h"

namespace karven {

namespace {
bool AppendLine(std::string& text, std::initializer_list<const std::string*> values) {
    bool first = true;
    for (const std::string* v : values) {
        if (!first) text += ',';
        first = false;
        if (!AppendValue(text, *v)) return false;
    }
    text += "\r\n";
    return true;
}

bool Compose(const Season& season, std::string& text) {
    const SisSettings& sis = season.Sis;
    text = std::string(FormatMark) + "\r\n\r\n<SIS>\r\n";
    if (!AppendLine(text, {&sis.GpCount, &sis.SyuCount, &sis.NinCount, &sis.EndGp})) return false;
    text += "<GP>\r\n";
    for (size_t i = 1; i < season.GpTable.size(); ++i) {
        const GpRecord& g = season.GpTable[i];
        std::string no = Format00(int(i));
        if (!AppendLine(text, {&no, &g.GpNm, &g.CourseType})) return false;
    }
    text += "<DRV>\r\n";
    if (!AppendLine(text, {&season.DrvCount})) return false;
    for (size_t i = 1; i < season.DrvTable.size(); ++i) {
        const DrvRecord& d = season.DrvTable[i];
        if (!AppendLine(text, {&d.DrvNo, &d.TimNo, &d.DrvNm, &d.Technique, &d.Roughness, &d.Block, &d.Stability,
                               &d.CareerGp, &d.CareerWc, &d.CareerWins, &d.CareerPp, &d.CareerFl, &d.CareerBest,
                               &d.CareerPoints}))
            return false;
        text.resize(text.size() - 2); // the results continue the same line
        for (int k = 1; k <= ResultSlots; ++k) {
            text += ',';
            if (!AppendValue(text, d.Result[k])) return false;
        }
        text += "\r\n";
    }
    text += "<TIM>\r\n";
    if (!AppendLine(text, {&season.TimCount})) return false;
    for (size_t i = 1; i < season.TimTable.size(); ++i) {
        const TimRecord& t = season.TimTable[i];
        if (!AppendLine(text, {&t.TimNo, &t.TimNm, &t.ColorNo, &t.Speed, &t.Aero, &t.Stability, &t.Points}))
            return false;
    }
    return true;
}

// The season as a correct save reads back: trimmed values, code page forms, numbers = positions.
// The history is left out: the writer reads back its own bytes of it.
Season AsReadBack(const Season& season) {
    Season s;
    s.Sis = season.Sis;
    s.DrvCount = season.DrvCount;
    s.TimCount = season.TimCount;
    s.GpTable = season.GpTable;
    s.TimTable = season.TimTable;
    s.DrvTable = season.DrvTable;
    auto fix = [](std::string& v) { v = ToCp932Forms(Trim(v)); };
    for (std::string* v : {&s.Sis.GpCount, &s.Sis.SyuCount, &s.Sis.NinCount, &s.Sis.EndGp, &s.DrvCount, &s.TimCount})
        fix(*v);
    for (size_t i = 1; i < s.GpTable.size(); ++i) {
        GpRecord& g = s.GpTable[i];
        g.GpNo = Format00(int(i));
        fix(g.GpNm);
        fix(g.CourseType);
    }
    for (size_t i = 1; i < s.DrvTable.size(); ++i) {
        DrvRecord& d = s.DrvTable[i];
        for (std::string* v : {&d.DrvNo, &d.TimNo, &d.DrvNm, &d.Technique, &d.Roughness, &d.Block, &d.Stability,
                               &d.CareerGp, &d.CareerWc, &d.CareerWins, &d.CareerPp, &d.CareerFl, &d.CareerBest,
                               &d.CareerPoints})
            fix(*v);
        for (int k = 1; k <= ResultSlots; ++k) fix(d.Result[k]);
        d.Result[0].clear();
    }
    for (size_t i = 1; i < s.TimTable.size(); ++i) {
        TimRecord& t = s.TimTable[i];
        for (std::string* v : {&t.TimNo, &t.TimNm, &t.ColorNo, &t.Speed, &t.Aero, &t.Stability, &t.Points}) fix(*v);
    }
    RestoreNumbers(s);
    s.GpTable[0] = {};
    s.DrvTable[0] = {};
    s.TimTable[0] = {};
    return s;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, off_t(done));
        if (n <= 0) {
            if (n == 0) errno = EIO; // no progress and no reason given
            return false;
        }
        done += size_t(n);
    }
    return ::fsync(fd) == 0;
}

// The file a path finally names: a symbolic link is followed to its target, which may not exist yet.
bool FollowLinks(const std::string& path, std::filesystem::path& target) {
    namespace fs = std::filesystem;
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(target, error))) return true;
        fs::path next = fs::read_symlink(target, error);
        if (error) return false;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return false; // a loop of links
}

bool Writable(const struct stat& st, const std::string& path) {
    // access() lets root write anywhere; a file nobody may write is refused all the same.
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(path.c_str(), W_OK) == 0;
}

mode_t NewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Whether the file at path holds exactly the season.
bool HoldsSeason(const std::string& path, const Season& expected) {
    Season readBack;
    return ReadSeasonFile(readBack, path) && readBack == expected;
}

enum class InPlace { Done, Untouched, Damaged };

SaveError SaveErrorOf(int error) {
    switch (error) {
    case EACCES: case EPERM: case EROFS: case ETXTBSY: return SaveError::Permission;
    case ENOSPC: case EDQUOT: return SaveError::NoSpace;
    case ENOENT: case ENOTDIR: return SaveError::NoFolder;
    case EISDIR: return SaveError::NotAFile;
    case EFBIG: return SaveError::TooLarge;
    case ENAMETOOLONG: return SaveError::NameTooLong;
    default: return SaveError::Other;
    }
}

// Writes the season over the existing file's own contents, so that its other names, owner and
// permissions stay. The checked copy beside it already holds the season.
InPlace UpdateInPlace(const std::string& target, const std::string& bytes, const Season& expected,
                      SaveError& error) {
    int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        error = SaveErrorOf(errno);
        return InPlace::Untouched;
    }
    // Room first: running out of space half-way would leave neither the old season nor the new one.
    if (!bytes.empty()) {
        if (int failure = ::posix_fallocate(fd, 0, off_t(bytes.size())); failure != 0) {
            error = SaveErrorOf(failure);
            ::close(fd);
            return InPlace::Untouched;
        }
    }
    bool ok = ::ftruncate(fd, off_t(bytes.size())) == 0 && WriteAll(fd, bytes);
    if (!ok) error = SaveErrorOf(errno);
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = SaveErrorOf(errno);
    }
    if (ok && !HoldsSeason(target, expected)) {
        ok = false;
        error = SaveError::Other;
    }
    return ok ? InPlace::Done : InPlace::Damaged;
}

void SyncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
} // namespace

bool WriteSeasonFile(const Season& season, const std::string& path) {
    SaveError why;
    return WriteSeasonFile(season, path, why);
}

bool WriteSeasonFile(const Season& season, const std::string& path, SaveError& why) {
    why = SaveError::None;
    auto fail = [&why](SaveError error) {
        why = error;
        return false;
    };
    // errno of the call that just failed, read before anything else can change it.
    auto failed = [&fail] { return fail(SaveErrorOf(errno)); };

    // The file holds exactly what reads back; the checks below compare the two. The history follows
    // the last team; what of it could not be read goes back as it came.
    Season expected = AsReadBack(season);
    std::string text, bytes, history;
    if (!Compose(expected, text) || !EncodeCp932(text, bytes) || !AsSaved(season.history, expected.history, history))
        return fail(SaveError::Unwritable);
    bytes += history;
    if (bytes.size() > MaxSeasonFileBytes) return fail(SaveError::TooLarge); // it would not open again

    std::filesystem::path target;
    if (path.empty()) return fail(SaveError::NoFolder);
    if (!FollowLinks(path, target)) return fail(SaveError::Other);
    const std::string targetName = target.string();
    struct stat old {};
    bool exists = ::stat(targetName.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return failed();
    if (exists && !S_ISREG(old.st_mode)) return fail(SaveError::NotAFile);
    if (exists && !Writable(old, targetName)) return fail(SaveError::Permission);

    // A short name beside the target: the target's own name may already be as long as a name can be.
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string temp = (folder / ".karven-XXXXXX").string();
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return failed();
    SaveError error = SaveError::None;
    if (!WriteAll(fd, bytes)) error = SaveErrorOf(errno);
    if (::close(fd) != 0 && error == SaveError::None) error = SaveErrorOf(errno);
    if (error == SaveError::None && !HoldsSeason(temp, expected)) error = SaveError::Other;
    // The copy takes the target's place with its owner and mode; a copy that cannot take its owner,
    // or a target with other hard links that a rename would split off, is updated in place instead.
    bool inPlace = exists && old.st_nlink > 1;
    if (error == SaveError::None && exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()))
        inPlace = ::chown(temp.c_str(), old.st_uid, old.st_gid) != 0 || inPlace;
    if (error == SaveError::None && ::chmod(temp.c_str(), exists ? old.st_mode & 07777 : NewFileMode()) != 0)
        error = SaveErrorOf(errno);
    if (error != SaveError::None) {
        std::remove(temp.c_str());
        return fail(error);
    }
    if (inPlace) {
        InPlace result = UpdateInPlace(targetName, bytes, expected, error);
        // A target damaged on the way gets the checked copy under its name, its other links aside.
        if (result == InPlace::Damaged) {
            std::rename(temp.c_str(), targetName.c_str());
            return fail(error);
        }
        std::remove(temp.c_str());
        return result == InPlace::Done || fail(error);
    }
    if (std::rename(temp.c_str(), targetName.c_str()) != 0) {
        error = SaveErrorOf(errno);
        std::remove(temp.c_str());
        return fail(error);
    }
    SyncFolder(folder);
    return true;
}

} // namespace karven
