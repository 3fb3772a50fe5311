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
// A value as the reader gives it back once written: trimmed, in the code page's own forms.
std::string Written(const std::string& value) { return ToCp932Forms(Trim(value)); }

// Numbers are positions when read back: a driver's team by the number of the team it names.
std::string WrittenTimNo(const Season& season, const DrvRecord& driver) {
    const TimRecord* team = TeamOf(season, driver);
    return team ? Format00(int(team - &season.TimTable[0])) : Written(driver.TimNo);
}

// The season's part in code page 932, line by line as it reads back: each line encoded on its
// own, so the season is never held a second time as text, and the whole put together at its
// exact size. Each value written is noted, by where it comes from, for the check of the bytes.
class RulesOut {
public:
    explicit RulesOut(const Season& season) : season_(season) {}
    // A line of its own that reads back as a value: a mark, or the empty line after the first.
    RulesOut& Mark(const char* mark) {
        line_ += mark;
        expected_.push_back({Kind::Literal, mark, nullptr, 0});
        return *this;
    }
    // A value, written as it reads back.
    RulesOut& Value(const std::string& value) {
        expected_.push_back({Kind::Value, nullptr, &value, 0});
        return Put(Written(value));
    }
    // A record's number: its position.
    RulesOut& Position(int index) {
        expected_.push_back({Kind::Position, nullptr, nullptr, index});
        return Put(Format00(index));
    }
    // A driver's team: the number of the team his TimNo names.
    RulesOut& DriverTeam(int driver) {
        expected_.push_back({Kind::DriverTeam, nullptr, nullptr, driver});
        return Put(WrittenTimNo(season_, season_.DrvTable[size_t(driver)]));
    }
    void End() {
        line_ += "\r\n";
        ok_ = ok_ && EncodeCp932(line_, lines_.emplace_back());
        lines_.back().shrink_to_fit();
        line_.clear();
        first_ = true;
    }
    bool Finish(std::string& bytes) {
        size_t size = 0;
        for (const std::string& line : lines_) size += line.size();
        bytes.clear();
        bytes.reserve(size);
        for (std::string& line : lines_) {
            bytes += line;
            line = {};
        }
        lines_.clear();
        return ok_;
    }
    // Whether the bytes read back value by value as what was written.
    bool ReadsBack(const std::string& bytes) const {
        size_t next = 0;
        return ReadSeasonBytesAs(bytes, [&](const std::string& read) {
                   return next < expected_.size() && read == Expected(expected_[next++]);
               }) &&
               next == expected_.size();
    }

private:
    enum class Kind { Literal, Value, Position, DriverTeam };
    struct Noted {
        Kind kind;
        const char* literal;
        const std::string* value;
        int index;
    };
    std::string Expected(const Noted& n) const {
        switch (n.kind) {
        case Kind::Literal: return n.literal;
        case Kind::Value: return Written(*n.value);
        case Kind::Position: return Format00(n.index);
        case Kind::DriverTeam: return WrittenTimNo(season_, season_.DrvTable[size_t(n.index)]);
        }
        return {};
    }
    RulesOut& Put(const std::string& written) {
        if (!first_) line_ += ',';
        first_ = false;
        ok_ = ok_ && AppendValue(line_, written);
        return *this;
    }

    const Season& season_;
    std::vector<Noted> expected_;
    std::vector<std::string> lines_;
    std::string line_;
    bool first_ = true, ok_ = true;
};

// The season's part as the rules' reader reads it, and its check.
bool Compose(const Season& season, std::string& bytes, RulesOut& out) {
    out.Mark(FormatMark).End();
    out.Mark("").End();
    out.Mark("<SIS>").End();
    const SisSettings& sis = season.Sis;
    out.Value(sis.GpCount).Value(sis.SyuCount).Value(sis.NinCount).Value(sis.EndGp).End();
    out.Mark("<GP>").End();
    for (size_t i = 1; i < season.GpTable.size(); ++i) {
        const GpRecord& g = season.GpTable[i];
        out.Position(int(i)).Value(g.GpNm).Value(g.CourseType).End();
    }
    out.Mark("<DRV>").End();
    out.Value(season.DrvCount).End();
    for (size_t i = 1; i < season.DrvTable.size(); ++i) {
        const DrvRecord& d = season.DrvTable[i];
        out.Position(int(i)).DriverTeam(int(i));
        for (const std::string* v : {&d.DrvNm, &d.Technique, &d.Roughness, &d.Block, &d.Stability, &d.CareerGp,
                                     &d.CareerWc, &d.CareerWins, &d.CareerPp, &d.CareerFl, &d.CareerBest, &d.CareerPoints})
            out.Value(*v);
        for (int k = 1; k <= ResultSlots; ++k) out.Value(d.Result[k]);
        out.End();
    }
    out.Mark("<TIM>").End();
    out.Value(season.TimCount).End();
    for (size_t i = 1; i < season.TimTable.size(); ++i) {
        const TimRecord& t = season.TimTable[i];
        out.Position(int(i));
        for (const std::string* v : {&t.TimNm, &t.ColorNo, &t.Speed, &t.Aero, &t.Stability, &t.Points}) out.Value(*v);
        out.End();
    }
    return out.Finish(bytes);
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
    // Compared a block at a time: a large piece is never read whole a second time.
    std::string block(size_t(1) << 18, '\0');
    off_t at = 0;
    SaveError ignored;
    bool same = bytes.Each(
        [&](std::string_view piece) {
            while (!piece.empty()) {
                size_t want = std::min(piece.size(), block.size());
                ssize_t n = ::pread(fd, block.data(), want, at);
                if (n <= 0 || std::string_view(block.data(), size_t(n)) != piece.substr(0, size_t(n))) return false;
                piece.remove_prefix(size_t(n));
                at += off_t(n);
            }
            return true;
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

bool SeasonFileBytes(const Season& season, std::string& bytes) {
    std::string rules;
    RulesOut out(season);
    if (!Compose(season, rules, out) || rules.size() > MaxSeasonFileBytes || !out.ReadsBack(rules)) return false;
    bytes.clear();
    SaveError why = SaveError::None;
    return SaveBytes(std::move(rules), season.history).Each([&bytes](std::string_view piece) {
        bytes += piece;
        return true;
    }, why);
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
    std::string rules;
    {
        RulesOut out(season);
        if (!Compose(season, rules, out)) return fail(SaveError::Unwritable);
        if (rules.size() > MaxSeasonFileBytes) return fail(SaveError::TooLarge); // it would not open again
        if (!out.ReadsBack(rules)) return fail(SaveError::Unwritable);
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
