// The engine's string table: every message, caption, band name, format pattern and paper name
// of the report engine and the runtime, in French.
//
// The source is res/strings.txt (UTF-8), compiled into the library. Each line is
// `key=text`, where key is the engine text number (55206) or a symbolic name (err.file_open);
// `\n`, `\t`, `\r` and `\\` are escapes; lines starting with '#' are comments.
// Lookups return Windows-1252 text.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace report {

// A key that the table lacks: a fault of the program, not of its input, so it is not an
// EngineError that a handler would show and go past.
class MissingEngineText : public std::logic_error {
  public:
    explicit MissingEngineText(std::string_view key);
};

// The text of a number; raises MissingEngineText for a number that the table lacks.
const std::string& EngineText(int number);

// The text of a symbolic name; raises MissingEngineText for a name that the table lacks.
const std::string& EngineText(std::string_view name);

// True when the table holds the key (a number written in decimal, or a name).
bool HasEngineText(std::string_view key);

// Well-known numbers.
namespace text_id {
inline constexpr int kCancel = 55001;          // "Annuler"
inline constexpr int kFirstPaperName = 55008;  // + row of the paper table
inline constexpr int kFirstBandName = 55077;   // + band type
inline constexpr int kErrorCaption = 55206;    // "Erreur"
inline constexpr int kPictureText = 55228;     // "[Image]"
inline constexpr int kOne = 55337;             // "1"
}  // namespace text_id

}  // namespace report
