#include "report/core/base/file_replace.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <optional>

#include "report/core/base/file_descriptor.h"

namespace report {
namespace {

enum class Replaced { rpDone, rpFailed, rpFolderNotWritable };

bool WriteAll(int fd, std::string_view content) {
    size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        written += static_cast<size_t>(n);
    }
    return true;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0644 & ~mask;
}

bool MeansFolderNotWritable(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file the path stands for: the target of a symbolic link, the path itself otherwise.
std::string ResolvedTarget(const std::string& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
    return path;
}

// The mode, and the owner when the system lets us give it, of the file being replaced, then
// the content, on the disk.
bool FillFile(int fd, std::string_view content, mode_t mode, const struct stat* existing) {
    if (existing != nullptr &&
        (existing->st_uid != ::geteuid() || existing->st_gid != ::getegid())) {
        // Only root may give the file away; the group is kept where this user belongs to it.
        if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
            [[maybe_unused]] const int ignored =
                ::fchown(fd, static_cast<uid_t>(-1), existing->st_gid);
        }
    }
    return ::fchmod(fd, mode) == 0 && WriteAll(fd, content) && ::fsync(fd) == 0;
}

constexpr std::string_view kTemporaryMark = ".tmp";

// A name beside the target that nothing uses yet, for the moment before the rename:
// target + ".tmp" + process id + "-" + a counter.
std::string UnusedNameBeside(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + std::string(kTemporaryMark) + std::to_string(::getpid()) + "-" +
           std::to_string(++counter);
}

// A saver killed between naming its temporary file and the rename leaves that name behind; the
// next save removes the names of processes that no longer run.
void RemoveLeftoversOfDeadSavers(const std::string& target, const std::string& folder) {
    const std::string prefix =
        target.substr(target.find_last_of('/') + 1) + std::string(kTemporaryMark);
    DIR* entries = ::opendir(folder.c_str());
    if (entries == nullptr) return;
    while (const dirent* entry = ::readdir(entries)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix)) continue;
        const std::string_view rest = name.substr(prefix.size());
        pid_t owner = 0;
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), owner);
        if (error != std::errc() || end == rest.data() || *end != '-' || owner <= 0) continue;
        if (::kill(owner, 0) == 0 || errno != ESRCH) continue;
        ::unlinkat(::dirfd(entries), entry->d_name, 0);
    }
    ::closedir(entries);
}

void SyncFolder(const std::string& folder) {
    const FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0) ::fsync(fd.Get());
}

bool RenameOver(const std::string& temporary, const std::string& target) {
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(FolderOf(target));
    return true;
}

// Through a file without a name (O_TMPFILE): a kill before the rename leaves nothing behind.
// Nothing when the file system or /proc does not offer it.
std::optional<Replaced> ReplaceThroughUnnamedFile(const std::string& target,
                                                  const std::string& folder,
                                                  std::string_view content, mode_t mode,
                                                  const struct stat* existing) {
    FileDescriptor fd(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    if (fd.Get() < 0) {
        if (MeansFolderNotWritable(errno)) return Replaced::rpFolderNotWritable;
        return std::nullopt;
    }
    if (!FillFile(fd.Get(), content, mode, existing)) return Replaced::rpFailed;
    const std::string self = "/proc/self/fd/" + std::to_string(fd.Get());
    RemoveLeftoversOfDeadSavers(target, folder);
    std::string temporary = UnusedNameBeside(target);
    while (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        if (errno != EEXIST) return std::nullopt;
        temporary = UnusedNameBeside(target);
    }
    if (!fd.Close()) {
        ::unlink(temporary.c_str());
        return Replaced::rpFailed;
    }
    return RenameOver(temporary, target) ? Replaced::rpDone : Replaced::rpFailed;
}

Replaced ReplaceThroughNamedFile(const std::string& target, std::string_view content, mode_t mode,
                                 const struct stat* existing) {
    std::string temporary = target + ".XXXXXX";
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (fd.Get() < 0) {
        return MeansFolderNotWritable(errno) ? Replaced::rpFolderNotWritable : Replaced::rpFailed;
    }
    const bool filled = FillFile(fd.Get(), content, mode, existing);
    if (!fd.Close() || !filled) {
        ::unlink(temporary.c_str());
        return Replaced::rpFailed;
    }
    return RenameOver(temporary, target) ? Replaced::rpDone : Replaced::rpFailed;
}

bool OverwriteInPlace(const std::string& target, std::string_view content) {
    FileDescriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW));
    if (fd.Get() < 0) return false;
    const auto size = static_cast<off_t>(content.size());
    // Refusing before a byte has changed: a size limit would cut the write in the middle even
    // inside the old length, and a full disk is found by reserving the space.
    rlimit sizeLimit{};
    if (::getrlimit(RLIMIT_FSIZE, &sizeLimit) == 0 && sizeLimit.rlim_cur != RLIM_INFINITY &&
        content.size() > sizeLimit.rlim_cur) {
        return false;
    }
    if (size > 0 && ::posix_fallocate(fd.Get(), 0, size) != 0) return false;
    return ::pwrite(fd.Get(), content.data(), content.size(), 0) ==
               static_cast<ssize_t>(content.size()) &&
           ::ftruncate(fd.Get(), size) == 0 && ::fsync(fd.Get()) == 0 && fd.Close();
}

bool IsReadOnly(const std::string& target, const struct stat& info) {
    return (info.st_mode & 0222) == 0 ||
           ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0;
}

}  // namespace

bool ReplaceFileContent(const std::string& path, std::string_view content) {
    const std::string target = ResolvedTarget(path);
    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists && (!S_ISREG(info.st_mode) || IsReadOnly(target, info))) return false;
    const mode_t mode = exists ? (info.st_mode & 07777) : NewFileMode();
    const struct stat* existing = exists ? &info : nullptr;

    const std::string folder = FolderOf(target);
    Replaced result = Replaced::rpFailed;
    if (const auto unnamed = ReplaceThroughUnnamedFile(target, folder, content, mode, existing)) {
        result = *unnamed;
    } else {
        result = ReplaceThroughNamedFile(target, content, mode, existing);
    }
    if (result == Replaced::rpFolderNotWritable && exists) return OverwriteInPlace(target, content);
    return result == Replaced::rpDone;
}

}  // namespace report
