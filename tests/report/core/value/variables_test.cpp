#include "report/core/value/variables.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "report/core/base/text.h"

namespace report {
namespace {

std::vector<std::string> Names(const Variables& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list.NameAt(i));
    return names;
}

using Strings = std::vector<std::string>;

TEST(Variables, InsertionOrderAndCaseInsensitiveNames) {
    Variables list;
    EXPECT_EQ(list.Set("Total", Variant::Int32(1)), 0);
    EXPECT_EQ(list.Set("\xE9quipe", Variant::String("A")), 1);  // équipe
    EXPECT_EQ(list.Set("age", Variant::Double(2.5)), 2);
    EXPECT_EQ(Names(list), (Strings{"Total", "\xE9quipe", "age"}));

    // Lookups ignore case, accented letters included (É = 0xC9).
    EXPECT_EQ(list.Find("TOTAL"), 0);
    EXPECT_EQ(list.Find("\xC9QUIPE"), 1);
    EXPECT_EQ(list.Find("Age"), 2);
    EXPECT_EQ(list.Find("ag"), -1);
    EXPECT_EQ(list.Find(""), -1);
    EXPECT_TRUE(list.Get("\xC9quipe").Identical(Variant::String("A")));
    EXPECT_TRUE(list.Get("absent").IsNull());
    EXPECT_EQ(list.FindValue("absent"), nullptr);

    // Set of an existing name replaces the value in place and keeps the first spelling.
    EXPECT_EQ(list.Set("TOTAL", Variant::Int32(5)), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.NameAt(0), "Total");
    EXPECT_TRUE(list.ValueAt(0).Identical(Variant::Int32(5)));

    // In-place update, as aggregates accumulate.
    Variant* total = list.FindValue("total");
    ASSERT_NE(total, nullptr);
    *total = *total + Variant::Int32(2);
    EXPECT_TRUE(list.Get("Total").Identical(Variant::Int32(7)));
}

TEST(Variables, IndexedAccessOutOfRangeIsHarmless) {
    Variables list;
    list.Set("a", Variant::Int32(1));
    for (int index : {-1, 1, 100}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(list.NameAt(index), "");
        EXPECT_TRUE(list.ValueAt(index).Identical(Variant::Int32(0)));
        list.SetNameAt(index, "b");
        list.SetValueAt(index, Variant::Int32(9));
        list.DeleteAt(index);
        EXPECT_EQ(Names(list), (Strings{"a"}));
        EXPECT_TRUE(list.ValueAt(0).Identical(Variant::Int32(1)));
    }
    list.SetNameAt(0, "B");
    list.SetValueAt(0, Variant::String("x"));
    EXPECT_EQ(list.Find("b"), 0);
    EXPECT_EQ(list.Find("a"), -1);
    EXPECT_TRUE(list.Get("b").Identical(Variant::String("x")));
}

TEST(Variables, InsertDeleteClearCopy) {
    Variables list;
    for (const char* name : {"a", "b", "c"})
        list.Set(name, Variant::String(name));

    list.InsertAt(0, "d");  // new name: appended as int32 0, then moved
    EXPECT_EQ(Names(list), (Strings{"d", "a", "b", "c"}));
    EXPECT_TRUE(list.Get("d").Identical(Variant::Int32(0)));
    list.InsertAt(3, "A");  // existing name: value reset to 0 and moved
    EXPECT_EQ(Names(list), (Strings{"d", "b", "c", "a"}));
    EXPECT_TRUE(list.Get("a").Identical(Variant::Int32(0)));
    list.InsertAt(99, "b");  // position clamped to the end
    EXPECT_EQ(Names(list), (Strings{"d", "c", "a", "b"}));
    list.InsertAt(-5, "a");
    EXPECT_EQ(Names(list), (Strings{"a", "d", "c", "b"}));

    list.DeleteAt(1);
    EXPECT_EQ(Names(list), (Strings{"a", "c", "b"}));
    EXPECT_TRUE(list.Delete("C"));
    EXPECT_FALSE(list.Delete("c"));
    EXPECT_EQ(Names(list), (Strings{"a", "b"}));

    Variables copy;
    copy.Set("old", Variant::Int32(1));
    copy.CopyFrom(list);
    EXPECT_EQ(Names(copy), (Strings{"a", "b"}));
    copy.CopyFrom(copy);
    EXPECT_EQ(copy.Count(), 2);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(copy.Count(), 2);
}

TEST(Variables, SortedModeKeepsCaseInsensitiveOrder) {
    Variables list;
    list.SetSorted(true);
    for (const char* name : {"zeta", "Alpha", "\xC9t\xE9", "beta", "ALPHA", "delta", "Omega"})
        list.Set(name, Variant::String(name));
    // "ALPHA" replaced the value of "Alpha"; É sorts after the ASCII letters.
    EXPECT_EQ(Names(list), (Strings{"Alpha", "beta", "delta", "Omega", "zeta", "\xC9t\xE9"}));
    EXPECT_TRUE(list.Get("alpha").Identical(Variant::String("ALPHA")));
    for (int i = 0; i < list.Count(); ++i) {
        SCOPED_TRACE(list.NameAt(i));
        EXPECT_EQ(list.Find(LowerCase(list.NameAt(i))), i);
        if (i > 0) {
            EXPECT_LT(CompareText(list.NameAt(i - 1), list.NameAt(i)), 0);
        }
    }
    EXPECT_EQ(list.Find("gamma"), -1);
    EXPECT_EQ(list.Find("a"), -1);
    EXPECT_EQ(list.Find("\xFF"), -1);

    // A rename moves the pair; a rename onto another pair's name is ignored.
    list.SetNameAt(0, "theta");
    EXPECT_EQ(Names(list), (Strings{"beta", "delta", "Omega", "theta", "zeta", "\xC9t\xE9"}));
    list.SetNameAt(0, "ZETA");
    EXPECT_EQ(Names(list), (Strings{"beta", "delta", "Omega", "theta", "zeta", "\xC9t\xE9"}));
    list.SetNameAt(0, "BETA");  // its own name in another case
    EXPECT_EQ(list.NameAt(0), "BETA");

    // InsertAt keeps the sorted place.
    list.InsertAt(0, "kappa");
    EXPECT_EQ(list.Find("kappa"), 2);

    // Switching off keeps the order; later additions go to the end.
    list.SetSorted(false);
    list.Set("aaa", Variant::Int32(1));
    EXPECT_EQ(list.NameAt(list.Count() - 1), "aaa");
    EXPECT_EQ(list.Find("AAA"), list.Count() - 1);

    // Switching on sorts what is there.
    list.SetSorted(true);
    EXPECT_EQ(list.NameAt(0), "aaa");
    EXPECT_TRUE(list.Sorted());
}

// Random operations against a plain model: a vector searched linearly with SameText.
TEST(Variables, BehavesLikeALinearList) {
    for (bool sorted : {false, true}) {
        SCOPED_TRACE(sorted ? "sorted" : "insertion order");
        std::mt19937 random(sorted ? 7 : 11);
        const std::vector<std::string> pool = {"a",    "A",           "b",          "ab",  "AB",
                                               "\xE9", "\xC9",        "z",          "Zed", "zed",
                                               "",     "m\xE9t\xE9o", "M\xC9T\xC9O"};
        Variables list;
        list.SetSorted(sorted);
        std::vector<std::pair<std::string, int>> model;
        auto modelFind = [&](const std::string& name) {
            for (size_t i = 0; i < model.size(); ++i)
                if (SameText(model[i].first, name)) return static_cast<int>(i);
            return -1;
        };
        for (int step = 0; step < 2000; ++step) {
            const std::string& name = pool[random() % pool.size()];
            const int value = static_cast<int>(random() % 100);
            switch (random() % 4) {
                case 0:
                case 1: {
                    list.Set(name, Variant::Int32(value));
                    const int at = modelFind(name);
                    if (at >= 0)
                        model[at].second = value;
                    else
                        model.emplace_back(name, value);
                    break;
                }
                case 2: {
                    EXPECT_EQ(list.Delete(name), modelFind(name) >= 0);
                    const int at = modelFind(name);
                    if (at >= 0) model.erase(model.begin() + at);
                    break;
                }
                case 3:
                    if (random() % 50 == 0) {
                        list.Clear();
                        model.clear();
                    }
                    break;
            }
            ASSERT_EQ(list.Count(), static_cast<int>(model.size()));
            for (const auto& [modelName, modelValue] : model) {
                const int index = list.Find(modelName);
                ASSERT_GE(index, 0);
                EXPECT_EQ(list.NameAt(index), modelName);
                EXPECT_TRUE(list.ValueAt(index).Identical(Variant::Int32(modelValue)));
            }
            if (sorted) {
                for (int i = 1; i < list.Count(); ++i)
                    ASSERT_LT(CompareText(list.NameAt(i - 1), list.NameAt(i)), 0);
            } else {
                for (int i = 0; i < list.Count(); ++i)
                    ASSERT_EQ(list.NameAt(i), model[i].first);
            }
        }
    }
}

// The loader is Set and Get with the list's meaning, whatever the list held before: duplicates
// in any case keep the first place and take the last value.
TEST(Variables, LoaderMatchesSet) {
    const std::vector<std::string> pool = {"a", "A", "b", "ab", "AB", "\xE9", "\xC9", "", "z"};
    for (bool sorted : {false, true}) {
        for (unsigned seed = 1; seed <= 20; ++seed) {
            SCOPED_TRACE(std::string(sorted ? "sorted" : "insertion order") + ", seed " +
                         std::to_string(seed));
            std::mt19937 random(seed);
            Variables expected;
            Variables loaded;
            for (Variables* list : {&expected, &loaded})
                list->SetSorted(sorted);
            // What the list held already, duplicates included (made by renaming).
            for (int i = 0; i < static_cast<int>(random() % 4); ++i) {
                const std::string& name = pool[random() % pool.size()];
                for (Variables* list : {&expected, &loaded}) {
                    list->Set("tmp" + std::to_string(i), Variant::Int32(i));
                    list->SetNameAt(list->Find("tmp" + std::to_string(i)), name);
                }
            }
            Variables::Loader loader(loaded);
            for (int step = 0; step < 30; ++step) {
                const std::string& name = pool[random() % pool.size()];
                const Variant value = Variant::Int32(static_cast<int>(random() % 100));
                ASSERT_EQ(loader.Set(name, value), expected.Set(name, value));
                const std::string& probe = pool[random() % pool.size()];
                ASSERT_TRUE(loader.Get(probe).Identical(expected.Get(probe)));
            }
            ASSERT_EQ(Names(loaded), Names(expected));
            for (int i = 0; i < expected.Count(); ++i)
                EXPECT_TRUE(loaded.ValueAt(i).Identical(expected.ValueAt(i)));
        }
    }
}

}  // namespace
}  // namespace report
