#include "report/core/prepared/prepared_file_error.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"
#include "report/core/prepared/prepared_texts.h"

namespace report {

PreparedFileError PreparedFileError::BadFormat() {
    return PreparedFileError(EngineText(prepared_text::kBadFormat));
}

PreparedFileError PreparedFileError::Truncated(int pageNumber) {
    return PreparedFileError(
        FormatMessage(EngineText(prepared_text::kTruncated), {std::to_string(pageNumber)}));
}

PreparedFileError PreparedFileError::BadPageCount(long long count) {
    return PreparedFileError(
        FormatMessage(EngineText(prepared_text::kBadPageCount), {std::to_string(count)}));
}

PreparedFileError PreparedFileError::DamagedPage(int pageNumber) {
    return PreparedFileError(
        FormatMessage(EngineText(prepared_text::kDamagedPage), {std::to_string(pageNumber)}));
}

PreparedFileError PreparedFileError::UnknownClass(int pageNumber, std::string_view className) {
    return PreparedFileError(FormatMessage(EngineText(prepared_text::kUnknownClass),
                                           {std::to_string(pageNumber), className}));
}

PreparedFileError PreparedFileError::Compressed() {
    return PreparedFileError(EngineText(prepared_text::kCompressed));
}

}  // namespace report
