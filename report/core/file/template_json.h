// The JSON form of a template, for users without a designer: every field of the report header,
// the pages, their objects (pictures in Base64) and the dictionary. Texts are UTF-8 in JSON and
// Windows-1252 in the engine. Compiling the form of a template and saving it gives back the
// bytes of any template the engine writes.
#pragma once

#include "report/core/base/json.h"

namespace report {

class Report;

JsonValue TemplateToJson(const Report& report);

// Replaces the report's pages and dictionary by those of the JSON form. Missing members keep
// their defaults; unknown members and values of the wrong kind raise JsonError saying where;
// objects past the 256th page raise EngineError (CheckTemplateWritable).
void JsonToTemplate(const JsonValue& json, Report& report);

}  // namespace report
