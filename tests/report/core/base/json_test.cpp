#include "report/core/base/json.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "report/core/base/base64.h"
#include "report/core/base/text.h"

namespace report {
namespace {

TEST(Base64, RoundTripsEveryByteAndLength) {
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    for (size_t length = 0; length <= all.size(); length += 1 + length / 7) {
        SCOPED_TRACE(length);
        const std::string bytes = all.substr(0, length);
        const std::string text = EncodeBase64(bytes);
        EXPECT_EQ(text.size() % 4, 0u);
        EXPECT_EQ(DecodeBase64(text), bytes);
    }
    EXPECT_EQ(EncodeBase64("Man"), "TWFu");
    EXPECT_EQ(EncodeBase64("Ma"), "TWE=");
    EXPECT_EQ(EncodeBase64("M"), "TQ==");
    EXPECT_EQ(DecodeBase64("TW\nFu"), "Man");
    for (const char* bad : {"T", "TQ=Q", "T!==", "TQ==="}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(DecodeBase64(bad).has_value());
    }
}

TEST(Json, ParsesAndWritesBack) {
    const std::string text =
        "{\"a\": [1, -2.5e3, true, false, null], \"s\": \"\\u00e9\\n\\\"\\u0001\\ud83d\\ude00\", "
        "\"o\": {}}";
    const JsonValue value = ParseJson(text);
    const auto& items = value.Find("a")->AsArray("a");
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].AsInt("", -10, 10), 1);
    EXPECT_EQ(items[1].AsFloat(""), -2500.0f);
    EXPECT_TRUE(items[2].AsBool(""));
    EXPECT_TRUE(items[4].IsNull());
    EXPECT_EQ(value.Find("s")->AsString(""), "\xC3\xA9\n\"\x01\xF0\x9F\x98\x80");
    const std::string written = WriteJson(value);
    EXPECT_NE(written.find("\\u0001"), std::string::npos);
    const JsonValue again = ParseJson(written);
    EXPECT_EQ(again.Find("s")->AsString(""), value.Find("s")->AsString(""));
    EXPECT_EQ(WriteJson(again), written);
}

TEST(Json, FloatsReadBackExactly) {
    for (float value : {0.1f, 1e-7f, 2.25f, 3.4028235e38f, -0.0f, 123456.789f, 1.0f / 3.0f}) {
        SCOPED_TRACE(value);
        const JsonValue number = JsonValue::Number(value);
        const float back = ParseJson(WriteJson(number)).AsFloat("");
        EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0);
    }
    EXPECT_EQ(WriteJson(JsonValue::Number(std::numeric_limits<float>::infinity())), "0\n");
}

TEST(Json, ErrorsSayWhere) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"", "ligne 1, colonne 1"},
        {"{\"a\" 1}", "colonne 6"},
        {"[1,\n 2,\n x]", "ligne 3, colonne 2"},
        {"\"abc", "non terminé"},
        {"\"a\x01\"", "contrôle"},
        {"\"\\q\"", "échappement"},
        {"01x", "en trop"},
        {"\"\xC3\"", "UTF-8"},
        {"[1] 2", "en trop"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_THAT([&] { ParseJson(c.text); }, ::testing::ThrowsMessage<JsonError>(
                                                    ::testing::HasSubstr(Utf8ToCp1252(c.message))));
    }
    // Deep nesting is refused instead of exhausting the stack.
    EXPECT_THROW(ParseJson(std::string(100000, '[')), JsonError);
    EXPECT_NO_THROW(ParseJson(std::string(100, '[') + std::string(100, ']')));
}

TEST(Json, TypedReadsCheckKindAndRange) {
    const JsonValue value = ParseJson("{\"n\": 300, \"t\": \"x\", \"f\": 1.5}");
    EXPECT_EQ(value.Find("n")->AsInt("n", 0, 300), 300);
    EXPECT_THROW(value.Find("n")->AsInt("n", 0, 255), JsonError);
    EXPECT_THROW(value.Find("f")->AsInt("f", 0, 255), JsonError);
    EXPECT_THROW(value.Find("t")->AsInt("t", 0, 255), JsonError);
    EXPECT_THROW(value.Find("t")->AsArray("t"), JsonError);
    EXPECT_EQ(value.Find("absent"), nullptr);
}

}  // namespace
}  // namespace report
