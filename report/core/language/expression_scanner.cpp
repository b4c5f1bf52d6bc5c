#include "report/core/language/expression_scanner.h"

#include "report/core/base/characters.h"
#include "report/core/language/language_errors.h"

namespace report {

namespace {

bool IsIdentifierDelimiter(char c) {
    switch (c) {
        case '(':
        case ')':
        case '*':
        case '+':
        case '-':
        case '/':
        case '<':
        case '=':
        case '>':
        case '[':
            return true;
        default:
            return IsBlank(c);
    }
}

}  // namespace

BracketedPart FindBracketedPart(std::string_view text, size_t start) {
    BracketedPart part;
    part.end = start;
    if (start >= text.size() || text[start] != '[') return part;
    int depth = 0;
    bool outsideSingle = true;
    bool outsideDouble = true;
    for (size_t i = start; i < text.size(); ++i) {
        const char c = text[i];
        if (outsideSingle && outsideDouble) {
            if (c == '[') {
                ++depth;
            } else if (c == ']') {
                --depth;
            }
        }
        if (c == '"' && outsideSingle) {
            outsideDouble = !outsideDouble;
        } else if (c == '\'' && outsideDouble) {
            outsideSingle = !outsideSingle;
        }
        if (depth == 0) {
            part.end = i + 1;
            part.inner = text.substr(start + 1, i - start - 1);
            part.closed = true;
            return part;
        }
    }
    part.end = text.size();
    part.inner = text.substr(start + 1);
    return part;
}

std::string_view ReadIdentifier(std::string_view text, size_t& position) {
    while (position < text.size() && IsBlank(text[position])) {
        ++position;
    }
    const size_t start = position;
    bool insideDoubleQuotes = false;
    while (position < text.size()) {
        const char c = text[position];
        if (c == '"') {
            insideDoubleQuotes = !insideDoubleQuotes;
        } else if (!insideDoubleQuotes && IsIdentifierDelimiter(c)) {
            break;
        }
        ++position;
    }
    return text.substr(start, position - start);
}

std::string_view ReadQuotedString(std::string_view text, size_t& position) {
    const size_t start = position;
    size_t i = position + 1;
    while (i < text.size()) {
        if (text[i] == '\'') {
            if (i + 1 < text.size() && text[i + 1] == '\'') {
                i += 2;
                continue;
            }
            ++i;
            position = i;
            return text.substr(start, i - start);
        }
        ++i;
    }
    position = text.size();
    return text.substr(start);
}

bool IsTerminatedLiteral(std::string_view literal) {
    if (literal.size() < 2 || literal.front() != '\'' || literal.back() != '\'') return false;
    // The closing quote must not be the second half of a doubled quote.
    size_t i = 1;
    while (i < literal.size()) {
        if (literal[i] == '\'') {
            if (i + 1 < literal.size() && literal[i + 1] == '\'') {
                i += 2;
                continue;
            }
            return i + 1 == literal.size();
        }
        ++i;
    }
    return false;
}

std::string UnquoteLiteral(std::string_view literal) {
    std::string value;
    if (literal.empty()) return value;
    const size_t stop = IsTerminatedLiteral(literal) ? literal.size() - 1 : literal.size();
    value.reserve(stop);
    for (size_t i = 1; i < stop; ++i) {
        value += literal[i];
        if (literal[i] == '\'' && i + 1 < stop && literal[i + 1] == '\'') ++i;
    }
    return value;
}

CallArguments SplitArguments(std::string_view text, size_t& position) {
    CallArguments arguments;
    int depth = 0;
    int commas = 0;
    bool insideQuotes = false;
    size_t argumentStart = position + 1;
    for (size_t i = position; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\'') {
            insideQuotes = !insideQuotes;
            continue;
        }
        if (insideQuotes) continue;
        if (c == '(') {
            ++depth;
        } else if (c == ',' && depth == 1) {
            arguments.text[commas == 0 ? 0 : 1] = text.substr(argumentStart, i - argumentStart);
            ++commas;
            argumentStart = i + 1;
        } else if (c == ')') {
            --depth;
            if (depth == 0) {
                const std::string_view last = text.substr(argumentStart, i - argumentStart);
                if (commas <= 2) arguments.text[commas] = last;
                position = i + 1;
                return arguments;
            }
        }
    }
    throw ExpressionError::Unbalanced();
}

}  // namespace report
