#include "report/core/language/expression_parser.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "report/core/base/characters.h"
#include "report/core/base/rounding.h"
#include "report/core/base/text.h"
#include "report/core/language/expression_scanner.h"
#include "report/core/language/language_errors.h"
#include "report/core/language/nesting_guard.h"
#include "report/core/language/postfix.h"
#include "report/core/value/date_time.h"
#include "report/core/value/format_settings.h"
#include "report/core/value/number_format.h"

namespace report {

namespace {

constexpr int kStackSlots = 8;

bool StartsNumber(char c) {
    return IsDigit(c) || c == ',' || c == '.';
}

// The keyword operators, recognised without regard to case.
bool KeywordOperator(std::string_view word, char& code) {
    if (word.size() < 2 || word.size() > 5) return false;
    const std::string upper = UpperCase(word);
    if (upper == "INT") {
        code = postfix::kInt;
    } else if (upper == "FRAC") {
        code = postfix::kFrac;
    } else if (upper == "ROUND") {
        code = postfix::kRound;
    } else if (upper == "OR") {
        code = postfix::kOr;
    } else if (upper == "AND") {
        code = postfix::kAnd;
    } else if (upper == "NOT") {
        code = postfix::kNot;
    } else if (upper == "STR") {
        code = postfix::kStr;
    } else if (upper == "MOD") {
        code = postfix::kMod;
    } else {
        return false;
    }
    return true;
}

// The operator stack of the converter.
class OperatorStack {
  public:
    explicit OperatorStack(std::string& output) : output_(output) {}

    // Binary operators first move the pending operators of the same or a tighter class to the
    // output. Prefix operators have no left operand to wait for, so they are pushed at once: this
    // is what makes `a * -b` and `NOT -1` work.
    void Push(char code) {
        if (!postfix::IsUnary(code)) {
            const int cls = postfix::PrecedenceClass(code);
            while (!stack_.empty() && cls >= postfix::PrecedenceClass(stack_.back())) {
                output_ += stack_.back();
                stack_.pop_back();
            }
        }
        stack_.push_back(code);
    }

    void PushParenthesis() { stack_.push_back('('); }

    // Moves the operators down to the nearest '(' and drops it; without one, nothing happens.
    void CloseParenthesis() {
        size_t open = stack_.size();
        while (open > 0 && stack_[open - 1] != '(')
            --open;
        if (open == 0) return;
        while (stack_.size() > open) {
            output_ += stack_.back();
            stack_.pop_back();
        }
        stack_.pop_back();
    }

    void Finish() {
        while (!stack_.empty()) {
            if (stack_.back() == '(') throw ExpressionError::Unbalanced();
            output_ += stack_.back();
            stack_.pop_back();
        }
    }

  private:
    std::string& output_;
    std::vector<char> stack_;
};

// One conversion of an infix text: operators go through the operator stack, operands are
// copied to the output each followed by a blank, a call with its arguments as written.
class PostfixConverter {
  public:
    explicit PostfixConverter(std::string_view text) : text_(text), operators_(output_) {
        output_.reserve(text.size() + 8);
    }

    std::string Convert() {
        while (i_ < text_.size()) {
            const char c = text_[i_];
            if (IsBlank(c)) {
                ++i_;
            } else if (c == ';') {
                break;
            } else if (c == '(') {
                operators_.PushParenthesis();
                lastWasOperand_ = false;
                ++i_;
            } else if (c == ')') {
                operators_.CloseParenthesis();
                ++i_;
            } else if (IsOperatorCharacter(c)) {
                operators_.Push(ReadOperator(c));
                lastWasOperand_ = false;
            } else {
                TakeOperand();
            }
        }
        operators_.Finish();
        return std::move(output_);
    }

  private:
    static bool IsOperatorCharacter(char c) {
        return c == '*' || c == '/' || c == '+' || c == '-' || c == '<' || c == '=' || c == '>';
    }

    // The code of the operator at the position, two characters for <> >= <=; a sign where no
    // operand stands before it.
    char ReadOperator(char c) {
        const char next = i_ + 1 < text_.size() ? text_[i_ + 1] : '\0';
        char code = c;
        size_t width = 1;
        if (c == '<' && next == '>') {
            code = postfix::kNotEqual;
            width = 2;
        } else if (c == '>' && next == '=') {
            code = postfix::kGreaterOrEqual;
            width = 2;
        } else if (c == '<' && next == '=') {
            code = postfix::kLessOrEqual;
            width = 2;
        } else if (!lastWasOperand_ && c == '-') {
            code = postfix::kNegate;
        } else if (!lastWasOperand_ && c == '+') {
            code = postfix::kPlus;
        }
        i_ += width;
        return code;
    }

    // An operand, a keyword operator, or a call with its arguments.
    void TakeOperand() {
        const size_t start = i_;
        const bool plainIdentifier = SkipOperand();
        if (i_ == start) ++i_;  // a lone character that nothing reads (cannot loop forever)
        const std::string_view operand = text_.substr(start, i_ - start);
        const bool number = StartsNumber(operand.front());
        char code = 0;
        if (!number && KeywordOperator(operand, code)) {
            operators_.Push(code);
            lastWasOperand_ = false;
            return;
        }
        if (!number && plainIdentifier && i_ < text_.size() && text_[i_] == '(') {
            size_t end = i_;
            SplitArguments(text_, end);
            output_ += text_.substr(start, end - start);
            i_ = end;
        } else {
            output_ += operand;
            output_ += ' ';
        }
        lastWasOperand_ = true;
    }

    // Moves past an optional '%' with the character after it, then a quoted literal, a
    // bracketed part, or an identifier with an optional index in brackets. True for an
    // identifier without index, which a '(' makes a call.
    bool SkipOperand() {
        const char c = text_[i_];
        if (c == '%') {
            i_ = std::min(i_ + 2, text_.size());
            if (i_ < text_.size() && !IsBlank(text_[i_])) ReadIdentifier(text_, i_);
            return false;
        }
        if (c == '\'') {
            if (!IsTerminatedLiteral(ReadQuotedString(text_, i_))) {
                throw ExpressionError::UnclosedQuote();
            }
            return false;
        }
        if (c == '[') {
            SkipClosedBracketedPart();
            return false;
        }
        // A double-quoted name left open would swallow the rest of the text, the blank after
        // the operand included, and so grow each time the name is evaluated again.
        const std::string_view name = ReadIdentifier(text_, i_);
        if (std::count(name.begin(), name.end(), '"') % 2 != 0) {
            throw ExpressionError::UnclosedDoubleQuote();
        }
        if (i_ < text_.size() && text_[i_] == '[') {
            SkipClosedBracketedPart();
            return false;
        }
        return true;
    }

    void SkipClosedBracketedPart() {
        const BracketedPart part = FindBracketedPart(text_, i_);
        if (!part.closed) throw ExpressionError::UnclosedBracket();
        i_ = part.end;
    }

    std::string_view text_;
    size_t i_ = 0;
    std::string output_;
    OperatorStack operators_;
    bool lastWasOperand_ = false;
};

// Number literals accept both ',' and '.' as the decimal point and nothing else.
Variant NumberLiteral(std::string_view literal) {
    std::string text(literal);
    const char separator = Formats().decimalSeparator;
    for (char& c : text) {
        if (c == ',' || c == '.') c = separator;
    }
    return Variant::Double(StrToFloat(text));
}

// INT and FRAC snap a value within 1e-10 of an integer to that integer first.
double SnapToInteger(double x) {
    const double nearest = std::nearbyint(x);
    return std::fabs(nearest - x) < 1e-10 ? nearest : x;
}

bool IsZero(const Variant& value) {
    return Compare(value, Variant::UInt8(0)) == 0;
}

// Pascal's Copy: positions from 1, a start below 1 counts as 1, a count past the end stops there.
std::string CopyText(const std::string& text, int from, int count) {
    if (from < 1) from = 1;
    if (count <= 0 || static_cast<size_t>(from) > text.size()) return {};
    return text.substr(static_cast<size_t>(from) - 1, static_cast<size_t>(count));
}

void ApplyBinary(char code, Variant& left, const Variant& right) {
    switch (code) {
        case postfix::kAdd:
        case postfix::kOr:
            left = left + right;
            break;
        case postfix::kSubtract:
            left = left - right;
            break;
        case postfix::kMultiply:
        case postfix::kAnd:
            left = left * right;
            break;
        case postfix::kDivide:
            left = IsZero(right) ? Variant::Int32(0) : left / right;
            break;
        case postfix::kMod:
            left = Mod(left, right);
            break;
        default: {
            const int order = Compare(left, right);
            bool holds = false;
            switch (code) {
                case postfix::kLess:
                    holds = order < 0;
                    break;
                case postfix::kEqual:
                    holds = order == 0;
                    break;
                case postfix::kGreater:
                    holds = order > 0;
                    break;
                case postfix::kGreaterOrEqual:
                    holds = order >= 0;
                    break;
                case postfix::kLessOrEqual:
                    holds = order <= 0;
                    break;
                default:  // kNotEqual
                    holds = order != 0;
                    break;
            }
            left = Variant::UInt8(holds ? 1 : 0);
            break;
        }
    }
}

void ApplyUnary(char code, Variant& value) {
    switch (code) {
        case postfix::kNegate:
            value = -value;
            break;
        case postfix::kPlus:
            break;
        case postfix::kNot:
            value = Variant::UInt8(IsZero(value) ? 1 : 0);
            break;
        case postfix::kInt: {
            const double x = SnapToInteger(value.ToReal());
            value = Variant::Double(std::trunc(x));
            break;
        }
        case postfix::kFrac: {
            const double x = SnapToInteger(value.ToReal());
            value = Variant::Double(x - std::trunc(x));
            break;
        }
        case postfix::kRound:
            // Variant's integer conversion rounds half to even and rejects what int32 cannot hold.
            value = Variant::Int32(Variant::Double(value.ToReal()).ToInt());
            break;
        default:  // kStr
            value =
                Variant::String(value.IsNull() || value.IsEmpty() ? std::string() : value.ToText());
            break;
    }
}

}  // namespace

std::string Parser::ConvertToPostfix(std::string_view text) const {
    return PostfixConverter(text).Convert();
}

Variant Parser::Evaluate(std::string_view text) {
    return EvaluatePostfix(ConvertToPostfix(text));
}

Variant Parser::EvaluatePostfix(std::string_view text) {
    NestingGuard guard(depth_);
    // Slots 1 to 8, as the engine numbers them; slot 0 stays unused.
    std::array<Variant, kStackSlots + 1> slots;
    slots[1] = Variant::UInt8(0);
    int next = 1;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == ' ') {
            ++i;
            continue;
        }
        if (postfix::IsOperatorCode(c)) {
            if (postfix::IsUnary(c)) {
                if (next < 2) throw ExpressionError::MissingOperand();
                ApplyUnary(c, slots[next - 1]);
            } else {
                if (next < 3) throw ExpressionError::MissingOperand();
                ApplyBinary(c, slots[next - 2], slots[next - 1]);
                --next;
            }
            ++i;
            continue;
        }
        if (static_cast<unsigned char>(c) < 32) {  // no other control byte means anything here
            ++i;
            continue;
        }
        if (next > kStackSlots) throw ExpressionError::StackFull();
        EvaluateOperand(text, i, slots[next]);
        ++next;
    }
    return slots[1];
}

void Parser::EvaluateOperand(std::string_view text, size_t& i, Variant& slot) {
    const char c = text[i];
    if (c == '[') {
        const BracketedPart part = FindBracketedPart(text, i);
        i = part.end;
        if (OnValueRequest) OnValueRequest(std::string(part.inner), slot);
        return;
    }
    if (c == '\'') {
        slot = Variant::String(UnquoteLiteral(ReadQuotedString(text, i)));
        return;
    }
    if (StartsNumber(c)) {
        slot = NumberLiteral(ReadIdentifier(text, i));
        return;
    }
    const size_t start = i;
    if (c == '%') {
        i = std::min(i + 2, text.size());
        if (i < text.size() && !IsBlank(text[i])) ReadIdentifier(text, i);
        if (OnValueRequest) OnValueRequest(UpperCase(text.substr(start, i - start)), slot);
        return;
    }
    const std::string_view name = ReadIdentifier(text, i);
    if (i < text.size() && text[i] == '[') {
        // name[index] reads an array element through GETARRAY.
        const BracketedPart part = FindBracketedPart(text, i);
        i = part.end;
        std::string call = "GETARRAY(";
        call += name;
        call += ", ";
        call += part.inner;
        call += ')';
        slot = Evaluate(call);
        return;
    }
    if (i < text.size() && text[i] == '(') {
        EvaluateCall(name, text, i, slot);
        return;
    }
    if (name.empty()) {  // a stray character: step over it
        ++i;
        return;
    }
    std::string upper = UpperCase(name);
    if (upper == "TRUE") {
        slot = Variant::Boolean(true);
    } else if (upper == "FALSE") {
        slot = Variant::Boolean(false);
    } else if (OnValueRequest) {
        OnValueRequest(upper, slot);
    }
}

void Parser::EvaluateCall(std::string_view name, std::string_view text, size_t& i, Variant& slot) {
    const CallArguments args = SplitArguments(text, i);
    const std::string upper = UpperCase(name);
    if (upper == "COPY") {
        const std::string source = Evaluate(args.text[0]).ToText();
        const int from = StrToInt(Evaluate(args.text[1]).ToText());
        const int count = StrToInt(Evaluate(args.text[2]).ToText());
        slot = Variant::String(CopyText(source, from, count));
    } else if (upper == "IF") {
        const double condition = StrToFloat(Evaluate(args.text[0]).ToText());
        slot = Evaluate(Truncate(condition) > 0 ? args.text[1] : args.text[2]);
    } else if (upper == "STRTODATE") {
        slot = Variant::DateTime(StrToDate(Evaluate(args.text[0]).ToText()));
    } else if (upper == "STRTOTIME") {
        slot = Variant::DateTime(StrToTime(Evaluate(args.text[0]).ToText()));
    } else if (OnFunctionCall) {
        OnFunctionCall(upper, Variant::String(std::string(args.text[0])),
                       Variant::String(std::string(args.text[1])),
                       Variant::String(std::string(args.text[2])), slot);
    }
}

}  // namespace report
