// The values the program gives the draw's report.
#include "app/logic/print_draw.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <ctime>
#include <string>
#include <vector>

#include "app/logic/results_file.h"
#include "report/core/base/errors.h"
#include "tests/app/logic/test_support.h"

namespace app {
namespace {

using report::Variant;
using report::VariantKind;

// Sets a file's last-write time to a local date and time.
void SetLocalWriteTime(const std::string& path, int year, int month, int day, int hour, int minute,
                       int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    const utimbuf times{std::mktime(&local), std::mktime(&local)};
    ASSERT_EQ(::utime(path.c_str(), &times), 0);
}

class PrintDrawTest : public ::testing::Test {
  protected:
    app_test::TemporaryFolder folder;
    app_test::MemoryGrid grid{4};
    std::string results = folder.File(kResultsFileName);
    PrintDraw print{grid, results};

    void SetUp() override {
        grid.SetCell(0, 0, "Recevante");
        const char* rows[3][3] = {
            {"Arras", "Lens", "001"}, {"Douai", "0", "002"}, {"0", "Lille", "003"}};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c)
                grid.SetCell(c, r + 1, rows[r][c]);
        }
        app_test::WriteFile(results, "Arras;Lens;001;\n");
        SetLocalWriteTime(results, 2022, 3, 15, 20, 45, 17);
    }

    Variant Ask(int record, const std::string& name) const {
        Variant value = Variant::String("intact");
        print.Report1GetValue(record, name, value);
        return value;
    }
};

TEST_F(PrintDrawTest, AnswersTheFiveNamesExactly) {
    struct Case {
        int record;
        const char* name;
        const char* text;  // nullptr: the results file's date
    };
    const std::vector<Case> cases{
        {0, "joueur1", "Arras"}, {0, "joueur2", "Lens"},   {0, "Num", "001"},
        {1, "joueur2", ""},      {1, "Num", "002"},        {2, "joueur1", "0"},
        {2, "joueur2", "Lille"}, {0, "JOUEUR1", "intact"}, {0, "Joueur2", "intact"},
        {0, "num", "intact"},    {0, "DATE1", "intact"},   {0, "joueur1 ", "intact"},
        {0, "Titre", "intact"},  {0, "Date1", nullptr},    {2, "Heure1", nullptr},
    };
    // 15 March 2022 is day 44635; 20:45:16, the second rounded down to an even one.
    const double date = 44635 + (20 * 3600 + 45 * 60 + 16) / 86400.0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " of record " + std::to_string(c.record));
        const Variant value = Ask(c.record, c.name);
        if (c.text == nullptr) {
            EXPECT_EQ(value.Kind(), VariantKind::DateTime);
            EXPECT_NEAR(value.RealValue(), date, 0.1 / 86400);
        } else {
            EXPECT_EQ(value.Kind(), VariantKind::String);
            EXPECT_EQ(value.StringValue(), c.text);
        }
    }
}

TEST_F(PrintDrawTest, TheDateFollowsTheResultsFileToTheEvenSecondBelow) {
    for (int second : {0, 1, 58, 59}) {
        SCOPED_TRACE(second);
        SetLocalWriteTime(results, 2023, 7, 1, 9, 5, second);
        const double expected =
            report::EncodeDate(2023, 7, 1) + report::EncodeTime(9, 5, second / 2 * 2, 0);
        EXPECT_NEAR(Ask(0, "Date1").RealValue(), expected, 0.1 / 86400);
        EXPECT_EQ(Ask(0, "Date1").RealValue(), Ask(0, "Heure1").RealValue());
    }
}

TEST_F(PrintDrawTest, WithoutAResultsFileTheDateIsAnError) {
    std::remove(results.c_str());
    Variant value;
    EXPECT_THROW(print.Report1GetValue(0, "Date1", value), report::FileOpenError);
    EXPECT_NO_THROW(print.Report1GetValue(0, "joueur1", value));
}

TEST_F(PrintDrawTest, OneRecordPerDataRow) {
    struct Case {
        int rows;
        int records;
    };
    for (const Case& c : std::vector<Case>{{1, 0}, {2, 1}, {4, 3}, {30, 29}}) {
        SCOPED_TRACE(c.rows);
        grid.SetRowCount(c.rows);
        EXPECT_EQ(print.RecordCount(), c.records);
    }
}

TEST_F(PrintDrawTest, AResultsFileOfFiveTeamsGivesThreeRecordsWithTheByeLast) {
    app_test::WriteFile(results, "Arras;Lens;001;\nDouai;Lille;002;\nCalais;0;003;\n");
    app_test::MemoryGrid loaded(1);
    LoadResults(loaded, results);
    PrintDraw fromFile(loaded, results);
    ASSERT_EQ(fromFile.RecordCount(), 3);
    Variant receiving, visiting, label;
    fromFile.Report1GetValue(2, "joueur1", receiving);
    fromFile.Report1GetValue(2, "joueur2", visiting);
    fromFile.Report1GetValue(2, "Num", label);
    EXPECT_EQ(receiving.StringValue(), "Calais");
    EXPECT_EQ(visiting.StringValue(), "");
    EXPECT_EQ(label.StringValue(), "003");
}

}  // namespace
}  // namespace app
