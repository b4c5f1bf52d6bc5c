#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "report/core/base/errors.h"
#include "report/core/data/data_access.h"
#include "report/core/data/data_dictionary.h"
#include "report/core/data/db_dataset.h"
#include "report/core/model/band_data_source.h"
#include "report/core/model/model_state.h"
#include "report/core/model/report.h"

namespace report {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;

// A table in memory: rows of (field -> value), Null for missing values.
class FakeTable : public DataAccess {
  public:
    explicit FakeTable(std::string name) : DataAccess(std::move(name)) {}

    std::vector<std::string> fields{"Nom", "Points", "Date", "Grand", "Actif"};
    std::map<std::string, FieldKind> kinds{{"Nom", FieldKind::String},
                                           {"Points", FieldKind::Integer},
                                           {"Date", FieldKind::Date},
                                           {"Grand", FieldKind::LargeInt},
                                           {"Actif", FieldKind::Boolean}};
    std::vector<std::map<std::string, Variant>> rows;
    int row = 0;
    bool active = false;
    int opens = 0;
    bool eof = false;

    bool IsActive() const override { return active; }
    void Open() override {
        active = true;
        ++opens;
    }
    void Close() override { active = false; }
    void First() override {
        row = 0;
        eof = rows.empty();
    }
    void Next() override {
        if (row + 1 < static_cast<int>(rows.size()))
            ++row;
        else
            eof = true;
    }
    void Prior() override {
        if (row > 0) --row;
    }
    bool Eof() const override { return eof || rows.empty(); }
    Bookmark GetBookmark() const override { return row; }
    void GotoBookmark(Bookmark bookmark) override { row = static_cast<int>(bookmark); }
    std::vector<std::string> FieldNames() const override { return fields; }
    FieldKind KindOf(std::string_view field) const override { return kinds.at(std::string(field)); }
    std::string DisplayText(std::string_view field) const override {
        return RawValue(field).ToText();
    }
    Variant RawValue(std::string_view field) const override {
        const auto& values = rows.at(row);
        auto it = values.find(std::string(field));
        return it == values.end() ? Variant::Null() : it->second;
    }
};

TEST(UserDataset, WalksRangeEndCount) {
    for (int count : {0, 1, 3}) {
        SCOPED_TRACE(count);
        UserDataset data("userDataset1");
        data.rangeEnd = RangeEnd::reCount;
        data.rangeEndCount = count;
        int firsts = 0, nexts = 0;
        std::vector<int> seen;
        data.onFirst = [&](Dataset&) { ++firsts; };
        data.onNext = [&](Dataset&) { ++nexts; };
        data.First();
        while (!data.Eof()) {
            seen.push_back(data.RecordNo());
            data.Next();
        }
        EXPECT_EQ(firsts, 1);
        EXPECT_EQ(nexts, count > 0 ? count - 1 : 0);
        ASSERT_EQ(seen.size(), static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(seen[i], i);
    }
}

TEST(UserDataset, CheckEofDecides) {
    UserDataset data;
    data.rangeEnd = RangeEnd::reCount;
    data.rangeEndCount = 10;
    data.onCheckEOF = [](Dataset& sender, bool& eof) { eof = sender.RecordNo() >= 2; };
    int rows = 0;
    for (data.First(); !data.Eof(); data.Next())
        ++rows;
    EXPECT_EQ(rows, 2);

    data.rangeEndCount = 1;
    data.onCheckEOF = [](Dataset& sender, bool& eof) { eof = sender.RecordNo() >= 4; };
    rows = 0;
    for (data.First(); !data.Eof(); data.Next())
        ++rows;
    EXPECT_EQ(rows, 4);

    UserDataset endless;  // reLast without a handler never ends
    endless.First();
    endless.Next();
    EXPECT_FALSE(endless.Eof());
    endless.Prior();
    EXPECT_EQ(endless.RecordNo(), 0);
}

TEST(DBDataset, WalksItsTable) {
    FakeTable table("Table1");
    table.rows = {{{"Nom", Variant::String("A")}},
                  {{"Nom", Variant::String("B")}},
                  {{"Nom", Variant::String("C")}}};
    DBDataset data("DBDataset1");
    EXPECT_THAT([&] { data.Init(); },
                ThrowsMessage<EngineError>(StrEq("Unable to open dataset DBDataset1")));
    data.SetDataSet(&table);
    int opened = 0, closed = 0;
    data.onOpen = [&](Dataset&) { ++opened; };
    data.onClose = [&](Dataset&) { ++closed; };
    data.closeDataSource = true;
    table.row = 1;
    data.Init();
    EXPECT_TRUE(table.active);
    std::string names;
    for (data.First(); !data.Eof(); data.Next())
        names += ReadFieldValue(table, "Nom").ToText();
    EXPECT_EQ(names, "ABC");
    data.Exit();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(table.active);
    EXPECT_EQ(table.row, 2);  // rbFirst / reLast: no return to the bookmark

    // rbCurrent starts at the record current at Init and returns there on Exit.
    data.rangeBegin = RangeBegin::rbCurrent;
    table.row = 1;
    data.Init();
    data.First();
    EXPECT_EQ(table.row, 1);
    data.Next();
    data.Exit();
    EXPECT_EQ(table.row, 1);

    // reCurrent: only the current record.
    data.rangeBegin = RangeBegin::rbFirst;
    data.rangeEnd = RangeEnd::reCurrent;
    table.row = 2;
    data.Init();
    data.First();
    int rows = 0;
    data.rangeBegin = RangeBegin::rbCurrent;
    for (data.First(); !data.Eof() && rows < 10; data.Next())
        ++rows;
    EXPECT_EQ(rows, 1);
    data.Exit();

    // A data source component takes over from DataSet.
    FakeTable other("Table2");
    DataAccessLink link("DataSource1");
    link.dataSet = &other;
    data.SetDataSource(&link);
    EXPECT_EQ(data.DataSetProperty(), nullptr);
    EXPECT_EQ(&data.GetDataSet(), &other);
}

TEST(DBDataset, FieldValuesAndNulls) {
    FakeTable table("Table1");
    table.rows = {{{"Nom", Variant::String("Lyon")},
                   {"Points", Variant::Int32(3)},
                   {"Date", Variant::String("02/01/2024")},
                   {"Grand", Variant::Int64(1234567890123)},
                   {"Actif", Variant::Boolean(true)}},
                  {}};
    EXPECT_EQ(ReadFieldValue(table, "Nom").ToText(), "Lyon");
    EXPECT_EQ(table.opens, 1);  // opened on demand
    EXPECT_EQ(ReadFieldValue(table, "Points").Kind(), VariantKind::Int32);
    EXPECT_EQ(ReadFieldValue(table, "Date").Kind(), VariantKind::DateTime);
    const Variant big = ReadFieldValue(table, "Grand");
    EXPECT_TRUE(big.IsString());
    EXPECT_EQ(big.ToText(), "1234567890123");
    table.row = 1;
    EXPECT_EQ(ReadFieldValue(table, "Nom").ToText(), "");
    EXPECT_EQ(ReadFieldValue(table, "Points").ToInt(), 0);
    EXPECT_FALSE(ReadFieldValue(table, "Actif").ToBool());
    EXPECT_TRUE(ReadFieldValue(table, "Date").IsNull());
}

class DictionaryTest : public ::testing::Test {
  protected:
    DictionaryTest() : table("Table1"), report(state) {
        state.printer.Start(nullptr);
        form.SetName("Form1");
        form.Add(table);
        form.Add(report);
        state.components.RegisterForm(form);
        table.rows = {{{"Nom", Variant::String("Lyon")}, {"Points", Variant::Int32(7)}}};
    }

    ModelState state;
    ComponentOwner form;
    FakeTable table;
    Report report;
};

TEST_F(DictionaryTest, Categories) {
    DataDictionary& d = report.dictionary;
    d.variables.Set(" Totals", Variant::String(""));
    d.variables.Set("Sum", Variant::String("1"));
    d.variables.Set("Count", Variant::String("2"));
    d.variables.Set(" Other", Variant::String(""));
    d.variables.Set("X", Variant::String(""));
    d.variables.Set("", Variant::String(""));
    d.variables.Set("Y", Variant::String(""));
    EXPECT_EQ(d.Categories(), (std::vector<std::string>{"Totals", "Other"}));
    EXPECT_EQ(d.VariablesOf("Totals"), (std::vector<std::string>{"Sum", "Count"}));
    EXPECT_EQ(d.VariablesOf("other"), std::vector<std::string>{"X"});
    EXPECT_TRUE(d.VariablesOf("None").empty());
}

TEST_F(DictionaryTest, ValuesOfVariablesAndFields) {
    DataDictionary& d = report.dictionary;
    EXPECT_FALSE(d.IsVariable("Absent"));
    EXPECT_TRUE(d.GetValue("Absent").IsNull());

    d.variables.Set("Double", Variant::String("[Points] * 2"));
    d.variables.Set("Vide", Variant::String(""));
    d.variables.Set("Equipe", Variant::String("Table1.\"Nom\""));
    std::vector<std::string> evaluated;
    d.hooks.evaluate = [&](const std::string& text) {
        evaluated.push_back(text);
        return Variant::Int32(14);
    };
    Variables globals;
    d.hooks.globalVariables = &globals;
    EXPECT_TRUE(d.IsVariable("double"));
    EXPECT_EQ(d.GetValue("Double").ToInt(), 14);
    EXPECT_EQ(d.GetValue("Vide").ToText(), "");
    globals.Set("DOUBLE", Variant::Int32(99));
    EXPECT_EQ(d.GetValue("Double").ToInt(), 99);
    EXPECT_EQ(evaluated.size(), 1u);

    // A variable naming a field resolves through the cache.
    EXPECT_TRUE(d.IsVariable("Equipe"));
    EXPECT_EQ(d.fieldCache.count("EQUIPE"), 1u);
    EXPECT_EQ(d.GetValue("Equipe").ToText(), "Lyon");

    // Source.field references, with aliases, and bare names of the default data set.
    EXPECT_TRUE(d.IsVariable("Table1.Points"));
    EXPECT_EQ(d.GetValue("Table1.Points").ToInt(), 7);
    d.fieldAliases.Set("Table1", Variant::String("Classement"));
    d.fieldAliases.Set("Table1.Points", Variant::String("Score"));
    EXPECT_TRUE(d.IsVariable("Classement.Score"));
    EXPECT_EQ(d.GetValue("Classement.Score").ToInt(), 7);
    EXPECT_FALSE(d.IsVariable("Points"));  // no default data set
    d.hooks.defaultDataSet = [&] { return static_cast<DataAccess*>(&table); };
    EXPECT_TRUE(d.IsVariable("Points"));
    EXPECT_EQ(d.fieldCache.count("POINTS"), 1u);
    EXPECT_FALSE(d.IsVariable("Table1.Absent"));
    EXPECT_FALSE(d.IsVariable("Inconnu.Nom"));
}

TEST_F(DictionaryTest, ResolveFieldForms) {
    DataDictionary& d = report.dictionary;
    ComponentOwner frame("Frame1");
    FakeTable framed("Table2");
    frame.Add(framed);
    form.Add(frame);
    struct Case {
        const char* text;
        DataAccess* dataSet;
        const char* field;
    } cases[] = {
        {"Nom", &table, "Nom"},
        {"\"Nom\"", &table, "Nom"},
        {"Table1.Nom", &table, "Nom"},
        {"Table1.\"Points\"", &table, "Points"},
        {"Form1.Table1.Nom", &table, "Nom"},
        {"Form1.Frame1.Table2.Nom", &framed, "Nom"},
        {"Table1.nom", nullptr, ""},  // field names match exactly
        {"Form2.Table1.Nom", nullptr, ""},
        {"Table1.\"No.m\"", nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto field = d.ResolveField(c.text, &table);
        if (c.dataSet == nullptr) {
            EXPECT_FALSE(field.has_value());
        } else {
            ASSERT_TRUE(field.has_value());
            EXPECT_EQ(field->dataSet, c.dataSet);
            EXPECT_EQ(field->field, c.field);
        }
    }
}

TEST_F(DictionaryTest, AliasesAndHiddenSources) {
    DataDictionary& d = report.dictionary;
    d.fieldAliases.Set("Table1", Variant::String("Classement"));
    d.bandSourceAliases.Set("userDataset1", Variant::String("Tirage"));
    EXPECT_EQ(d.RealSourceName("classement"), "Table1");
    EXPECT_EQ(d.RealSourceName("Autre"), "Autre");
    EXPECT_EQ(d.RealBandSourceName("TIRAGE"), "userDataset1");
    EXPECT_EQ(d.AliasOf("Table1"), "Classement");
    EXPECT_EQ(d.AliasOf("userDataset1"), "Tirage");
    EXPECT_EQ(d.AliasOf("x"), "x");
    d.hiddenSources = {"Query*", "Secret"};
    EXPECT_TRUE(d.IsHiddenSource("queryTeams"));
    EXPECT_TRUE(d.IsHiddenSource("SECRET"));
    EXPECT_FALSE(d.IsHiddenSource("Table1"));
}

TEST_F(DictionaryTest, DesignerLists) {
    DataDictionary& d = report.dictionary;
    UserDataset zeta("zeta");
    UserDataset alpha("Alpha");
    UserDataset hidden("QueryHidden");
    form.Add(zeta);
    form.Add(alpha);
    form.Add(hidden);
    d.hiddenSources = {"query*"};
    EXPECT_EQ(d.DataSourceList(state.components), (std::vector<std::string>{"Alpha", "zeta"}));
    EXPECT_EQ(d.DataSetList(state.components), std::vector<std::string>{"Table1"});
    d.bandSourceAliases.Set("zeta", Variant::String("Tirage"));
    EXPECT_EQ(d.DataSourceList(state.components), std::vector<std::string>{"Tirage"});
}

TEST_F(DictionaryTest, BindingBandDataSources) {
    UserDataset user("userDataset1");
    form.Add(user);
    ComponentOwner notData("Panel1");
    form.Add(notData);

    BandDataSource source;
    source.Bind(report, 5, "12");
    ASSERT_NE(source.Get(), nullptr);
    EXPECT_TRUE(source.IsVirtual());
    int rows = 0;
    for (source.Get()->First(); !source.Get()->Eof(); source.Get()->Next())
        ++rows;
    EXPECT_EQ(rows, 12);

    source.Bind(report, 8, "userdataset1");
    EXPECT_EQ(source.Get(), &user);
    source.Bind(report, 8, "Form1.userDataset1");
    EXPECT_EQ(source.Get(), &user);
    source.Bind(report, 8, "a;b");
    EXPECT_EQ(source.Get(), nullptr);
    source.Bind(report, 16, "userDataset1");  // group header: a condition
    EXPECT_EQ(source.Get(), nullptr);
    source.Bind(report, 8, "Absent");
    EXPECT_EQ(source.Get(), nullptr);
    EXPECT_THROW(source.Bind(report, 8, "Panel1"), EngineError);

    // The master data band falls back to the report's Dataset under rtSimple.
    report.dataset = &user;
    source.Bind(report, 5, "");
    EXPECT_EQ(source.Get(), &user);
    source.Bind(report, 8, "");
    EXPECT_EQ(source.Get(), nullptr);
    report.reportType = ReportType::rtMultiple;
    source.Bind(report, 5, "");
    EXPECT_EQ(source.Get(), nullptr);

    // Init and Exit bracket the binding.
    FakeTable other("Table3");
    DBDataset db("DB1");
    db.SetDataSet(&other);
    form.Add(db);
    int closes = 0;
    db.onClose = [&](Dataset&) { ++closes; };
    source.Bind(report, 8, "DB1");
    EXPECT_TRUE(other.active);
    source.Release();
    EXPECT_EQ(closes, 1);
}

TEST_F(DictionaryTest, RepeatedNamesLoadAsSetWouldStoreThem) {
    // Current layout: the first spelling keeps its place and takes the last value.
    EngineStream current;
    WriteI16(current, -2);
    WriteI32(current, 4);
    for (const char* text : {" Cat", "", "Total", "1", "Nom", "'a'", "TOTAL", "2"})
        WriteString(current, text);
    WriteI32(current, 0);
    WriteI32(current, 0);
    current.Seek(0);
    DataDictionary& d = report.dictionary;
    d.LoadDictionary(current, kCurrentStreamVersion);
    ASSERT_EQ(d.variables.Count(), 3);
    EXPECT_EQ(d.variables.NameAt(1), "Total");
    EXPECT_EQ(d.variables.ValueAt(1).ToText(), "2");
    EXPECT_EQ(d.variables.NameAt(2), "Nom");

    // Old layout: a repeated alias key keeps its last value; variables follow the memo.
    EngineStream old;
    WriteI32(old, 2);
    for (const char* field : {"Joueur", "Equipe"}) {
        WriteU8(old, 1);
        WriteI32(old, 0);
        for (const std::string& text : {std::string("T"), std::string(field), std::string("J")}) {
            WriteU8(old, static_cast<uint8_t>(text.size()));
            old.Write(text.data(), text.size());
        }
    }
    WriteMemo(old, {"Cat", " J", " j"});
    old.Seek(0);
    d.LoadDictionary(old, kCurrentStreamVersion);
    ASSERT_EQ(d.variables.Count(), 2);
    EXPECT_EQ(d.variables.NameAt(0), " Cat");
    EXPECT_EQ(d.variables.NameAt(1), "J");
    EXPECT_EQ(d.variables.ValueAt(1).ToText(), "T.\"Equipe\"");
    EXPECT_EQ(d.fieldAliases.Count(), 0);
}

// The old convention's toggle gives an empty line and a line of two spaces the same name " ":
// they load merged, so that what is saved loads back the same.
TEST_F(DictionaryTest, OldNamesThatToggleToOneSpellingLoadMerged) {
    EngineStream old;
    WriteI32(old, 0);
    WriteMemo(old, {"Cat", "", "  ", "Var"});
    old.Seek(0);
    DataDictionary& d = report.dictionary;
    d.LoadDictionary(old, kCurrentStreamVersion);
    ASSERT_EQ(d.variables.Count(), 3);
    EXPECT_EQ(d.variables.NameAt(0), " Cat");
    EXPECT_EQ(d.variables.NameAt(1), " ");
    EXPECT_EQ(d.variables.NameAt(2), " Var");

    EngineStream saved;
    d.SaveDictionary(saved);
    saved.Seek(0);
    DataDictionary again;
    again.LoadDictionary(saved, kCurrentStreamVersion);
    EngineStream savedAgain;
    again.SaveDictionary(savedAgain);
    EXPECT_EQ(savedAgain.Bytes(), saved.Bytes());
}

TEST_F(DictionaryTest, OldDictionaryWithUnreadableCountFails) {
    EngineStream s(std::string("\x05\x00\x01", 3));  // marker 5, count cut short
    EXPECT_THROW(report.dictionary.LoadDictionary(s, 22), StreamReadError);
}

}  // namespace
}  // namespace report
