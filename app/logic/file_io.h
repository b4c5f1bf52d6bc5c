// Whole-file reading (replacing: report/core/base/file_replace.h). Paths are native (UTF-8 bytes on
// Linux).
#pragma once

#include <string>
#include <string_view>

#include "report/core/base/message_path.h"
#include "report/core/base/whole_file.h"

namespace app {

// The path as it appears inside a French message (Windows-1252).
using report::PathForMessage;

// Whole regular files only (a FIFO would block): false, or report::FileOpenError ("Impossible
// d'ouvrir le fichier %s", full path), when the file cannot be read.
using report::ReadWholeFile;
using report::TryReadWholeFile;

}  // namespace app
