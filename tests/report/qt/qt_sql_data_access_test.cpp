#include "report/qt/qt_sql_data_access.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "report/core/base/errors.h"
#include "report/core/data/db_dataset.h"
#include "report/core/value/date_time.h"

namespace report {
namespace {

class QtSqlTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "qt_sql_data_access_test";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test"));
        db.setDatabaseName(QStringLiteral(":memory:"));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(
            q.exec("CREATE TABLE matchs (num INTEGER, equipe TEXT, points DOUBLE, joue BOOLEAN, "
                   "jour DATE, grand BIGINT)"));
        ASSERT_TRUE(
            q.exec(QString::fromUtf8("INSERT INTO matchs VALUES (1, 'Lyon-Villeurbanne é', 2.5, 1, "
                                     "'2024-01-02', 9007199254740993)")));
        ASSERT_TRUE(q.exec("INSERT INTO matchs VALUES (2, NULL, NULL, NULL, NULL, NULL)"));
        ASSERT_TRUE(q.exec("INSERT INTO matchs VALUES (3, 'Nantes', 0, 0, '2024-03-04', 5)"));
    }
};

TEST_F(QtSqlTest, DatasetWalksTheQuery) {
    QtSqlDataAccess query("Query1", QStringLiteral("test"),
                          QStringLiteral("SELECT * FROM matchs ORDER BY num"));
    DBDataset data("DBDataset1");
    data.SetDataSet(&query);
    data.Init();
    std::vector<int> seen;
    for (data.First(); !data.Eof(); data.Next())
        seen.push_back(ReadFieldValue(query, "num").ToInt());
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(data.RecordNo(), 3);
    data.Prior();
    EXPECT_EQ(ReadFieldValue(query, "num").ToInt(), 2);
    data.Exit();

    // rbCurrent begins at the record current at Init.
    data.rangeBegin = RangeBegin::rbCurrent;
    query.First();
    query.Next();
    data.Init();
    seen.clear();
    for (data.First(); !data.Eof(); data.Next())
        seen.push_back(ReadFieldValue(query, "num").ToInt());
    EXPECT_EQ(seen, (std::vector<int>{2, 3}));
    data.Exit();
    EXPECT_EQ(ReadFieldValue(query, "num").ToInt(), 2);  // back to the bookmark
}

TEST_F(QtSqlTest, FieldKindsAndNulls) {
    QtSqlDataAccess query("Query1", QStringLiteral("test"),
                          QStringLiteral("SELECT * FROM matchs ORDER BY num"));
    query.SetFieldKind("jour", FieldKind::Date);
    query.SetFieldKind("grand", FieldKind::LargeInt);
    query.SetFieldKind("joue", FieldKind::Boolean);
    EXPECT_EQ(ReadFieldValue(query, "num").ToInt(), 1);  // opened on demand
    EXPECT_TRUE(query.IsActive());
    EXPECT_EQ(query.FieldNames().size(), 6u);
    EXPECT_TRUE(query.HasField("equipe"));
    EXPECT_FALSE(query.HasField("Equipe"));
    EXPECT_EQ(query.KindOf("num"), FieldKind::Integer);
    EXPECT_EQ(query.KindOf("equipe"), FieldKind::String);
    EXPECT_EQ(query.KindOf("points"), FieldKind::Float);

    EXPECT_EQ(ReadFieldValue(query, "equipe").ToText(), "Lyon-Villeurbanne \xE9");
    EXPECT_DOUBLE_EQ(ReadFieldValue(query, "points").ToReal(), 2.5);
    EXPECT_TRUE(ReadFieldValue(query, "joue").ToBool());
    const Variant day = ReadFieldValue(query, "jour");
    EXPECT_EQ(day.Kind(), VariantKind::DateTime);
    EXPECT_DOUBLE_EQ(day.ToReal(), EncodeDate(2024, 1, 2));
    const Variant big = ReadFieldValue(query, "grand");
    EXPECT_TRUE(big.IsString());
    EXPECT_EQ(big.ToText(), "9007199254740993");

    query.Next();
    EXPECT_EQ(ReadFieldValue(query, "equipe").ToText(), "");
    EXPECT_EQ(ReadFieldValue(query, "points").ToInt(), 0);
    EXPECT_FALSE(ReadFieldValue(query, "joue").ToBool());
    EXPECT_TRUE(ReadFieldValue(query, "jour").IsNull());

    query.Next();
    query.Next();
    EXPECT_TRUE(query.Eof());
    EXPECT_EQ(ReadFieldValue(query, "num").ToInt(), 3);  // stays on the last record
    query.Close();
    EXPECT_FALSE(query.IsActive());
}

TEST_F(QtSqlTest, DateTimesBeforeDayZeroCountTheirTimeAwayFromZero) {
    QtSqlDataAccess query("Query3", QStringLiteral("test"),
                          QStringLiteral("SELECT '1899-12-29T06:00:00' AS avant, "
                                         "'1899-12-30T18:00:00' AS zero, "
                                         "'2024-01-02T12:00:00' AS apres"));
    for (const char* field : {"avant", "zero", "apres"})
        query.SetFieldKind(field, FieldKind::DateTime);
    EXPECT_DOUBLE_EQ(ReadFieldValue(query, "avant").ToReal(), -1.25);
    EXPECT_DOUBLE_EQ(ReadFieldValue(query, "zero").ToReal(), 0.75);
    EXPECT_DOUBLE_EQ(ReadFieldValue(query, "apres").ToReal(), EncodeDate(2024, 1, 2) + 0.5);
}

TEST_F(QtSqlTest, BadQueryRaises) {
    QtSqlDataAccess query("Query2", QStringLiteral("test"),
                          QStringLiteral("SELECT * FROM absente"));
    EXPECT_THROW(query.Open(), EngineError);
    EXPECT_FALSE(query.IsActive());
    EXPECT_TRUE(query.Eof());
}

}  // namespace
}  // namespace report
