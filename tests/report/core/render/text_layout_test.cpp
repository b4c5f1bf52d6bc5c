#include <gtest/gtest.h>

#include "report/core/render/hyphenation.h"
#include "report/core/render/text_layout.h"
#include "tests/report/core/render/render_fixture.h"

namespace report::testing {
namespace {

class WrapTest : public RenderTest {
  protected:
    StringList Wrap(std::string_view line, int32_t width, bool wordBreak = false,
                    Alphabet alphabet = Alphabet::Cyrillic) {
        canvas.SetFont(CanvasFont{});
        StringList out;
        WrapLine(line, width, wordBreak, canvas, out, alphabet);
        return out;
    }
};

struct WrapCase {
    const char* name;
    std::string line;
    int32_t width;  // ten pixels per character
    bool wordBreak;
    StringList expected;
    Alphabet alphabet = Alphabet::Cyrillic;  // code page 1251 text
};

TEST_F(WrapTest, Pieces) {
    const WrapCase cases[] = {
        {"fits", "abcd efgh", 90, false, {"abcd efgh\x01"}},
        {"a single character never wraps", "a", 5, false, {"a\x01"}},
        {"empty line", "", 10, false, {"\x01"}},
        // the box holds "abcd ef": the break goes after the first word, the space is dropped
        {"two four-letter words", "abcd efgh", 70, false, {"abcd", "efgh\x01"}},
        {"two four-letter words, word break on", "abcd efgh", 70, true, {"abcd", "efgh\x01"}},
        // the character that overflowed stays on the line
        {"word wider than the box", "abcdefghij", 45, false, {"abcde", "fghij"}},
        {"word wider than the box, word break on", "abcdefghij", 45, true, {"abcde", "fghij"}},
        {"CR LF ending gives no empty piece", "abc\r\n", 100, false, {"abc\x01"}},
        {"LF ending", "abc\n", 100, false, {"abc\x01"}},
        {"CR LF inside", "ab\r\ncd", 100, false, {"ab\x01", "cd\x01"}},
        {"several breaks in a row count once", "ab\r\n\r\ncd", 100, false, {"ab\x01", "cd\x01"}},
        {"break then wrap", "ab\r\ncdef ghij", 50, false, {"ab\x01", "cdef", "ghij\x01"}},
        {"two lines of two words", "aa bb cc dd", 50, false, {"aa bb", "cc dd\x01"}},
        // КОМПЬЮТЕР in code page 1251, hyphenated after КОМПЬЮ
        {"hyphenation",
         "\xCA\xCE\xCC\xCF\xDC\xDE\xD2\xC5\xD0",
         75,
         true,
         {"\xCA\xCE\xCC\xCF\xDC\xDE-", "\xD2\xC5\xD0\x01"}},
        // the word after "ab " cannot be hyphenated on the first line; on its own line its
        // hyphen fits
        {"hyphenation on the next line",
         "ab \xCA\xCE\xCC\xCF\xDC\xDE\xD2\xC5\xD0",
         75,
         true,
         {"ab", "\xCA\xCE\xCC\xCF\xDC\xDE-", "\xD2\xC5\xD0\x01"}},
        // nor there: stuck at the same break twice, the rest goes out whole
        {"hyphenation stuck",
         "ab \xCA\xCE\xCC\xCF\xDC\xDE\xD2\xC5\xD0",
         55,
         true,
         {"ab", "", "\xCA\xCE\xCC\xCF\xDC\xDE\xD2\xC5\xD0\x01"}},
        {"a box narrower than one character", "ab", 5, false, {"a", "b"}},
        {"overflowing on a delimiter at a line start", "a,b", 5, true, {"a", ",", "b"}},
        {"no hyphenation without word break",
         "\xCA\xCE\xCC\xCF\xDC\xDE\xD2\xC5\xD0",
         75,
         false,
         {"\xCA\xCE\xCC\xCF\xDC\xDE\xD2\xC5", "\xD0\x01"}},
    };
    for (const WrapCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Wrap(c.line, c.width, c.wordBreak, c.alphabet), c.expected);
    }
}

TEST_F(WrapTest, FrenchWordsBreakBetweenSyllables) {
    const WrapCase cases[] = {
        // "problème" breaks before "blè", never "prob-lème"
        {"problème", "un probl\xE8me", 90, true, {"un pro-", "bl\xE8me\x01"}, Alphabet::Latin},
        {"PROBLÈME", "UN PROBL\xC8ME", 90, true, {"UN PRO-", "BL\xC8ME\x01"}, Alphabet::Latin},
        {"rencontre", "la rencontre", 90, true, {"la ren-", "contre\x01"}, Alphabet::Latin},
        {"no break without word break",
         "la rencontre",
         90,
         false,
         {"la", "rencontre\x01"},
         Alphabet::Latin},
    };
    for (const WrapCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Wrap(c.line, c.width, c.wordBreak, c.alphabet), c.expected);
    }
}

TEST(Hyphenation, BreakPositions) {
    struct Case {
        const char* name;
        std::string word;
        Alphabet alphabet;
        std::vector<size_t> expected;
    } cases[] = {
        {"four letters have none", "\xCC\xC0\xCC\xC0", Alphabet::Cyrillic, {}},
        {"КОМПЬЮТЕР", "\xCA\xCE\xCC\xCF\xDC\xDE\xD2\xC5\xD0", Alphabet::Cyrillic, {6}},
        // МАМАМА: vowel then consonant-vowel at 2 and 4; consonant, consonant? no
        {"МАМАМА", "\xCC\xC0\xCC\xC0\xCC\xC0", Alphabet::Cyrillic, {2, 4}},
        // lower case is upper-cased first
        {"мамама", "\xEC\xE0\xEC\xE0\xEC\xE0", Alphabet::Cyrillic, {2, 4}},
        // French, Windows-1252: between syllables, two letters at least before the break and
        // three after it
        {"four French letters have none", "pomme", Alphabet::Latin, {}},
        {"pro-blème", "probl\xE8me", Alphabet::Latin, {3}},
        {"PRO-BLÈME", "PROBL\xC8ME", Alphabet::Latin, {3}},
        {"or-di-na-teur", "ordinateur", Alphabet::Latin, {2, 4, 6}},
        {"ren-con-tre", "rencontre", Alphabet::Latin, {3, 6}},
        {"cham-pion-nat", "championnat", Alphabet::Latin, {4, 8}},
        {"pho-to-gra-phie", "photographie", Alphabet::Latin, {3, 5, 8}},
        {"THÉÂ-TRE", "TH\xC9\xC2TRE", Alphabet::Latin, {4}},
        {"der-nière", "derni\xE8re", Alphabet::Latin, {3}},
        {"ins-crip-tion", "inscription", Alphabet::Latin, {3, 7}},
        {"exa-men: never around an x between vowels", "examen", Alphabet::Latin, {3}},
        {"ac-quis", "acquis", Alphabet::Latin, {2}},
        {"qua-tre", "quatre", Alphabet::Latin, {3}},
        {"com-pé-ti-tion", "comp\xE9tition", Alphabet::Latin, {3, 5, 7}},
        {"ÉQUIPE: too short at either end", "\xC9QUIPE", Alphabet::Latin, {}},
        {"cam-pa-gne", "campagne", Alphabet::Latin, {3, 5}},
        {"a word with a digit", "poule2abc", Alphabet::Latin, {3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HyphenationPoints(c.word, c.alphabet), c.expected);
    }
    EXPECT_EQ(AlphabetOfCharset(204), Alphabet::Cyrillic);
    EXPECT_EQ(AlphabetOfCharset(0), Alphabet::Latin);
    EXPECT_EQ(AlphabetOfCharset(1), Alphabet::Latin);
}

class LayoutTest : public RenderTest {
  protected:
    TextLayout Layout(MemoView& memo) {
        context.geometry = ObjectGeometry::Of(memo);
        DrawScope scope(context, memo.frameTyp);
        return LayoutText(memo, memo.memo, false, context);
    }
};

TEST_F(LayoutTest, HeightIsLinesTimesPitchPlusTwoGaps) {
    MemoView memo;
    Place(memo, 0, 0, 74, 50);  // W = 70
    memo.memo = {"abcd efgh", "ijkl"};
    const TextLayout layout = Layout(memo);
    EXPECT_EQ(layout.lines, (StringList{"abcd", "efgh\x01", "ijkl\x01"}));
    EXPECT_EQ(layout.lineHeight, 15);  // 2 + round(10 x 96 / 72)
    EXPECT_EQ(layout.textHeight, 3 * 15 + 2);
}

TEST_F(LayoutTest, WithoutWordWrapEveryLineIsAParagraph) {
    MemoView memo;
    Place(memo, 0, 0, 20, 50);
    memo.SetFlag(view_flag::kWordWrap, false);
    memo.memo = {"abcd efgh"};
    EXPECT_EQ(Layout(memo).lines, StringList{"abcd efgh\x01"});
}

TEST_F(LayoutTest, RotatedUsesTheHeightAndHorizontalGaps) {
    MemoView memo;
    Place(memo, 0, 0, 30, 74);  // W = 74 - 2 x GapY = 72
    memo.alignment = text_align::kRotated;
    memo.memo = {"abcd efgh"};
    const TextLayout layout = Layout(memo);
    EXPECT_EQ(layout.lines, (StringList{"abcd", "efgh\x01"}));
    EXPECT_EQ(layout.textHeight, 2 * 15 + 2 * 2);
    EXPECT_TRUE(canvas.Font().rotated);
}

TEST_F(LayoutTest, DesignerShowsALoneWideExpressionWhole) {
    context.mode = DocumentMode::Designing;
    MemoView memo;
    Place(memo, 0, 0, 44, 50);
    memo.memo = {"[joueur1] [joueur2]"};
    EXPECT_EQ(Layout(memo).lines, StringList{"[joueur1] [joueur2]"});
    context.mode = DocumentMode::Printing;
    EXPECT_GT(Layout(memo).lines.size(), 1u);
}

TEST_F(LayoutTest, CharacterSpacingWidensEveryCharacter) {
    MemoView memo;
    Place(memo, 0, 0, 94, 50);  // W = 90: "abcd efgh" is 90 without spacing
    memo.memo = {"abcd efgh"};
    EXPECT_EQ(Layout(memo).lines.size(), 1u);
    memo.charSpacing = 1;
    EXPECT_EQ(Layout(memo).lines.size(), 2u);
}

TEST_F(LayoutTest, FontHeightRoundsHalvesToEven) {
    EXPECT_EQ(DesignFontHeight(10), 13);
    EXPECT_EQ(DesignFontHeight(8), 11);
    EXPECT_EQ(DesignFontHeight(9), 12);
    EXPECT_EQ(DesignFontHeight(11), 15);
}

}  // namespace
}  // namespace report::testing

namespace report::testing {
namespace {

class LongLineTest : public RenderTest {};

TEST_F(LongLineTest, AWordLongerThanManyLinesKeepsEveryCharacter) {
    std::string word;
    for (int i = 0; i < 60000; ++i)
        word += static_cast<char>('a' + i % 26);
    canvas.SetFont(CanvasFont{});
    for (bool wordBreak : {false, true}) {
        SCOPED_TRACE(wordBreak ? "word break" : "plain");
        StringList pieces;
        WrapLine(word, 95, wordBreak, canvas, pieces, Alphabet::Cyrillic);
        std::string joined;
        for (const std::string& piece : pieces)
            joined += piece;
        EXPECT_EQ(joined, word);
        EXPECT_EQ(pieces.size(), 6000u);  // ten characters a line: nine fit, the tenth overflows
    }
}

TEST_F(LongLineTest, ALongCyrillicWordIsHyphenatedLineByLine) {
    // МАМАМА... breaks after every vowel from the second letter on
    std::string word;
    for (int i = 0; i < 30000; ++i)
        word += i % 2 == 0 ? '\xCC' : '\xC0';
    canvas.SetFont(CanvasFont{});
    StringList pieces;
    WrapLine(word, 75, true, canvas, pieces, Alphabet::Cyrillic);
    ASSERT_GT(pieces.size(), 1000u);
    EXPECT_EQ(pieces[0], "\xCC\xC0\xCC\xC0\xCC\xC0-");
    std::string joined;
    for (std::string piece : pieces) {
        if (!piece.empty() && piece.back() == '\x01') piece.pop_back();
        if (!piece.empty() && piece.back() == '-') piece.pop_back();
        joined += piece;
    }
    EXPECT_EQ(joined, word);
}

}  // namespace
}  // namespace report::testing
