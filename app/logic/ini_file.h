// An initialisation file ("[section]" lines, then "key=value" lines) read and written key by key
// with the semantics of the Windows profile functions: sections and keys are looked up without
// regard to case, every write goes to the file at once, and lines the program does not know are
// kept. Values are Windows-1252 bytes.
#pragma once

#include <string>
#include <string_view>

#include "report/core/base/errors.h"
#include "report/core/value/date_time.h"

namespace app {

// "Impossible d'écrire dans %s", with the file's path.
class IniWriteError : public report::EngineError {
  public:
    explicit IniWriteError(const std::string& path);
};

class IniFile {
  public:
    // path: native path of the file. A missing or unreadable file reads as empty; the first
    // write creates it.
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // The value of the first matching key of the first matching section, blanks around it
    // removed and one pair of enclosing quotes dropped; `fallback` when the key is absent.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;

    // A decimal integer, or hexadecimal after "0x"/"0X"; `fallback` when absent, empty, not an
    // integer or out of the 32-bit range.
    int ReadInteger(std::string_view section, std::string_view key, int fallback) const;

    // Any integer other than 0 is true.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    // A date in the short date format; `fallback` when absent or not a date.
    report::DateTime ReadDate(std::string_view section, std::string_view key,
                              report::DateTime fallback) const;

    // Sets the key: its line is replaced in place, a new key goes after the last line of its
    // section, a new section is added at the end of the file. The file is rewritten at once,
    // lines ended by CR LF, as ReplaceFileContent does it (report/core/base/file_replace.h): the
    // previous file stays whole on any failure. Raises IniWriteError when it cannot be written, a
    // read-only file included.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);  // "1" / "0"
    void WriteDate(std::string_view section, std::string_view key, report::DateTime value);

  private:
    std::string path_;
};

}  // namespace app
