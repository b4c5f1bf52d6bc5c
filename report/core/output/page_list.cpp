#include "report/core/output/page_list.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"

namespace report {

PageListError::PageListError(const std::string& list)
    : EngineError(FormatMessage(EngineText("print.no_page_in_list"), {list})) {}

namespace {

int ReadPageNumber(std::string_view piece) {
    std::string_view digits = piece;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    if (digits.empty()) throw ConvertError::NotInteger(std::string(piece));
    long long value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') throw ConvertError::NotInteger(std::string(piece));
        value = value * 10 + (c - '0');
        if (value > INT_MAX) throw ConvertError::NotInteger(std::string(piece));
    }
    return static_cast<int>(value);
}

}  // namespace

std::set<int> ParsePageList(const std::string& text, int pageCount) {
    std::string list;
    std::copy_if(text.begin(), text.end(), std::back_inserter(list),
                 [](char c) { return c != ' '; });
    std::set<int> pages;
    if (list.empty()) return pages;
    if (list.back() == '-') list += std::to_string(pageCount);
    list += ',';

    auto keep = [&](int number) {
        if (number >= 1 && number <= pageCount) pages.insert(number);
    };
    size_t start = 0;
    bool inRange = false;
    int rangeStart = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] == ',') {
            int n = ReadPageNumber(std::string_view(list).substr(start, i - start));
            if (!inRange) {
                keep(n);
            } else {
                // Only the part inside the report matters: a huge range costs nothing.
                for (int p = std::max(rangeStart, 1); p <= std::min(n, pageCount); ++p)
                    keep(p);
            }
            inRange = false;
            start = i + 1;
        } else if (list[i] == '-') {
            inRange = true;
            rangeStart = ReadPageNumber(std::string_view(list).substr(start, i - start));
            start = i + 1;
        }
    }
    if (pages.empty()) throw PageListError(text);
    return pages;
}

}  // namespace report
