// Whole-file reading and atomic replacement. Paths are native (UTF-8 bytes on Linux).
#pragma once

#include <string>
#include <string_view>

namespace app {

// The path as it appears inside a French message (Windows-1252).
std::string PathForMessage(const std::string& path);

// Reads the whole file. False when it cannot be opened or read (missing, a folder, no rights).
bool TryReadWholeFile(const std::string& path, std::string& content);

// Reads the whole file; raises report::FileOpenError ("Impossible d'ouvrir le fichier %s", full
// path) when it cannot.
std::string ReadWholeFile(const std::string& path);

// Replaces the file's content: writes a temporary file in the same folder, flushes it to disk
// and renames it over the target, so that the former content stays whole on any failure.
// A new file gets the mode 0644 (less the umask); an existing one keeps its mode.
// Returns false (and leaves no temporary file) when any step fails.
bool ReplaceFileAtomically(const std::string& path, std::string_view content);

}  // namespace app
