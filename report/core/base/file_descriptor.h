// An open POSIX file descriptor, closed when it goes out of scope.
#pragma once

#include <unistd.h>

namespace report {

class FileDescriptor {
  public:
    // Takes over `fd`; a negative value holds nothing.
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Close(); }

    int Get() const { return fd_; }

    // Closes now; false when close() reports an error (a write that did not reach the disk).
    bool Close() {
        if (fd_ < 0) return true;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

  private:
    int fd_;
};

}  // namespace report
