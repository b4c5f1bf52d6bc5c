// Prepared-report files (".etp") on disk. Files are read or written whole.
#pragma once

#include <string>

namespace report {

class PreparedPages;

// Reads the file into the store. FileOpenError when it cannot be read and PreparedFileError
// when it is damaged; the store is then as it was.
void OpenPreparedFile(PreparedPages& store, const std::string& path);

// Writes the store to the file at the path as given, replacing it only once the new content is
// whole on disk (EngineStream::SaveToFile). FileCreateError when it cannot be written; the file
// there before is then unchanged.
void SavePreparedFile(const PreparedPages& store, const std::string& path);

}  // namespace report
