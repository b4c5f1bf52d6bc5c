// ScriptCompiler: turns the source of a script into instruction lines.
//
// Language: one statement, usually a `begin ... end` block of statements separated by `;`;
// `if ... then ... [else ...]`, `while ... do ...`, `repeat ... until ...`,
// `for name := a to b do ...` (counts up by 1, the limit evaluated before every pass),
// `goto 10` with labels `10:`, assignments `name := expr` and `name[index] := expr`, procedure
// calls `name` (compiled as `name(0)`) and any expression. Keywords stand between blanks or
// line ends. Comments: `{ ... }` and `// ...` to the end of the line.
//
// Instruction lines (bytes 1, 2, 3 are those character codes; a target is a line index counted
// from 0, written as two bytes, low first):
//   conditional jump  1, lo, hi, postfix   -- when the value equals 0, go to the target
//   jump              2, lo, hi
//   evaluate          3, postfix           -- EXIT(0) stops the script
//   assignment        name, blank, postfix
// Expressions are in the parser's postfix form.
//
// The first syntax error ends the compilation and adds one line to the error list:
// "Line l/c: message", l and c counted from 1 in the source lines (a tab counts as one blank).
// The lines emitted before the error stay. A source longer than kMaxSourceSize characters or
// with more than kMaxLabels labels is refused with an error line; a goto to a label that no
// statement defines is reported too, and jumps past the last line (so it ends the script).
#pragma once

#include <string>
#include <vector>

namespace report {

class Parser;

class ScriptCompiler {
  public:
    static constexpr int kMaxSourceSize = 32000;
    static constexpr int kMaxLabels = 101;
    // Target of a goto whose label is undefined: past every compiled script.
    static constexpr int kNoTarget = 0xFFFF;

    // `parser` converts the expressions to postfix.
    explicit ScriptCompiler(const Parser& parser) : parser_(parser) {}

    void Compile(const std::vector<std::string>& source, std::vector<std::string>& output,
                 std::vector<std::string>& errors);

  private:
    struct Label {
        std::string name;  // digits and the colon
        int line = 0;
    };
    struct Goto {
        size_t line = 0;      // output line
        std::string label;    // digits
        size_t position = 0;  // in the buffer, for an error
    };

    // Tokens and characters.
    std::string ReadToken();
    size_t NextTokenStart();
    void CutComment(size_t start, size_t length);
    bool IsNameStart(size_t position) const;
    size_t ScanName(size_t position) const;
    // Moves past the [...] that starts at `position`, giving its inner text; reports the
    // missing ']' at `position` and returns false when it is unclosed.
    bool SkipBracketedPart(size_t position, std::string* inner = nullptr);

    // Grammar.
    void Statement();
    void Compound();
    void IfStatement();
    void RepeatStatement();
    void WhileStatement();
    void ForStatement();
    void GotoStatement();
    void NameStatement();
    std::string ExpressionText();
    void Expression();
    void SimpleExpression();
    void Term();
    void Factor();
    void SkipParenthesized(size_t start);
    void SkipStringLiteral(size_t start);
    void SkipNumber(size_t start);
    void SkipNameFactor(size_t start);
    void SkipCallArguments();

    // Output.
    size_t Emit(std::string line);
    void SetTarget(size_t line, size_t target);
    void FixUp();

    // Errors.
    void Error(const std::string& message);
    void ErrorAtPosition(size_t position, const std::string& message);
    void Fail() { error_ = true; }

    const Parser& parser_;
    std::string buffer_;    // the source with comments cut out as they are met
    std::string original_;  // the source as given, for error positions
    size_t position_ = 0;
    size_t lastTokenStart_ = 0;
    bool error_ = false;
    int depth_ = 0;
    std::vector<std::pair<size_t, size_t>> comments_;  // start in buffer_ when cut, length
    std::vector<Label> labels_;
    std::vector<Goto> gotos_;
    std::vector<std::string>* output_ = nullptr;
    std::vector<std::string>* errors_ = nullptr;
};

}  // namespace report
