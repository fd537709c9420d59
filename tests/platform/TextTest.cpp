#include "platform/Text.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace platform {
namespace {

// "Velka" in katakana: five characters of three bytes each.
const std::string kKatakana = "\xE3\x83\xB4\xE3\x82\xA7\xE3\x83\xAB\xE3\x82\xAB\xE3\x81\xAA";
const std::string kLastTwo = "\xE3\x82\xAB\xE3\x81\xAA";
const std::string kFirstTwo = "\xE3\x83\xB4\xE3\x82\xA7";

TEST(TextTest, LeftRightCountCharactersNotBytes)
{
    struct Case {
        std::string text;
        std::int64_t count;
        std::string left;
        std::string right;
    };
    const std::vector<Case> cases = {
        {"abc", -3, "", ""}, {"abc", 10, "abc", "abc"}, {kKatakana, 2, kFirstTwo, kLastTwo},
        // A lone lead byte or a stray continuation byte still counts as one
        // character and is never merged with its ASCII neighbours.
        {"x\xE3y", 2, "x\xE3", "\xE3y"},
        {"\x80z", 1, "\x80", "z"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " count " + std::to_string(c.count));
        EXPECT_EQ(Left(c.text, c.count), c.left);
        EXPECT_EQ(Right(c.text, c.count), c.right);
    }
}

TEST(TextTest, FieldsAndPiecesAtTheEdges)
{
    EXPECT_EQ(NthField("0700\t3", "\t", 3), "");
    EXPECT_EQ(NthField("0700\t3", "\t", 0), "");
    EXPECT_EQ(NthField("alarmHour=07=1", "=", 2), "07");
    EXPECT_EQ(NthField("a::b:c", "::", 2), "b:c");
    EXPECT_EQ(NthField("whole", "", 2), "");
    EXPECT_EQ(NthField("whole", "", 1), "whole");
    EXPECT_EQ(NthField("a,,c,", ",", 2), "");
    EXPECT_EQ(NthField("a,,c,", ",", 3), "c");
    EXPECT_EQ(NthField("a,,c,", ",", 4), "");
    EXPECT_EQ(NthField("a,,c,", ",", 5), "");
    EXPECT_EQ(NthField("", ",", 1), "");
}

TEST(TextTest, NumbersFromTextAreReadAndClampedWithoutFault)
{
    struct Case {
        std::string text;
        double value;
    };
    const std::vector<Case> cases = {
        {"12abc", 12}, {"-.5x", -0.5}, {"- 1", 0}, {"inf", 0}, {"nan", 0}, {"0x1A", 0}, {"1e-400", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(Val(c.text), c.value);
    }
    EXPECT_EQ(Val(std::string(400, '9')), std::numeric_limits<double>::infinity());

    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(CInt32(2.5), 3);
    EXPECT_EQ(CInt32(-2.5), -3);
    EXPECT_EQ(CInt32(2147483646.6), kMax);
    EXPECT_EQ(CInt32(-std::numeric_limits<double>::infinity()), kMin);
    EXPECT_EQ(CInt32(std::nan("")), 0);
}

TEST(TextTest, ConvertEncodingReplacesEachInvalidByteOnly)
{
    struct Case {
        std::string text;
        std::string utf8;
    };
    const std::string bad = "\uFFFD";
    const std::vector<Case> cases = {
        {kKatakana, kKatakana},
        {"\xFF" + kKatakana, bad + kKatakana},
        // Truncated, overlong, surrogate and past U+10FFFF forms are not UTF-8.
        {"\xE3\x83z", bad + bad + "z"},
        {"\xC0\xAF", bad + bad},
        {"\xED\xA0\x80", bad + bad + bad},
        {"\xF4\x90\x80\x80", bad + bad + bad + bad},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ConvertEncodingToUTF8(c.text), c.utf8);
    }
}

}  // namespace
}  // namespace platform
