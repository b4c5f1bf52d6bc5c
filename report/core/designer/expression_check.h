// Checking what an author types before it enters the template: the bracketed expressions of a
// text object, a group condition, a script. The engine's own parser and compiler judge, so
// that what the designer accepts is what a build can read.
//
// Texts are Windows-1252; positions are 0-based byte offsets (one byte, one character).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace report {

struct ExpressionProblem {
    // Where the faulty expression starts: in the text the lines make joined by '\n'.
    size_t position = 0;
    size_t line = 0;            // from 1
    size_t column = 0;          // from 1
    std::string engineMessage;  // the parser's own message
    // "Erreur dans l'expression (ligne l, colonne c) : <message>"
    std::string Message() const;
};

// The parser's refusal of one expression, or nothing when it reads. Function arguments are
// read too. A format suffix (" #N2.2") is cut off first, as printing does. Names are not
// looked up: a value that only a build knows cannot be judged here.
std::optional<std::string> ExpressionRefusal(std::string_view expression);

// The first bracketed part of the memo that the parser refuses, or that is left unclosed
// (printing would show it as written, which is never what was meant). Brackets do not span
// lines, as memo expansion works line by line.
std::optional<ExpressionProblem> CheckMemoExpressions(const std::vector<std::string>& lines);

// The compiler's error lines for a script ("Line l/c: message"); empty when it compiles.
std::vector<std::string> ScriptErrors(const std::vector<std::string>& source);

}  // namespace report
