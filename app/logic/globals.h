// Declarations shared by the whole program: its version, its folder and the field splitter of
// its ";"-separated text lines.
#pragma once

#include <string>
#include <string_view>

namespace app {

// The version text, shown in the captions and used to name the version page of the update site.
inline constexpr std::string_view ProgramVersion = "2.22.02";

// The folder of the executable with its trailing "/", as a native path (UTF-8 bytes on Linux).
// Every file the program reads or writes by itself is ProgramFolder() + a bare file name.
// Empty until SetProgramFolder() has run (main window creation).
const std::string& ProgramFolder();

// Sets the folder; a missing trailing "/" is added.
void SetProgramFolder(std::string folder);

// Field n (counted from 0) of a line whose fields are separated by ";", or "0" when that field
// is empty or missing. Blanks are kept; quotes mean nothing. Never fails.
std::string ExtractField(std::string_view line, int n);

}  // namespace app
