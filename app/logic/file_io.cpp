#include "app/logic/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "report/core/base/errors.h"
#include "report/core/base/text.h"

namespace app {
namespace {

// Closes the descriptor when it goes out of scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Close(); }
    int Get() const { return fd_; }
    bool Close() {
        if (fd_ < 0) return true;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

  private:
    int fd_;
};

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

}  // namespace

std::string PathForMessage(const std::string& path) {
    return report::IsValidUtf8(path) ? report::Utf8ToCp1252(path) : path;
}

bool TryReadWholeFile(const std::string& path, std::string& content) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) return false;
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    std::string text;
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) break;
        text.append(buffer.data(), static_cast<size_t>(n));
    }
    content = std::move(text);
    return true;
}

std::string ReadWholeFile(const std::string& path) {
    std::string content;
    if (!TryReadWholeFile(path, content)) throw report::FileOpenError(PathForMessage(path));
    return content;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view content) {
    mode_t mode = NewFileMode();
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode)) return false;
        mode = existing.st_mode & 07777;
    }
    std::string temporary = path + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temporary.data()));
    if (fd.Get() < 0) return false;
    const bool written =
        ::fchmod(fd.Get(), mode) == 0 && WriteAll(fd.Get(), content) && ::fsync(fd.Get()) == 0;
    if (!fd.Close() || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace app
