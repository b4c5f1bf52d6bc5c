#include "fuzz/scratch_folder.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fuzzing {
namespace {

std::string MemoryBackedTemporaryRoot() {
    std::error_code ignored;
    if (std::filesystem::is_directory("/dev/shm", ignored)) return "/dev/shm";
    return std::filesystem::temp_directory_path(ignored).string();
}

}  // namespace

ScratchFolder& ScratchFolder::Instance() {
    static ScratchFolder folder;
    return folder;
}

ScratchFolder::ScratchFolder() {
    std::string pattern = MemoryBackedTemporaryRoot() + "/tombage_fuzz_XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    path_ = pattern + "/";
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::Write(std::string_view name, std::string_view bytes) const {
    const std::string path = File(name);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        std::perror(path.c_str());
        std::abort();
    }
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            std::perror(path.c_str());
            std::abort();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    ::close(fd);
    return path;
}

}  // namespace fuzzing
