// The name a prepared-report file is saved under.
#pragma once

#include <string>

namespace report {

// The path with the extension of its last component replaced by ".etp", or ".etp" added when
// it has none. A dot that starts the file name (".rapport") is not an extension.
std::string WithPreparedExtension(const std::string& path);

}  // namespace report
