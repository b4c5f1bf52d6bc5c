// The page list of the print dialog.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/output/page_list.h"

namespace report {
namespace {

TEST(ParsePageList, NamesThePagesOfTheReport) {
    struct Case {
        const char* text;
        int pageCount;
        std::set<int> pages;
    };
    const std::vector<Case> cases{
        {"", 5, {}},
        {"   ", 5, {}},
        {"2", 5, {2}},
        {"1,3", 5, {1, 3}},
        {"1,3,5-12", 20, {1, 3, 5, 6, 7, 8, 9, 10, 11, 12}},
        {" 1 , 3 - 4 ", 5, {1, 3, 4}},
        {"+2", 5, {2}},
        {"4-", 6, {4, 5, 6}},
        {"1-3-5", 9, {3, 4, 5}},
        {"3,3,3", 5, {3}},
        {"2-2", 5, {2}},
        {"12-5,2", 20, {2}},
        {"4-9", 5, {4, 5}},
        {"2,99", 5, {2}},
        {"1-2000000000", 3, {1, 2, 3}},
        {"0,1", 3, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\" of " + std::to_string(c.pageCount));
        EXPECT_EQ(ParsePageList(c.text, c.pageCount), c.pages);
    }
}

TEST(ParsePageList, GarbageNamesThePieceThatIsNotANumber) {
    struct Case {
        const char* text;
        const char* piece;
    };
    const std::vector<Case> cases{
        {"a", "a"},       {"1,x2", "x2"}, {"1,,3", ""},   {",", ""},
        {"-3", ""},       {"3+", "3+"},   {"1;2", "1;2"}, {"2-b", "b"},
        {"+", "+"},       {"1.5", "1.5"}, {"-", ""},      {"99999999999", "99999999999"},
        {"1\t2", "1\t2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ParsePageList(c.text, 5);
            ADD_FAILURE() << "no error";
        } catch (const PageListError&) {
            ADD_FAILURE() << "the list error instead of the conversion error";
        } catch (const ConvertError& e) {
            EXPECT_EQ(e.what(), Utf8ToCp1252("'" + std::string(c.piece) +
                                             "' n'est pas une valeur entière correcte"));
        }
    }
}

TEST(ParsePageList, AListThatNamesNoPageOfTheReportIsAnError) {
    // Left as an empty list, these would print every page.
    for (const char* text : {"12-5", "7", "0", "6-9", "9-"}) {
        SCOPED_TRACE(text);
        try {
            ParsePageList(text, 5);
            ADD_FAILURE() << "no error";
        } catch (const PageListError& e) {
            EXPECT_EQ(e.what(), Utf8ToCp1252("La liste « " + std::string(text) +
                                             " » ne désigne aucune page de l'état"));
        }
    }
}

}  // namespace
}  // namespace report
