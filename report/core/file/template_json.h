// The JSON form of a template, for users without a designer: every field of the report header,
// the pages, their objects (pictures in Base64) and the dictionary. Texts are UTF-8 in JSON and
// Windows-1252 in the engine. Compiling the form of a template and saving it gives back the
// bytes of any template the engine writes.
#pragma once

#include <memory>
#include <string>

#include "report/core/base/json.h"

namespace report {

class Report;
class View;
class ViewFactory;

JsonValue TemplateToJson(const Report& report);

// Replaces the report's pages and dictionary by those of the JSON form. Missing members keep
// their defaults; unknown members and values of the wrong kind raise JsonError saying where;
// objects past the 256th page raise EngineError (CheckTemplateWritable).
void JsonToTemplate(const JsonValue& json, Report& report);

// One object in the JSON form: "class" first, then its stored fields. An object of a
// prepared page (inPreparedPage) is written as its compact record holds it: "memo" is its
// finished text, and format, script, visibility and highlight are left out.
JsonValue ObjectToJson(const View& view);

// Creates the object that ObjectToJson wrote, through `factory` (which numbers it). With
// `inPreparedPage` the object belongs to a prepared page: "memo" fills its finished text and
// the members that the compact record lacks are refused. `where` (UTF-8) names the object in
// messages ("pages[0].objects[2]"). The object is not named when the form names it not.
std::unique_ptr<View> JsonToObject(const JsonValue& json, ViewFactory& factory,
                                   const std::string& where, bool inPreparedPage = false);

}  // namespace report
