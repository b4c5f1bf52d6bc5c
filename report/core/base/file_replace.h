// Replacing a whole file so that its previous content is never lost and its rights are kept.
// Paths are native (UTF-8 bytes on Linux).
#pragma once

#include <string>
#include <string_view>

namespace report {

// Replaces the file's content; false when it could not, and the file is then as it was.
//
// - A file that is read-only (no write bit at all, or not writable by this user) is refused,
//   whoever runs the program; so is anything that is not a regular file.
// - Where the folder may be written: a temporary file in the same folder, with the file's mode
//   (and its owner and group when the system allows), is written, synced and renamed over the
//   file. A failure or a kill at any point leaves the previous content whole.
// - Where only the file may be written: the space for the new content is reserved first (a full
//   disk or a size limit then refuses with the file unchanged), the file is overwritten in
//   place, cut to the new length and synced. Its mode, owner and links stay as they are; only a
//   kill in the middle of that write can leave it partly written.
// - A missing file is created with the mode 0644 less the umask, in a folder that may be
//   written.
// A symbolic link is followed: its target is replaced and the link stays.
bool ReplaceFileContent(const std::string& path, std::string_view content);

}  // namespace report
