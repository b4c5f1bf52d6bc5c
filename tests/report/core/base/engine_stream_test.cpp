#include "report/core/base/engine_stream.h"

#include <gtest/gtest.h>

namespace report {
namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

TEST(EngineStream, CurrentEncodings) {
    struct Case {
        StringList lines;
        std::string bytes;
    } cases[] = {
        {{}, Bytes({0, 0, 0})},
        {{""}, Bytes({1, 0, 0, 0, 0})},
        {{"ab", "c"}, Bytes({2, 0, 2, 0, 'a', 'b', 0x0D, 1, 0, 'c', 0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.size());
        EngineStream s;
        WriteMemo(s, c.lines);
        EXPECT_EQ(s.Bytes(), c.bytes);
        s.Seek(0);
        EXPECT_EQ(ReadMemo(s, 24), c.lines);
        EXPECT_TRUE(s.AtEnd());
    }
    EngineStream s;
    WriteString(s, "");
    WriteString(s, "Tombage");
    EXPECT_EQ(s.Bytes().substr(0, 3), Bytes({0, 0, 0}));
    s.Seek(0);
    EXPECT_EQ(ReadString(s, 23), "");
    EXPECT_EQ(ReadString(s, 23), "Tombage");
}

TEST(EngineStream, MemoCountIsNotTrusted) {
    // A count of 5 with two lines: the separators decide.
    EngineStream s(Bytes({5, 0, 1, 0, 'a', 0x0D, 1, 0, 'b', 0, 'Z'}));
    EXPECT_EQ(ReadMemo(s, 24), (StringList{"a", "b"}));
    EXPECT_EQ(s.Position(), 10u);
    // A count of 0 reads one byte and stops.
    EngineStream zero(Bytes({0, 0, 7, 'Z'}));
    EXPECT_TRUE(ReadMemo(zero, 24).empty());
    EXPECT_EQ(zero.Position(), 3u);
}

TEST(EngineStream, OldEncodings) {
    struct Case {
        std::string bytes;
        StringList lines;
    } cases[] = {
        {Bytes({0}), {}},
        {Bytes({'a', 0x0D, 0}), {"a"}},
        {Bytes({'a', 0x0D, 0x0D, 'b', 0}), {"a", "", "b"}},
        {Bytes({0x0D, 0}), {""}},
        {Bytes({'x', 'y'}), {"xy"}},  // the end of the stream closes it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EngineStream s(c.bytes);
        EXPECT_EQ(ReadMemo(s, 22), c.lines);
        EXPECT_TRUE(s.AtEnd());
    }
    EngineStream s(Bytes({'H', 'P', 0, 'n', 0}));
    EXPECT_EQ(ReadString(s, 21), "HP");
    EXPECT_EQ(ReadString(s, 22), "n");
    EngineStream shortString(Bytes({3, 'a', 'b', 'c', 'd'}));
    EXPECT_EQ(ReadShortString(shortString), "abc");
}

TEST(EngineStream, TruncatedFieldsKeepWhatIsMissing) {
    EngineStream s(Bytes({0x34, 0x12}));
    int32_t value = 0x7F7F7F7F;
    EXPECT_FALSE(ReadI32(s, value));
    EXPECT_EQ(value, 0x7F7F1234);
    EXPECT_FALSE(ReadI32(s, value));
    EXPECT_EQ(value, 0x7F7F1234);

    // A length larger than what remains takes what is there.
    EngineStream text(Bytes({0xFF, 0xFF, 'a', 'b'}));
    EXPECT_EQ(ReadString(text, 24), "ab");
    EngineStream lines(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 'q'}));
    EXPECT_EQ(ReadMemo(lines, 24), StringList{"q"});
}

TEST(EngineStream, WritesPatchInPlace) {
    EngineStream s;
    WriteI32(s, 0);
    WriteU16(s, 0xBEEF);
    s.Seek(0);
    WriteI32(s, -2);
    s.Seek(s.Size());
    WriteU8(s, 9);
    EXPECT_EQ(s.Bytes(), Bytes({0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xBE, 9}));
}

}  // namespace
}  // namespace report
