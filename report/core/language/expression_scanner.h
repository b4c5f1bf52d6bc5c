// The readers of expression texts, shared by the expression parser, text expansion and the
// collectors of function calls.
//
// Positions are 0-based byte offsets into the text. Texts are Windows-1252.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace report {

// A [...] part of a text.
struct BracketedPart {
    // One past the closing bracket; equal to the start position when no bracketed part starts
    // there. An unclosed part runs to the end of the text.
    size_t end = 0;
    // The text between the brackets (to the end of the text when the part is unclosed).
    std::string_view inner;
    bool closed = false;
};

// Takes the bracketed part that starts at `start` (where the text holds '['). Nested brackets
// belong to the outer part; brackets inside single- or double-quoted text do not count.
BracketedPart FindBracketedPart(std::string_view text, size_t start);

// Skips the characters with codes up to 32 (blanks, line breaks and the operator code bytes of
// postfix texts), then reads up to the next delimiter: a character with a code up to 32 (CR,
// blank, tab...) or one of ( ) * + - / < = > [.
// A delimiter met inside double quotes belongs to the identifier, so a double-quoted dataset
// or field name with blanks reads as one identifier. `position` is left on the delimiter.
std::string_view ReadIdentifier(std::string_view text, size_t& position);

// Reads a single-quoted literal starting on its opening quote, doubled quotes included, and
// returns it with both enclosing quotes; `position` is left after the closing quote. An
// unterminated literal runs to the end of the text (check with IsTerminatedLiteral).
std::string_view ReadQuotedString(std::string_view text, size_t& position);
bool IsTerminatedLiteral(std::string_view literal);

// The content of a quoted literal: enclosing quotes removed, each doubled quote made single.
std::string UnquoteLiteral(std::string_view literal);

// The arguments of a call, `position` on the '(' after the function name. Parentheses are
// counted outside single quotes; a comma at depth 1 ends an argument. At most three argument
// texts come back, untrimmed: the first comma closes argument 1, every later comma closes
// argument 2 (a later one replacing an earlier), and the text after the last comma is argument
// 3 only when there were exactly two commas. `position` is left after the closing parenthesis.
// Raises ExpressionError ("Parenthèse manquante dans l'expression") when the text ends with a
// parenthesis still open.
struct CallArguments {
    std::array<std::string_view, 3> text;
};
CallArguments SplitArguments(std::string_view text, size_t& position);

}  // namespace report
