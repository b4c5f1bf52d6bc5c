#include "report/core/base/message_path.h"

#include "report/core/base/text.h"

namespace report {

std::string PathForMessage(const std::string& path) {
    return IsValidUtf8(path) ? Utf8ToCp1252(path) : path;
}

}  // namespace report
