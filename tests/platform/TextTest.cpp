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
        {"noimage07", 2, "no", "07"},          {"abc", -3, "", ""}, {"abc", 10, "abc", "abc"},
        {kKatakana, 2, kFirstTwo, kLastTwo},
        {"a" + kLastTwo + "b", 2, "a\xE3\x82\xAB", "\xE3\x81\xAA" "b"},
        {"\xF0\x9F\x98\x80!", 1, "\xF0\x9F\x98\x80", "!"},
        // A lone lead byte or a stray continuation byte still counts as one
        // character and is never merged with its ASCII neighbours.
        {"x\xE3y", 2, "x\xE3", "\xE3y"},
        {"\x80z", 1, "\x80", "z"},
        {"z\x80", 1, "z", "\x80"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " count " + std::to_string(c.count));
        EXPECT_EQ(Left(c.text, c.count), c.left);
        EXPECT_EQ(Right(c.text, c.count), c.right);
    }
}

TEST(TextTest, NthFieldCountsFromOneAndIsEmptyPastTheEnd)
{
    struct Case {
        std::string text;
        std::string separator;
        std::int64_t n;
        std::string field;
    };
    const std::vector<Case> cases = {
        {"0700\t3", "\t", 1, "0700"}, {"0700\t3", "\t", 2, "3"},   {"0700\t3", "\t", 3, ""},
        {"0700\t3", "\t", 0, ""},     {"no tab", "\t", 1, "no tab"}, {"a\t\tc", "\t", 2, ""},
        {"alarmHour=07=1", "=", 2, "07"}, {"a::b:c", "::", 2, "b:c"}, {"whole", "", 1, "whole"},
        {"whole", "", 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("[" + c.text + "] field " + std::to_string(c.n));
        EXPECT_EQ(NthField(c.text, c.separator, c.n), c.field);
    }
}

TEST(TextTest, SplitGivesOneMorePieceThanSeparators)
{
    using Pieces = std::vector<std::string>;
    struct Case {
        std::string text;
        std::string separator;
        Pieces pieces;
    };
    const std::vector<Case> cases = {
        {"a\r\nb\r\n", "\r\n", {"a", "b", ""}}, {"a\rb\r\nc", "\r\n", {"a\rb", "c"}},
        {"0700\t1\r\n0710\t2", "\r", {"0700\t1", "\n0710\t2"}}, {"\r\r", "\r", {"", "", ""}},
        {"", "\r", {""}}, {"abc", "", {"abc"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Split(c.text, c.separator), c.pieces);
    }
}

TEST(TextTest, ValReadsTheLeadingDecimalNumber)
{
    struct Case {
        std::string text;
        double value;
    };
    const std::vector<Case> cases = {
        {"07", 7},    {"-1", -1}, {"", 0},       {"12abc", 12},  {"\t 42", 42}, {"-.5x", -0.5},
        {"2.5E-1", 0.25}, {"1e+", 1}, {"- 1", 0}, {"inf", 0}, {"nan", 0},      {"0x1A", 0},
        {"1,5", 1},   {"1e-400", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(Val(c.text), c.value);
    }
    EXPECT_EQ(Val("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(Val("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(Val(std::string(400, '9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(Val("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(TextTest, CInt32RoundsHalvesAwayFromZeroAndClamps)
{
    struct Case {
        double value;
        std::int32_t result;
    };
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    const std::vector<Case> cases = {
        {2.5, 3},          {-2.5, -3},      {2.4999, 2},     {1e12, kMax},    {-1e12, kMin},
        {-2147483648.0, kMin},              {2147483646.6, kMax},
        {std::numeric_limits<double>::infinity(), kMax},
        {-std::numeric_limits<double>::infinity(), kMin},
        {std::nan(""), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(CInt32(c.value), c.result);
    }
}

TEST(TextTest, StrWritesAnInt32)
{
    EXPECT_EQ(Str(72), "72");
    EXPECT_EQ(Str(std::numeric_limits<std::int32_t>::min()), "-2147483648");
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
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        {"caf\xE9", "caf" + bad},
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

TEST(TextTest, DecodeURLComponentDecodesPercentBytes)
{
    struct Case {
        std::string text;
        std::string decoded;
    };
    const std::vector<Case> cases = {
        {"a%0D%0ab", "a\r\nb"}, {"%E3%83%B4%E3%82%A7", kFirstTwo}, {"100%", "100%"}, {"%4", "%4"},
        {"%zz", "%zz"},       {"%%41", "%A"},  {"%2541", "%41"}, {"a+b", "a+b"},
        {"%E9t%E9", "\uFFFDt\uFFFD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DecodeURLComponent(c.text), c.decoded);
    }

    // Encoded and literal line ends split alike once decoded.
    EXPECT_EQ(Split(DecodeURLComponent("1%09Ann%09ph01%0D%0A2\tBen\tph02"), "\r\n"),
              (std::vector<std::string>{"1\tAnn\tph01", "2\tBen\tph02"}));
}

}  // namespace
}  // namespace platform
