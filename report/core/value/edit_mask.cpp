#include "report/core/value/edit_mask.h"

#include <vector>

#include "report/core/base/text.h"
#include "report/core/value/format_settings.h"

namespace report {

namespace {

enum class CaseRule { Keep, Upper, Lower };

struct MaskItem {
    bool input = false;  // a position the value fills
    char kind = 0;       // the mask character of an input position
    char literal = 0;    // the character shown for a literal
    CaseRule caseRule = CaseRule::Keep;
};

bool IsAsciiDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (c >= 0xC0 && c != 0xD7 && c != 0xF7) || c == 0x8A || c == 0x8C || c == 0x8E ||
           c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F;
}

bool Suits(char kind, unsigned char c) {
    switch (kind) {
        case '0':
        case '9':
            return IsAsciiDigit(c);
        case '#':
            return IsAsciiDigit(c) || c == '+' || c == '-';
        case 'L':
        case 'l':
            return IsLetter(c);
        case 'A':
        case 'a':
            return IsLetter(c) || IsAsciiDigit(c);
        default:  // C, c
            return true;
    }
}

// Splits off the trailing flag and blank sections; the mask is the first section. '\' escapes a
// semicolon inside the mask.
void SplitSections(std::string_view text, std::string_view& mask, bool& saveLiterals, char& blank) {
    std::vector<std::string_view> sections;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
        } else if (text[i] == ';') {
            sections.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(text.substr(start));
    mask = sections.front();
    saveLiterals = true;
    blank = '_';
    if (sections.size() >= 3) {
        const std::string_view last = sections.back();
        blank = last.empty() ? ' ' : last.front();
        saveLiterals = sections[sections.size() - 2] != "0";
    } else if (sections.size() == 2) {
        saveLiterals = sections[1] != "0";
    }
}

std::vector<MaskItem> ParseMask(std::string_view mask, bool& rightAligned) {
    std::vector<MaskItem> items;
    CaseRule caseRule = CaseRule::Keep;
    rightAligned = false;
    size_t i = 0;
    if (!mask.empty() && mask.front() == '!') {
        rightAligned = true;
        i = 1;
    }
    for (; i < mask.size(); ++i) {
        const char c = mask[i];
        MaskItem item;
        item.caseRule = caseRule;
        switch (c) {
            case '>':
                caseRule = CaseRule::Upper;
                continue;
            case '<':
                if (i + 1 < mask.size() && mask[i + 1] == '>') {
                    caseRule = CaseRule::Keep;
                    ++i;
                } else {
                    caseRule = CaseRule::Lower;
                }
                continue;
            case '\\':
                if (i + 1 < mask.size()) ++i;
                item.literal = mask[i];
                break;
            case '0':
            case '9':
            case '#':
            case 'L':
            case 'l':
            case 'A':
            case 'a':
            case 'C':
            case 'c':
                item.input = true;
                item.kind = c;
                break;
            case '_':
                item.literal = ' ';
                break;
            case ':':
                item.literal = Formats().timeSeparator;
                break;
            case '/':
                item.literal = Formats().dateSeparator;
                break;
            default:
                item.literal = c;
                break;
        }
        items.push_back(item);
    }
    return items;
}

char ApplyCase(CaseRule rule, char c) {
    if (rule == CaseRule::Upper) return UpperCaseChar(c);
    if (rule == CaseRule::Lower) return LowerCaseChar(c);
    return c;
}

}  // namespace

std::string FormatMaskText(std::string_view maskText, std::string_view value) {
    std::string_view mask;
    bool saveLiterals = false;
    char blank = ' ';
    SplitSections(maskText, mask, saveLiterals, blank);
    bool rightAligned = false;
    const std::vector<MaskItem> items = ParseMask(mask, rightAligned);

    // The characters the input positions take, in order.
    std::string input;
    size_t v = 0;
    for (const MaskItem& item : items) {
        if (v >= value.size()) break;
        if (item.input) {
            input += value[v++];
        } else if (saveLiterals && value[v] == item.literal) {
            ++v;
        }
    }
    if (!saveLiterals) input = std::string(value);

    size_t positions = 0;
    for (const MaskItem& item : items)
        positions += item.input ? 1 : 0;
    if (input.size() > positions) input.resize(positions);
    size_t skip = rightAligned ? positions - input.size() : 0;

    std::string result;
    size_t next = 0;
    for (const MaskItem& item : items) {
        if (!item.input) {
            result += item.literal;
            continue;
        }
        if (skip > 0) {
            --skip;
            result += blank;
            continue;
        }
        if (next >= input.size()) {
            result += blank;
            continue;
        }
        const char c = input[next++];
        result +=
            Suits(item.kind, static_cast<unsigned char>(c)) ? ApplyCase(item.caseRule, c) : blank;
    }
    return result;
}

}  // namespace report
