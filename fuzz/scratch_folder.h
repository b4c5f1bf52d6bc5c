// A folder of the fuzz process for readers that only take a path: each input is written to a
// file there before it is read. It lies in memory (/dev/shm) when the system has it, so that
// millions of inputs cost no disk writes, and it is removed when the process ends.
#pragma once

#include <string>
#include <string_view>

namespace fuzzing {

class ScratchFolder {
  public:
    // The one folder of this process.
    static ScratchFolder& Instance();

    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's path, with its trailing "/".
    const std::string& Path() const { return path_; }
    std::string File(std::string_view name) const { return path_ + std::string(name); }

    // Replaces the file's content; returns its path. Aborts when it cannot be written, since
    // the target would then fuzz nothing.
    std::string Write(std::string_view name, std::string_view bytes) const;

  private:
    ScratchFolder();
    std::string path_;
};

}  // namespace fuzzing
