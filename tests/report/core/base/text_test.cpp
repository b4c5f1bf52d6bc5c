#include "report/core/base/text.h"

#include <gtest/gtest.h>

#include "report/core/base/dialogs.h"
#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/rounding.h"

namespace report {
namespace {

TEST(Text, CaseMappingOfWindows1252Letters) {
    struct Case {
        const char* lower;
        const char* upper;
    };
    // Windows-1252 bytes: é/É, à/À, ç/Ç, ô/Ô, ù/Ù, ÿ/Ÿ, œ/Œ, š/Š, ž/Ž.
    const Case cases[] = {
        {"abc", "ABC"},
        {"\xE9", "\xC9"},
        {"\xE0", "\xC0"},
        {"\xE7", "\xC7"},
        {"\xF4", "\xD4"},
        {"\xF9", "\xD9"},
        {"\xFF", "\x9F"},
        {"\x9C", "\x8C"},
        {"\x9A", "\x8A"},
        {"\x9E", "\x8E"},
        {"saint-\xE9tienne", "SAINT-\xC9TIENNE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lower);
        EXPECT_EQ(UpperCase(c.lower), c.upper);
        EXPECT_EQ(LowerCase(c.upper), c.lower);
    }
    // Division and multiplication signs, ß and µ have no case partner.
    EXPECT_EQ(UpperCase("\xF7\xDF\xB5"), "\xF7\xDF\xB5");
    EXPECT_EQ(LowerCase("\xD7"), "\xD7");
    EXPECT_TRUE(SameText("\xC9quipe", "\xE9QUIPE"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("abcd", "ABC"), 0);
}

TEST(Text, Utf8AndWindows1252Conversions) {
    EXPECT_EQ(Cp1252ToUtf8("\xC9t\xE9 \x80 \x9C"), "\xC3\x89t\xC3\xA9 \xE2\x82\xAC \xC5\x93");
    EXPECT_EQ(Utf8ToCp1252("\xC3\x89t\xC3\xA9 \xE2\x82\xAC \xC5\x93"), "\xC9t\xE9 \x80 \x9C");
    // Characters outside Windows-1252 and broken sequences become '?'.
    EXPECT_EQ(Utf8ToCp1252("a\xE4\xB8\xAD"
                           "b\xC3"),
              "a?b?");
    // Every byte survives the round trip, the five undefined ones included.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_TRUE(IsValidUtf8("\xC3\xA9t\xC3\xA9"));
    EXPECT_FALSE(IsValidUtf8("\xE9t\xE9"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_TRUE(HasNonAscii("\xE9"));
    EXPECT_FALSE(HasNonAscii("abc"));
}

TEST(Text, TrimRemovesControlCharactersAndBlanks) {
    EXPECT_EQ(Trim(" \t\r\n abc \x01\x1F "), "abc");
    EXPECT_EQ(TrimLeft("  a b  "), "a b  ");
    EXPECT_EQ(TrimRight("  a b  "), "  a b");
    EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");  // a no-break space is above 32
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(TrimmedView(" \t a b \r\n"), "a b");
    EXPECT_EQ(TrimmedView("\x01\x1F"), "");
}

TEST(Text, MessagesFromTheStringTable) {
    EXPECT_EQ(EngineText(text_id::kErrorCaption), "Erreur");
    EXPECT_EQ(EngineText(text_id::kCancel), "Annuler");
    // A key the table lacks is the program's fault: it must not pass as a text.
    EXPECT_THROW(EngineText(999999), MissingEngineText);
    EXPECT_THROW(EngineText("parser.no_such_text"), MissingEngineText);
    EXPECT_EQ(std::string(FileCreateError("/tmp/x/tombage.DBP").what()),
              "Impossible de cr\xE9"
              "er le fichier /tmp/x/tombage.DBP");
    EXPECT_EQ(std::string(ListIndexError(-1).what()), "Indice de liste hors limites (-1)");
    EXPECT_EQ(std::string(ConvertError::NotInteger("12a").what()),
              "'12a' n'est pas une valeur enti\xE8re correcte");
    EXPECT_EQ(FormatMessage("%s et %d %% %s", {"a", "2"}), "a et 2 % ");
}

TEST(Text, TerminalTextBreaksLinesOnceWhateverTheLineEnd) {
    EXPECT_EQ(TerminalText("a\rb\r\nc\nd\r"), "a\nb\nc\nd\n");
    EXPECT_EQ(TerminalText("\xC9t\xE9"), "\xC3\x89t\xC3\xA9");
    std::string out;
    AppendUtf8(out, U'\x1F600');
    EXPECT_EQ(out, "\xF0\x9F\x98\x80");
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, int64_t> cases[] = {
        {0.5, 0}, {1.5, 2},  {2.5, 2},           {-2.5, -2}, {2.4, 2},
        {2.6, 3}, {-0.5, 0}, {1e300, INT64_MAX}, {-3.5, -4}, {722.5, 722}};
    for (auto [value, expected] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(RoundHalfEven(value), expected);
    }
    EXPECT_EQ(Truncate(-2.7), -2);
    EXPECT_EQ(HalfOf(7), 3);
    EXPECT_EQ(HalfOf(-7), -3);
}

}  // namespace
}  // namespace report
