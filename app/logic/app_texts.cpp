#include "app/logic/app_texts.h"

#include "report/core/base/text.h"

namespace app {

std::string AppText(std::string_view utf8) {
    return report::Utf8ToCp1252(utf8);
}

}  // namespace app
