#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
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

// The bytes of a save, made piece by piece as often as they are needed (once to write them, once
// to check them): the season, the history a season at a time, the kept bytes. A long history is
// so never held whole in memory a second time.
class SaveBytes {
public:
    using Take = std::function<bool(std::string_view)>;
    SaveBytes(std::string rules, const History& history) : rules_(std::move(rules)), history_(history) {}

    // Hands each piece to `take`, in order; false when `take` refuses one, or when a piece cannot be
    // made (a name the file cannot carry) or would make the additions larger than a file may hold:
    // then `why` says so.
    bool Each(const Take& take, SaveError& why) const {
        if (!take(rules_)) return false;
        size_t added = history_.kept.size();
        bool refused = false;
        bool made = EncodeHistory(history_, [&](std::string_view piece) {
            added += piece.size();
            if (added > MaxAdditionBytes) return false;
            refused = !take(piece);
            return !refused;
        });
        if (!made) {
            if (!refused) why = added > MaxAdditionBytes ? SaveError::TooLarge : SaveError::Unwritable;
            return false;
        }
        return take(history_.kept);
    }

private:
    std::string rules_;
    const History& history_;
};

// Appends to a file through a buffer; errno tells why a write failed.
class FileOut {
public:
    explicit FileOut(int fd) : fd_(fd) { buffer_.reserve(Block); }
    bool Write(std::string_view bytes) {
        if (buffer_.size() + bytes.size() > Block && !Drain()) return false;
        if (bytes.size() >= Block) return Put(bytes);
        buffer_ += bytes;
        return true;
    }
    bool Finish() { return Drain() && ::fsync(fd_) == 0; }

private:
    static constexpr size_t Block = 1 << 18;
    bool Drain() {
        bool ok = Put(buffer_);
        buffer_.clear();
        return ok;
    }
    bool Put(std::string_view bytes) {
        for (size_t done = 0; done < bytes.size();) {
            ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n <= 0) {
                if (n == 0) errno = EIO; // no progress and no reason given
                return false;
            }
            done += size_t(n);
        }
        return true;
    }
    int fd_;
    std::string buffer_;
};

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

// Whether the file at path holds exactly these bytes, read back a piece at a time.
bool HoldsBytes(const std::string& path, const SaveBytes& bytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    std::string block;
    off_t at = 0;
    SaveError ignored;
    bool same = bytes.Each(
        [&](std::string_view piece) {
            block.resize(piece.size());
            for (size_t done = 0; done < piece.size();) {
                ssize_t n = ::pread(fd, block.data() + done, piece.size() - done, at);
                if (n <= 0) return false;
                done += size_t(n);
                at += off_t(n);
            }
            return std::string_view(block) == piece;
        },
        ignored);
    struct stat st {};
    same = same && ::fstat(fd, &st) == 0 && st.st_size == at;
    ::close(fd);
    return same;
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

// Writes the checked copy over the existing file's own contents, so that its other names, owner
// and permissions stay.
InPlace UpdateInPlace(const std::string& target, const std::string& copy, const SaveBytes& bytes, SaveError& error) {
    int in = ::open(copy.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (in < 0 || ::fstat(in, &st) != 0) {
        error = SaveErrorOf(errno);
        if (in >= 0) ::close(in);
        return InPlace::Untouched;
    }
    int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        error = SaveErrorOf(errno);
        ::close(in);
        return InPlace::Untouched;
    }
    // Room first: running out of space half-way would leave neither the old season nor the new one.
    if (st.st_size > 0) {
        if (int failure = ::posix_fallocate(fd, 0, st.st_size); failure != 0) {
            error = SaveErrorOf(failure);
            ::close(fd);
            ::close(in);
            return InPlace::Untouched;
        }
    }
    bool ok = ::ftruncate(fd, st.st_size) == 0;
    FileOut out(fd);
    std::string block(1 << 18, '\0');
    for (ssize_t n = 1; ok && n > 0;) {
        n = ::read(in, block.data(), block.size());
        ok = n >= 0 && out.Write(std::string_view(block.data(), size_t(std::max<ssize_t>(n, 0))));
    }
    ok = ok && out.Finish();
    if (!ok) error = SaveErrorOf(errno);
    ::close(in);
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = SaveErrorOf(errno);
    }
    if (ok && !HoldsBytes(target, bytes)) {
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

    // The season's part, checked in memory to read back as the season. The history and the kept
    // bytes follow it, made afresh for the write and again for the check of what was written.
    const Season expected = AsReadBack(season);
    std::string text, rules;
    if (!Compose(expected, text) || !EncodeCp932(text, rules)) return fail(SaveError::Unwritable);
    text = {};
    if (rules.size() > MaxSeasonFileBytes) return fail(SaveError::TooLarge); // it would not open again
    {
        Season readBack;
        if (!ReadSeasonBytes(readBack, rules) || readBack != expected) return fail(SaveError::Unwritable);
    }
    const SaveBytes bytes(std::move(rules), season.history);

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
    FileOut out(fd);
    const bool written = bytes.Each([&](std::string_view piece) { return out.Write(piece); }, error) && out.Finish();
    if (!written && error == SaveError::None) error = SaveErrorOf(errno);
    if (::close(fd) != 0 && error == SaveError::None) error = SaveErrorOf(errno);
    if (error == SaveError::None && !HoldsBytes(temp, bytes)) error = SaveError::Other;
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
        InPlace result = UpdateInPlace(targetName, temp, bytes, error);
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
