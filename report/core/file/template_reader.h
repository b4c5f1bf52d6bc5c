// Reading a report template stream (.etf): version byte, report header, then sections (pages,
// objects, dictionary) until the end of the stream.
//
// Versions 21 to 24 are read; a first byte of 0 to 20 means a headerless version-21 stream;
// above 24 the load is refused with "Format ETF non supporté". Errors are shown through the
// dialog service, captioned "Erreur"; what was read stays in the report as the rules say.
#pragma once

#include "report/core/base/engine_stream.h"

namespace report {

class Report;

// What happened, for tools and tests; the user sees the error boxes.
enum class TemplateLoadOutcome {
    Empty,  // empty stream: only the dictionary was emptied
    Loaded,
    Unsupported,     // version above 24, or a damaged stream ("Format ETF non supporté")
    MissingClasses,  // add-in classes not plugged in (the other objects are loaded)
};

TemplateLoadOutcome ReadTemplate(Report& report, EngineStream& s);

}  // namespace report
