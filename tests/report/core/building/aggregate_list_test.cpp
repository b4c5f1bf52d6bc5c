#include "report/core/building/aggregate_list.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace report {
namespace {

std::string Key(const std::string& band, int code, const std::string& expression,
                const std::string& invisible = "") {
    return band + '\x01' + static_cast<char>(code) + '\x01' + expression + '\x01' + invisible +
           '\x01';
}

TEST(AggregateListTest, AccumulatesEachCodeOverRecords) {
    struct Case {
        int code;
        double expected;
    };
    const Case cases[] = {{aggregate_code::kSum, 9},
                          {aggregate_code::kMin, 2},
                          {aggregate_code::kMax, 4},
                          {aggregate_code::kCount, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        AggregateList list;
        list.Register(Key("Footer", c.code, "[X]"), AggregateList::InitialValue(c.code));
        for (double x : {3.0, 2.0, 4.0})
            list.Accumulate(true, [x](const std::string&) { return Variant::Double(x); });
        EXPECT_DOUBLE_EQ(list.Entries()[0].value.ToReal(), c.expected);
    }
}

TEST(AggregateListTest, InvisibleRecordsCountOnlyWhenAsked) {
    AggregateList list;
    list.Register(Key("F", aggregate_code::kSum, "[X]"), Variant::Int32(0));
    list.Register(Key("F", aggregate_code::kSum, "[Y]", " 1 "), Variant::Int32(0));
    list.Accumulate(false, [](const std::string&) { return Variant::Int32(5); });
    EXPECT_EQ(list.Entries()[0].value.ToInt(), 0);
    EXPECT_EQ(list.Entries()[1].value.ToInt(), 5);
    // An average divides by the records it took in: the visible ones, or all when asked.
    EXPECT_EQ(list.Entries()[0].records, 0);
    EXPECT_EQ(list.Entries()[1].records, 1);
    list.Accumulate(true, [](const std::string&) { return Variant::Int32(5); });
    EXPECT_EQ(list.Entries()[0].records, 1);
    EXPECT_EQ(list.Entries()[1].records, 2);
}

TEST(AggregateListTest, SameExpressionAsThePreviousEntryIsEvaluatedOnce) {
    AggregateList list;
    list.Register(Key("F", aggregate_code::kSum, "[X]"), Variant::Int32(0));
    list.Register(Key("F", aggregate_code::kMax, "[X]"), Variant::Int32(0));
    list.Register(Key("G", aggregate_code::kSum, "[X]"), Variant::Int32(0));
    int evaluations = 0;
    list.Accumulate(true, [&](const std::string&) {
        ++evaluations;
        return Variant::Int32(1);
    });
    EXPECT_EQ(evaluations, 1);
}

TEST(AggregateListTest, ResetTouchesOnlyTheShowingBand) {
    AggregateList list;
    list.Register(Key("Footer", aggregate_code::kSum, "[X]"), Variant::Int32(0));
    list.Register(Key("Summary", aggregate_code::kMin, "[X]"), Variant::Double(1e300));
    list.Accumulate(true, [](const std::string&) { return Variant::Int32(7); });
    list.ResetShownBy("FOOTER");
    EXPECT_EQ(list.Entries()[0].value.ToInt(), 0);
    EXPECT_EQ(list.Entries()[1].value.ToInt(), 7);
    list.ResetShownBy("summary");
    EXPECT_DOUBLE_EQ(list.Entries()[1].value.ToReal(), 1e300);
}

TEST(AggregateListTest, PerColumnKeysDropTheirPrefix) {
    AggregateList list;
    list.Register(std::string("3\x01") + Key("F", aggregate_code::kSum, "[X]"), Variant::Int32(0));
    ASSERT_EQ(list.Entries().size(), 1u);
    EXPECT_EQ(list.Entries()[0].showingBand, "F");
    EXPECT_EQ(list.Entries()[0].expression, "[X]");
}

TEST(AggregateListTest, PerColumnCopiesAccumulateTheirColumnOnlyFromTheirStartingValue) {
    struct Case {
        int code;
        double column1, column2;
    };
    // Column 1 sees 3 then 5, column 2 sees 4.
    const Case cases[] = {{aggregate_code::kSum, 8, 4},
                          {aggregate_code::kMin, 3, 4},
                          {aggregate_code::kMax, 5, 4},
                          {aggregate_code::kCount, 2, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        AggregateList list;
        const std::string key = Key("Pied", c.code, "[X]");
        list.Register("0\x01" + key, AggregateList::InitialValue(c.code));
        list.Register(key, AggregateList::InitialValue(c.code));
        const auto value = [](double x) {
            return [x](const std::string&) { return Variant::Double(x); };
        };
        list.AccumulateColumn(1, true, value(3));
        list.AccumulateColumn(2, true, value(4));
        list.AccumulateColumn(1, true, value(5));
        ASSERT_NE(list.Find("1\x01" + key), nullptr);
        ASSERT_NE(list.Find("2\x01" + key), nullptr);
        EXPECT_DOUBLE_EQ(list.Find("1\x01" + key)->value.ToReal(), c.column1);
        EXPECT_DOUBLE_EQ(list.Find("2\x01" + key)->value.ToReal(), c.column2);
        // Neither the template nor the plain entry moved.
        EXPECT_EQ(Compare(list.Find("0\x01" + key)->value, AggregateList::InitialValue(c.code)), 0);
        EXPECT_EQ(Compare(list.Find(key)->value, AggregateList::InitialValue(c.code)), 0);
        // Plain accumulation leaves the copies alone.
        list.Accumulate(true, value(100));
        EXPECT_DOUBLE_EQ(list.Find("1\x01" + key)->value.ToReal(), c.column1);
        // A reset of the showing band resets its copies too.
        list.ResetShownBy("PIED");
        EXPECT_EQ(Compare(list.Find("1\x01" + key)->value, AggregateList::InitialValue(c.code)), 0);
    }
}

}  // namespace
}  // namespace report
