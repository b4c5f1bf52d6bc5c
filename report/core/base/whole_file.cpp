#include "report/core/base/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <vector>

#include "report/core/base/errors.h"
#include "report/core/base/file_descriptor.h"
#include "report/core/base/message_path.h"

namespace report {

bool TryReadWholeFile(const std::string& path, std::string& content) {
    // O_NONBLOCK: opening a FIFO without a writer would otherwise wait before fstat can refuse
    // it. It changes nothing for the reads of a regular file.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
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
    if (!TryReadWholeFile(path, content)) throw FileOpenError(PathForMessage(path));
    return content;
}

}  // namespace report
