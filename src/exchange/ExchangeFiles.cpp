#include "exchange/ExchangeFiles.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Platform.h"

namespace karven {

namespace fs = std::filesystem;

namespace {
std::string ErrorText(int error, bool writing) {
    switch (error) {
    case EACCES: case EPERM: case EROFS: return Tr("アクセスする権限がありません");
    case ENOSPC: case EDQUOT: return Tr("ディスクの空き容量が足りません");
    case ENOENT: case ENOTDIR: return Tr("フォルダーが見つかりません");
    case EISDIR: return Tr("ファイルではありません");
    case ENAMETOOLONG: return Tr("ファイル名が長すぎます");
    default: return writing ? Tr("書き込みに失敗しました") : Tr("読み込みに失敗しました");
    }
}

enum class Read { Done, Missing, Failed };

Read ReadFile(const std::string& path, std::string& bytes, std::string& why) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return Read::Missing;
        why = ErrorText(errno, false);
        return Read::Failed;
    }
    // A pipe or a device could block for good: only a plain file is read.
    if (!S_ISREG(st.st_mode)) {
        why = Tr("ファイルではありません");
        return Read::Failed;
    }
    if (size_t(st.st_size) > MaxExchangeFileBytes) {
        why = Tr("ファイルが大きすぎます（最大 4 MB）");
        return Read::Failed;
    }
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        why = ErrorText(errno, false);
        return Read::Failed;
    }
    bytes.clear();
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || bytes.size() + size_t(n) > MaxExchangeFileBytes) {
            why = n < 0 ? ErrorText(errno, false) : Tr("ファイルが大きすぎます（最大 4 MB）");
            ::close(fd);
            return Read::Failed;
        }
        if (n == 0) break;
        bytes.append(buffer, size_t(n));
    }
    ::close(fd);
    return Read::Done;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        done += size_t(n);
    }
    return ::fsync(fd) == 0;
}

// A file written in full beside its target, under a name of its own, not yet in its place.
struct Staged {
    std::string temp, path;
};

bool Stage(const std::string& folder, const std::string& name, const std::string& path, const std::string& bytes,
           Staged& staged, std::string& why) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
        why = Tr("ファイルではありません");
        return false;
    }
    // Named after its target too: where the clock is coarse (a browser's), every name mkstemp draws
    // within one export is the same, and the second staged file would find the first in its way.
    std::string temp = PathInFolder(folder, "." + name + ".karven-XXXXXX");
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        why = ErrorText(errno, true);
        return false;
    }
    mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = ::fchmod(fd, 0666 & ~mask) == 0 && WriteAll(fd, bytes);
    int error = errno;
    if (::close(fd) != 0 && ok) ok = false, error = errno;
    if (!ok) {
        std::remove(temp.c_str());
        why = ErrorText(error, true);
        return false;
    }
    staged = {temp, path};
    return true;
}
} // namespace

std::string PathInFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == PathSeparator ? folder + name : folder + PathSeparator + name;
}

std::string WrittenAnyway(const std::vector<std::string>& written) {
    if (written.empty()) return "";
    std::string text = std::string("\r\n") + Tr("次のファイルは書き込まれました：");
    for (const std::string& path : written) text += "\r\n" + path;
    return text;
}

FolderImport ImportSeasonFolder(Season& season, const std::string& folder) {
    FolderImport result;
    SeasonCsvFiles files;
    bool any = false;
    for (auto [name, slot] : {std::pair{TeamsCsv, &files.teams}, std::pair{DriversCsv, &files.drivers},
                              std::pair{CalendarCsv, &files.calendar}}) {
        std::string bytes, path = PathInFolder(folder, name);
        switch (ReadFile(path, bytes, result.why)) {
        case Read::Missing: continue;
        case Read::Failed:
            result.outcome = FolderImport::Outcome::ReadFailed;
            result.path = path;
            return result;
        case Read::Done:
            *slot = std::move(bytes);
            any = true;
        }
    }
    if (!any) return result;
    bool imported = ImportSeasonCsv(season, files, result.refusal, &result.summary);
    result.outcome = imported ? FolderImport::Outcome::Imported : FolderImport::Outcome::Refused;
    return result;
}

std::vector<ExchangeFile> SeasonCsvExport(const Season& season) {
    return {{TeamsCsv, TeamsToCsv(season)}, {DriversCsv, DriversToCsv(season)}, {CalendarCsv, CalendarToCsv(season)}};
}

bool AnyInFolder(const std::string& folder, const std::vector<ExchangeFile>& files) {
    for (const auto& [name, bytes] : files) {
        std::error_code error;
        if (fs::exists(fs::symlink_status(PathInFolder(folder, name), error))) return true;
    }
    return false;
}

bool WriteFolder(const std::string& folder, const std::vector<ExchangeFile>& files, bool makeFolder,
                 std::string& failedPath, std::string& why, std::vector<std::string>* written) {
    if (written) written->clear();
    std::error_code error;
    if (makeFolder && !folder.empty() && !fs::is_directory(folder, error)) {
        fs::create_directories(folder, error);
        if (error) {
            failedPath = folder;
            why = ErrorText(error.value(), true);
            return false;
        }
    }
    // Every file is written in full before any takes its place: a disk that fills up half-way
    // leaves the folder as it was, not a mix of new files and old.
    std::vector<Staged> staged;
    auto drop = [&](size_t from) {
        for (size_t i = from; i < staged.size(); ++i) std::remove(staged[i].temp.c_str());
    };
    for (const auto& [name, bytes] : files) {
        failedPath = PathInFolder(folder, name);
        if (!Stage(folder.empty() ? "." : folder, name, failedPath, bytes, staged.emplace_back(), why)) {
            staged.pop_back();
            drop(0);
            return false;
        }
    }
    // Renaming within a folder needs no space; should one fail all the same, the files already in
    // their place are told.
    for (size_t i = 0; i < staged.size(); ++i) {
        if (std::rename(staged[i].temp.c_str(), staged[i].path.c_str()) != 0) {
            failedPath = staged[i].path;
            why = ErrorText(errno, true);
            drop(i);
            return false;
        }
        if (written) written->push_back(staged[i].path);
    }
    failedPath.clear();
    return true;
}

} // namespace karven
