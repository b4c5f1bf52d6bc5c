// Reading a whole file at once, as every file of the program and the engine is read.
// Paths are native (UTF-8 bytes on Linux).
#pragma once

#include <string>

namespace report {

// Reads the whole file. False when it cannot be opened or read (missing, no rights) or is not
// a regular file: a folder has no content, and a FIFO or a device would block or never end.
bool TryReadWholeFile(const std::string& path, std::string& content);

// Reads the whole file; raises FileOpenError ("Impossible d'ouvrir le fichier %s", the full
// path as PathForMessage gives it) when TryReadWholeFile cannot.
std::string ReadWholeFile(const std::string& path);

}  // namespace report
