#include "report/core/language/script_compiler.h"

#include <algorithm>

#include "report/core/base/characters.h"
#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/language/expression_parser.h"
#include "report/core/language/expression_scanner.h"
#include "report/core/language/nesting_guard.h"

namespace report {

namespace {

constexpr char kConditionalJump = 1;
constexpr char kJump = 2;
constexpr char kEvaluate = 3;

// Deepest recursion of the grammar; each parenthesis level takes about four.
constexpr int kMaxGrammarDepth = 400;

bool IsLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') ||
           (u >= 0xC0 && u != 0xD7 && u != 0xF7);
}

bool IsNameChar(char c) {
    return IsLetter(c) || IsDigit(c) || c == '.' || c == '_';
}

size_t LeadingDigits(const std::string& token) {
    size_t n = 0;
    while (n < token.size() && IsDigit(token[n]))
        ++n;
    return n;
}

std::string JumpLine(char kind) {
    return std::string{kind, '\0', '\0'};
}

}  // namespace

void ScriptCompiler::Compile(const std::vector<std::string>& source,
                             std::vector<std::string>& output, std::vector<std::string>& errors) {
    buffer_.clear();
    for (const std::string& line : source) {
        buffer_ += line;
        buffer_ += '\r';
    }
    std::replace(buffer_.begin(), buffer_.end(), '\t', ' ');
    original_ = buffer_;
    position_ = 0;
    lastTokenStart_ = 0;
    error_ = false;
    depth_ = 0;
    comments_.clear();
    labels_.clear();
    gotos_.clear();
    output.clear();
    errors.clear();
    output_ = &output;
    errors_ = &errors;

    if (buffer_.size() > static_cast<size_t>(kMaxSourceSize)) {
        error_ = true;
        errors.push_back(FormatMessage(EngineText("script.error_at"),
                                       {"1", "1",
                                        FormatMessage(EngineText("script.source_too_long"),
                                                      {std::to_string(kMaxSourceSize)})}));
        return;
    }
    try {
        if (!buffer_.empty()) Statement();
    } catch (const ExpressionError& tooDeep) {
        // Only the nesting guards raise here; the error stands where the last token began.
        Error(tooDeep.what());
    }
    FixUp();
}

// --- Tokens and characters ---

std::string ScriptCompiler::ReadToken() {
    for (;;) {
        while (position_ < buffer_.size() && IsBlank(buffer_[position_]))
            ++position_;
        lastTokenStart_ = position_;
        const bool quoted = position_ < buffer_.size() && buffer_[position_] == '\'';
        size_t i = position_;
        bool cut = false;
        while (i < buffer_.size() && !IsBlank(buffer_[i])) {
            if (!quoted && buffer_[i] == '{') {
                const size_t close = buffer_.find('}', i);
                CutComment(i, (close == std::string::npos ? buffer_.size() : close + 1) - i);
                cut = true;
                break;
            }
            if (!quoted && buffer_[i] == '/' && i + 1 < buffer_.size() && buffer_[i + 1] == '/') {
                // The line break stays: it still separates what comes before and after.
                const size_t lineEnd = buffer_.find('\r', i);
                CutComment(i, (lineEnd == std::string::npos ? buffer_.size() : lineEnd) - i);
                cut = true;
                break;
            }
            ++i;
        }
        if (cut) continue;  // read the token again without the comment
        std::string token = UpperCase(std::string_view(buffer_).substr(position_, i - position_));
        position_ = i;
        return token.empty() ? std::string(" ") : token;
    }
}

size_t ScriptCompiler::NextTokenStart() {
    ReadToken();
    position_ = lastTokenStart_;
    return position_;
}

void ScriptCompiler::CutComment(size_t start, size_t length) {
    comments_.emplace_back(start, length);
    buffer_.erase(start, length);
}

bool ScriptCompiler::IsNameStart(size_t position) const {
    return position < buffer_.size() && IsLetter(buffer_[position]);
}

size_t ScriptCompiler::ScanName(size_t position) const {
    while (position < buffer_.size() && IsNameChar(buffer_[position]))
        ++position;
    return position;
}

bool ScriptCompiler::SkipBracketedPart(size_t position, std::string* inner) {
    const BracketedPart part = FindBracketedPart(buffer_, position);
    if (!part.closed) {
        lastTokenStart_ = position;
        Error(EngineText("script.need_close_bracket"));
        return false;
    }
    if (inner != nullptr) *inner = part.inner;
    position_ = part.end;
    return true;
}

// --- Statements ---

void ScriptCompiler::Statement() {
    NestingGuard guard(depth_, kMaxGrammarDepth);
    const std::string token = ReadToken();
    const size_t start = lastTokenStart_;
    // An empty statement (also before ';' and ELSE, as in `a := 1;; b := 2` or
    // `if a then else b := 1`): the enclosing construct reads the token.
    if (token == " " || token == "END" || token == "END;" || token == "UNTIL" || token == "ELSE" ||
        token.front() == ';') {
        position_ = start;
        return;
    }
    if (token == "BEGIN") return Compound();
    if (token == "IF") return IfStatement();
    if (token == "REPEAT") return RepeatStatement();
    if (token == "WHILE") return WhileStatement();
    if (token == "FOR") return ForStatement();
    if (token == "GOTO") return GotoStatement();

    const size_t digits = LeadingDigits(token);
    if (digits > 0 && digits < token.size() && token[digits] == ':' &&
        (digits + 1 == token.size() || token[digits + 1] != '=')) {
        const std::string name = token.substr(0, digits + 1);
        const bool known = std::any_of(labels_.begin(), labels_.end(),
                                       [&](const Label& l) { return l.name == name; });
        if (!known) {
            if (labels_.size() >= static_cast<size_t>(kMaxLabels)) {
                Error(FormatMessage(EngineText("script.too_many_labels"),
                                    {std::to_string(kMaxLabels)}));
                return;
            }
            labels_.push_back({name, static_cast<int>(output_->size())});
        }
        position_ = start + digits + 1;
        return Statement();
    }

    position_ = start;
    if (IsNameStart(position_)) return NameStatement();
    const std::string expression = ExpressionText();
    if (!error_) Emit(kEvaluate + expression);
}

void ScriptCompiler::Compound() {
    for (;;) {
        Statement();
        if (error_) return;
        const std::string token = ReadToken();
        if (token.front() == ';') {
            position_ = lastTokenStart_ + 1;
        } else if (token == "END" || token == "END;") {
            position_ = lastTokenStart_ + 3;
            return;
        } else {
            Error(EngineText("script.need_semicolon_or_end"));
            return;
        }
    }
}

void ScriptCompiler::IfStatement() {
    const std::string condition = ExpressionText();
    if (error_) return;
    const size_t jump = Emit(JumpLine(kConditionalJump) + condition);
    if (ReadToken() != "THEN") {
        Error(EngineText("script.need_then"));
        return;
    }
    Statement();
    if (error_) return;
    const size_t beforeElse = position_;
    if (ReadToken() == "ELSE") {
        const size_t skipElse = Emit(JumpLine(kJump));
        SetTarget(jump, output_->size());
        Statement();
        if (error_) return;
        SetTarget(skipElse, output_->size());
    } else {
        SetTarget(jump, output_->size());
        position_ = beforeElse;
    }
}

void ScriptCompiler::RepeatStatement() {
    const size_t top = output_->size();
    for (;;) {
        Statement();
        if (error_) return;
        const std::string token = ReadToken();
        if (token == "UNTIL") {
            const std::string condition = ExpressionText();
            if (error_) return;
            SetTarget(Emit(JumpLine(kConditionalJump) + condition), top);
            return;
        }
        if (token.front() != ';') {
            Error(EngineText("script.need_semicolon_or_until"));
            return;
        }
        position_ = lastTokenStart_ + 1;
    }
}

void ScriptCompiler::WhileStatement() {
    const size_t top = output_->size();
    const std::string condition = ExpressionText();
    if (error_) return;
    const size_t jump = Emit(JumpLine(kConditionalJump) + condition);
    if (ReadToken() != "DO") {
        Error(EngineText("script.need_do"));
        return;
    }
    Statement();
    if (error_) return;
    SetTarget(Emit(JumpLine(kJump)), top);
    SetTarget(jump, output_->size());
}

void ScriptCompiler::ForStatement() {
    const size_t nameStart = NextTokenStart();
    if (!IsNameStart(nameStart)) return Fail();
    const size_t nameEnd = ScanName(nameStart);
    const std::string name = buffer_.substr(nameStart, nameEnd - nameStart);
    position_ = nameEnd;
    if (ReadToken().rfind(":=", 0) != 0) {
        Error(EngineText("script.need_assign"));
        return;
    }
    position_ = lastTokenStart_ + 2;
    const std::string start = ExpressionText();
    if (error_) return;
    Emit(name + " " + start);
    if (ReadToken() != "TO") {
        Error(EngineText("script.need_to"));
        return;
    }
    const std::string limit = ExpressionText();
    if (error_) return;
    const size_t top = output_->size();
    const size_t jump = Emit(JumpLine(kConditionalJump) + name + " <= " + limit);
    if (ReadToken() != "DO") {
        Error(EngineText("script.need_do"));
        return;
    }
    Statement();
    if (error_) return;
    Emit(name + " " + name + " + 1");
    SetTarget(Emit(JumpLine(kJump)), top);
    SetTarget(jump, output_->size());
}

void ScriptCompiler::GotoStatement() {
    const std::string token = ReadToken();
    const size_t digits = LeadingDigits(token);
    if (digits == 0) {
        Error(EngineText("script.goto_label_number"));
        return;
    }
    position_ = lastTokenStart_ + digits;
    const std::string label = token.substr(0, digits);
    gotos_.push_back({output_->size(), label, lastTokenStart_});
    Emit(std::string(1, kJump) + label);
}

void ScriptCompiler::NameStatement() {
    const size_t nameStart = position_;
    const size_t nameEnd = ScanName(nameStart);
    const std::string name = buffer_.substr(nameStart, nameEnd - nameStart);
    position_ = nameEnd;
    std::string index;
    bool indexed = false;
    if (position_ < buffer_.size() && buffer_[position_] == '[') {
        if (!SkipBracketedPart(position_, &index)) return;
        indexed = true;
    }
    if (position_ < buffer_.size() && buffer_[position_] == '(') {  // a call: an expression
        position_ = nameStart;
        const std::string expression = ExpressionText();
        if (!error_) Emit(kEvaluate + expression);
        return;
    }
    const std::string token = ReadToken();
    if (token.rfind(":=", 0) == 0) {
        position_ = lastTokenStart_ + 2;
        const std::string value = ExpressionText();
        if (error_) return;
        if (indexed) {
            Emit(kEvaluate + std::string("SETARRAY(") + name + ", " + index + ", " + value + ")");
        } else {
            Emit(name + " " + value);
        }
        return;
    }
    // A procedure without arguments, before a token that ends a statement.
    if (!indexed && (token == ";" || token == "END" || token == "END;" || token == "ELSE" ||
                     token == "UNTIL")) {
        position_ = lastTokenStart_;
        Emit(kEvaluate + name + "(0)");
        return;
    }
    Error(EngineText("script.need_assign"));
}

// --- Expressions, recognised for their extent only ---

std::string ScriptCompiler::ExpressionText() {
    const size_t start = NextTokenStart();
    Expression();
    return TrimRight(std::string_view(buffer_).substr(start, position_ - start));
}

void ScriptCompiler::Expression() {
    NestingGuard guard(depth_, kMaxGrammarDepth);
    SimpleExpression();
    if (error_) return;
    const size_t save = position_;
    const std::string token = ReadToken();
    if (token.rfind(">=", 0) == 0 || token.rfind("<=", 0) == 0 || token.rfind("<>", 0) == 0) {
        position_ = lastTokenStart_ + 2;
        SimpleExpression();
    } else if (token.front() == '<' || token.front() == '=' || token.front() == '>') {
        position_ = lastTokenStart_ + 1;
        SimpleExpression();
    } else {
        position_ = save;
    }
}

void ScriptCompiler::SimpleExpression() {
    for (;;) {
        Term();
        if (error_) return;
        const size_t save = position_;
        const std::string token = ReadToken();
        if (token.front() == '+' || token.front() == '-') {
            position_ = lastTokenStart_ + 1;
        } else if (token.rfind("OR", 0) == 0) {
            position_ = lastTokenStart_ + 2;
        } else {
            position_ = save;
            return;
        }
    }
}

void ScriptCompiler::Term() {
    for (;;) {
        Factor();
        if (error_) return;
        const size_t save = position_;
        const std::string token = ReadToken();
        if (token.front() == '*' || token.front() == '/') {
            position_ = lastTokenStart_ + 1;
        } else if (token.rfind("AND", 0) == 0 || token.rfind("MOD", 0) == 0) {
            position_ = lastTokenStart_ + 3;
        } else {
            position_ = save;
            return;
        }
    }
}

void ScriptCompiler::Factor() {
    NestingGuard guard(depth_, kMaxGrammarDepth);
    const size_t start = NextTokenStart();
    if (start >= buffer_.size()) return Fail();
    const char c = buffer_[start];
    if (c == '(') return SkipParenthesized(start);
    if (c == '[') {
        SkipBracketedPart(start);
        return;
    }
    if (c == '+' || c == '-') {  // a sign applies to the expression after it
        position_ = start + 1;
        Expression();
        return;
    }
    if (c == '\'') return SkipStringLiteral(start);
    if (IsDigit(c)) return SkipNumber(start);
    if (!IsNameStart(start)) return Fail();
    SkipNameFactor(start);
}

void ScriptCompiler::SkipParenthesized(size_t start) {
    position_ = start + 1;
    Expression();
    if (error_) return;
    if (ReadToken().front() != ')') {
        Error(EngineText("script.need_close_paren"));
        return;
    }
    position_ = lastTokenStart_ + 1;
}

void ScriptCompiler::SkipStringLiteral(size_t start) {
    size_t end = start;
    if (!IsTerminatedLiteral(ReadQuotedString(buffer_, end))) return Fail();
    position_ = end;
}

void ScriptCompiler::SkipNumber(size_t start) {
    size_t i = start;
    while (i < buffer_.size() && IsDigit(buffer_[i]))
        ++i;
    if (i + 1 < buffer_.size() && buffer_[i] == '.' && IsDigit(buffer_[i + 1])) {
        ++i;
        while (i < buffer_.size() && IsDigit(buffer_[i]))
            ++i;
    }
    position_ = i;
}

// NOT and its operand, an array element, a variable or a call.
void ScriptCompiler::SkipNameFactor(size_t start) {
    const size_t nameEnd = ScanName(start);
    position_ = nameEnd;
    if (SameText(std::string_view(buffer_).substr(start, nameEnd - start), "NOT")) {
        Expression();
        return;
    }
    if (position_ < buffer_.size() && buffer_[position_] == '[') {
        SkipBracketedPart(position_);
        return;
    }
    if (position_ >= buffer_.size() || buffer_[position_] != '(') return;  // a variable
    ++position_;
    SkipCallArguments();
}

// After the '(' of a call: expressions separated by commas up to the ')'.
void ScriptCompiler::SkipCallArguments() {
    if (ReadToken().front() == ')') {  // no arguments
        position_ = lastTokenStart_ + 1;
        return;
    }
    position_ = lastTokenStart_;
    for (;;) {
        Expression();
        if (error_) return;
        const std::string token = ReadToken();
        if (token.front() == ',') {
            position_ = lastTokenStart_ + 1;
        } else if (token.front() == ')') {
            position_ = lastTokenStart_ + 1;
            return;
        } else {
            Error(EngineText("script.need_comma_or_paren"));
            return;
        }
    }
}

// --- Output ---

size_t ScriptCompiler::Emit(std::string line) {
    output_->push_back(std::move(line));
    return output_->size() - 1;
}

void ScriptCompiler::SetTarget(size_t line, size_t target) {
    std::string& text = (*output_)[line];
    text[1] = static_cast<char>(target & 0xFF);
    text[2] = static_cast<char>((target >> 8) & 0xFF);
}

void ScriptCompiler::FixUp() {
    std::vector<std::string>& output = *output_;
    for (const Goto& jump : gotos_) {
        const auto label = std::find_if(labels_.begin(), labels_.end(),
                                        [&](const Label& l) { return l.name == jump.label + ":"; });
        output[jump.line] = JumpLine(kJump);
        if (label != labels_.end()) {
            SetTarget(jump.line, static_cast<size_t>(label->line));
        } else {
            SetTarget(jump.line, kNoTarget);
            if (!error_) {
                ErrorAtPosition(jump.position,
                                FormatMessage(EngineText("script.unknown_label"), {jump.label}));
            }
        }
    }
    for (std::string& line : output) {
        if (line.empty()) continue;
        size_t expressionStart = 0;
        if (line[0] == kConditionalJump) {
            expressionStart = 3;
        } else if (line[0] == kJump) {
            continue;
        } else if (line[0] == kEvaluate) {
            expressionStart = 1;
        } else {
            const size_t blank = line.find(' ');
            expressionStart = blank == std::string::npos ? line.size() : blank + 1;
        }
        try {
            line = line.substr(0, expressionStart) +
                   parser_.ConvertToPostfix(std::string_view(line).substr(expressionStart));
        } catch (const EngineError& e) {
            // The grammar checks what the converter needs; keep the message if one slips by.
            line.resize(expressionStart);
            if (!error_) ErrorAtPosition(0, e.what());
        }
    }
}

// --- Errors ---

void ScriptCompiler::Error(const std::string& message) {
    ErrorAtPosition(lastTokenStart_, message);
}

void ScriptCompiler::ErrorAtPosition(size_t position, const std::string& message) {
    error_ = true;
    while (position < buffer_.size() && buffer_[position] == ' ')
        ++position;
    // Past the last character: show the end of the last line.
    if (position >= buffer_.size() && position > 0) position = buffer_.size() - 1;
    // Back to the source: add the comments cut before the position.
    size_t source = position;
    for (const auto& [start, length] : comments_) {
        if (start <= position) source += length;
    }
    source = std::min(source, original_.size());
    const size_t lineStart = original_.rfind('\r', source == 0 ? 0 : source - 1);
    const size_t line =
        1 + static_cast<size_t>(std::count(original_.begin(), original_.begin() + source, '\r'));
    const size_t column =
        (lineStart == std::string::npos || source == 0 ? source : source - lineStart - 1) + 1;
    errors_->push_back(FormatMessage(EngineText("script.error_at"),
                                     {std::to_string(line), std::to_string(column), message}));
}

}  // namespace report
