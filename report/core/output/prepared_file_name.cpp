#include "report/core/output/prepared_file_name.h"

namespace report {

std::string WithPreparedExtension(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && dot > nameStart) return path.substr(0, dot) + ".etp";
    return path + ".etp";
}

}  // namespace report
