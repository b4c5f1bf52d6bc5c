// Prepared-report files (".etp") on disk. Files are read or written whole.
#pragma once

#include <string>

namespace report {

class PreparedPages;

// Reads the file into the store. FileOpenError when it cannot be read and PreparedFileError
// when it is damaged; the store is then as it was.
void OpenPreparedFile(PreparedPages& store, const std::string& path);

// Creates (or truncates) the file at the path as given and writes the store.
// FileCreateError when it cannot be written.
void SavePreparedFile(const PreparedPages& store, const std::string& path);

}  // namespace report
