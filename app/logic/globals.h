// Declarations shared by the whole program: its version, its folder and the field splitter of
// its ";"-separated text lines.
#pragma once

#include <string>
#include <string_view>

#include "app/logic/file_locations.h"

namespace app {

// The version text, shown in the captions and used to name the version page of the update site.
inline constexpr std::string_view ProgramVersion = "2.22.02";

// The folder of the executable with its trailing "/", as a native path (UTF-8 bytes on Linux).
// Empty until SetProgramFolder() or SetFileLocations() has run (main window creation).
const std::string& ProgramFolder();
// Where the shared files are read (template, help documents, exemples/) and where the user's
// files are written (results file, settings): file_locations.h. Every file the program reads or
// writes by itself is one of these folders + a bare file name.
const FileLocations& Locations();
const std::string& SharedFolder();
const std::string& UserFolder();

// The portable layout: every folder is `folder` (a missing trailing "/" is added).
void SetProgramFolder(std::string folder);
void SetFileLocations(FileLocations locations);

// Field n (counted from 0) of a line whose fields are separated by ";", or "0" when that field
// is empty or missing. Blanks are kept; quotes mean nothing. Never fails.
std::string ExtractField(std::string_view line, int n);

}  // namespace app
