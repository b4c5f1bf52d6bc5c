#include "report/core/value/display_format.h"

#include <gtest/gtest.h>

#include <string>

#include "report/core/value/date_time.h"
#include "report/core/value/format_settings.h"

namespace report {
namespace {

using namespace format_category;

TEST(DisplayFormat, FormatSuffixes) {
    struct Case {
        const char* text;
        const char* name;
        int32_t code;
        const char* pattern;
    };
    const int32_t view = MakeFormatCode(kText, 0, 2, ',');
    const Case cases[] = {
        {"Price #N2.2", "Price", MakeFormatCode(kNumber, 1, 2, '.'), "view"},
        {"Price #n10,3", "Price", MakeFormatCode(kNumber, 1, 3, ','), "view"},
        {"Price #2-1", "Price", MakeFormatCode(kNumber, 1, 1, '-'), "view"},
        {"Price #N2", "Price", MakeFormatCode(kNumber, 1, 0, ','), "view"},
        {"Price #N#,##0.00", "Price", MakeFormatCode(kNumber, 4, 0, '.'), "#,##0.00"},
        {"Price #N#.##0,00", "Price", MakeFormatCode(kNumber, 4, 0, ','), "#.##0.00"},
        {"Day #Ddd/mm/yy", "Day", MakeFormatCode(kDate, 4, 2, ','), "dd/mm/yy"},
        {"Hour #thh:nn", "Hour", MakeFormatCode(kDate, 4, 2, ','), "hh:nn"},
        {"Done #BNo;Yes", "Done", MakeFormatCode(kBoolean, 4, 2, ','), "No;Yes"},
        {"a + b #X", "a + b", view, "view"},
        {"a + b #", "a + b", view, "view"},
        {"a#N2.2", "a#N2.2", view, "view"},    // no blank before '#': no suffix
        {"'x #y' #N2.2", "'x", view, "view"},  // the first " #" cuts, even inside quotes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string text = c.text;
        DisplayFormat format{view, "view"};
        ApplyFormatSuffix(text, format);
        EXPECT_EQ(text, c.name);
        EXPECT_EQ(format.code, c.code);
        EXPECT_EQ(format.pattern, c.pattern);
    }
}

TEST(DisplayFormat, FormatDisplayValueTables) {
    const Variant number = Variant::Double(1234.5);
    const Variant date = Variant::DateTime(EncodeDate(1998, 11, 5) + EncodeTime(9, 5, 7, 0));
    struct Case {
        const char* label;
        Variant value;
        int32_t code;
        const char* pattern;
        const char* text;
    };
    const Case cases[] = {
        {"text", number, MakeFormatCode(kText, 0, 0, 0), "", "1234,5"},
        {"number 0", number, MakeFormatCode(kNumber, 0, 2, ','), "", "1234,5"},
        {"number 0, no decimals", number, MakeFormatCode(kNumber, 0, 0, ','), "", "1235"},
        {"number 1", number, MakeFormatCode(kNumber, 1, 2, '.'), "", "1234.50"},
        {"number 2", number, MakeFormatCode(kNumber, 2, 1, ','), "",
         "1\xA0"
         "234,5"},
        {"number 3", number, MakeFormatCode(kNumber, 3, 2, ','), "",
         "1\xA0"
         "234,50"},
        {"number 4", number, MakeFormatCode(kNumber, 4, 0, ','), "000000.0", "001234,5"},
        {"number of a text", Variant::String("abc"), MakeFormatCode(kNumber, 1, 2, ','), "", "abc"},
        // The text is read with the format's separator, which it does not use.
        {"number of a numeric text", Variant::String("2,5"), MakeFormatCode(kNumber, 1, 2, '.'), "",
         "2,5"},
        {"number of a numeric text 2", Variant::String("2,5"), MakeFormatCode(kNumber, 1, 2, ','),
         "", "2,50"},
        {"date 0", date, MakeFormatCode(kDate, 0, 0, 0), "", "11.05.98"},
        {"date 1", date, MakeFormatCode(kDate, 1, 0, 0), "", "11.05.1998"},
        {"date 2", date, MakeFormatCode(kDate, 2, 0, 0), "", "5 nov. 1998"},
        {"date 3", date, MakeFormatCode(kDate, 3, 0, 0), "", "jeudi 5 novembre 1998"},
        {"date 4", date, MakeFormatCode(kDate, 4, 0, 0), "yyyy", "1998"},
        {"time 0", date, MakeFormatCode(kTime, 0, 0, 0), "", "09:05:07"},
        {"time 1", date, MakeFormatCode(kTime, 1, 0, 0), "", "9:05:07"},
        {"time 2", date, MakeFormatCode(kTime, 2, 0, 0), "", "09:05"},
        {"time 3", date, MakeFormatCode(kTime, 3, 0, 0), "", "9:05"},
        {"date of a text", Variant::String("hier"), MakeFormatCode(kDate, 1, 0, 0), "", "hier"},
        {"boolean 0 of 0", Variant::Int32(0), MakeFormatCode(kBoolean, 0, 0, 0), "", "0"},
        {"boolean 1 of 0", Variant::Int32(0), MakeFormatCode(kBoolean, 1, 0, 0), "", "Oui"},
        {"boolean 1 of 1", Variant::Int32(1), MakeFormatCode(kBoolean, 1, 0, 0), "", "Non"},
        {"boolean 2", Variant::Boolean(true), MakeFormatCode(kBoolean, 2, 0, 0), "", "x"},
        {"boolean 3", Variant::Boolean(false), MakeFormatCode(kBoolean, 3, 0, 0), "", "False"},
        {"boolean 4", Variant::UInt8(1), MakeFormatCode(kBoolean, 4, 0, 0), "Non;Oui", "Oui"},
        {"boolean of a text", Variant::String("peut-être"), MakeFormatCode(kBoolean, 3, 0, 0), "",
         "peut-être"},
        {"empty", Variant(), MakeFormatCode(kNumber, 1, 2, ','), "", ""},
        {"null", Variant::Null(), MakeFormatCode(kText, 0, 0, 0), "", ""},
        {"blank text", Variant::String(" \r\n\t"), MakeFormatCode(kText, 0, 0, 0), "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(FormatDisplayValue(c.value, c.code, c.pattern), c.text);
    }
    EXPECT_EQ(Formats().decimalSeparator, ',');  // restored after every format
}

TEST(DisplayFormat, DefaultCodeTakesTheCurrentDecimalSeparator) {
    EXPECT_EQ(DefaultFormatCode(), 0x22C);  // text, 2 decimals, ','
    FormatSettings dotted = Formats();
    dotted.decimalSeparator = '.';
    ScopedFormats scoped(dotted);
    EXPECT_EQ(DefaultFormatCode(), 0x22E);
    EXPECT_EQ(FormatCategory(DefaultFormatCode()), kText);
    EXPECT_EQ(FormatDecimals(DefaultFormatCode()), 2);
}

}  // namespace
}  // namespace report
