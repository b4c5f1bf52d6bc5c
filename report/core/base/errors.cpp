#include "report/core/base/errors.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"

namespace report {

FileOpenError::FileOpenError(const std::string& path)
    : EngineError(FormatMessage(EngineText("err.file_open"), {path})) {}

FileCreateError::FileCreateError(const std::string& path)
    : EngineError(FormatMessage(EngineText("err.file_create"), {path})) {}

StreamReadError::StreamReadError() : EngineError(EngineText("err.stream_read")) {}

ListIndexError::ListIndexError(long long index)
    : EngineError(FormatMessage(EngineText("err.list_index"), {std::to_string(index)})) {}

ConvertError ConvertError::NotInteger(const std::string& text) {
    return ConvertError(FormatMessage(EngineText("err.not_integer"), {text}));
}
ConvertError ConvertError::NotFloat(const std::string& text) {
    return ConvertError(FormatMessage(EngineText("err.not_float"), {text}));
}
ConvertError ConvertError::NotDate(const std::string& text) {
    return ConvertError(FormatMessage(EngineText("err.not_date"), {text}));
}
ConvertError ConvertError::NotTime(const std::string& text) {
    return ConvertError(FormatMessage(EngineText("err.not_time"), {text}));
}
ConvertError ConvertError::NotDateTime(const std::string& text) {
    return ConvertError(FormatMessage(EngineText("err.not_datetime"), {text}));
}

VariantOperationError::VariantOperationError() : EngineError(EngineText("err.variant_op")) {}

VariantConversionError::VariantConversionError()
    : EngineError(EngineText("err.variant_conversion")) {}

FloatingPointError::FloatingPointError() : EngineError(EngineText("err.float_op")) {}

}  // namespace report
