#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "clock/PercentDecoding.h"
#include "platform/Text.h"

namespace {

const std::string kBad = "\uFFFD";

TEST(PercentDecoding, PercentBytesThenInvalidBytesReplaced)
{
    struct Case {
        std::string text;
        std::string decoded;
    };
    const std::vector<Case> cases = {
        {"%E3%83%B4%E3%82%A7", "ヴェ"},
        {"100%", "100%"},
        {"%4", "%4"},
        {"%zz", "%zz"},
        {"%2541", "%41"},
        {"a+b", "a+b"},
        {"%E9t%E9", kBad + "t" + kBad},
        {"%0D%0A%09", "\r\n\t"},
        {"%%41", "%A"},
        {"%4g%41", "%4gA"},
        {"%e6%98%a5", "春"},
        // Truncated, overlong, surrogate and past U+10FFFF forms are not UTF-8.
        {"%E3%83z", kBad + kBad + "z"},
        {"\xC0\xAF", kBad + kBad},
        {"%ED%A0%80", kBad + kBad + kBad},
        {"\xF4\x90\x80\x80", kBad + kBad + kBad + kBad},
        {"春\xFF夏", "春" + kBad + "夏"},
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        // Only a byte order mark that begins the text is dropped.
        {"%EF%BB%BF1%092", "1\t2"},
        {"\xEF\xBB\xBF\xEF\xBB\xBF\xFF", "\xEF\xBB\xBF" + kBad},
        {"a\xEF\xBB\xBF\xFF", "a\xEF\xBB\xBF" + kBad},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(PercentDecoded(c.text), c.decoded);
    }
}

// The simple definition: each "%hh" copied out as its byte, the whole result
// through the toolkit's conversion.
std::string DecodedTheSimpleWay(const std::string& text)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string hex = text.substr(i + 1, 2);
        if (text[i] == '%' && hex.size() == 2 && hex.find_first_not_of("0123456789abcdefABCDEF") == hex.npos) {
            decoded += static_cast<char>(std::stoi(hex, nullptr, 16));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return platform::ConvertEncodingToUTF8(decoded);
}

// Lines of valid and broken characters, literal and percent-encoded.
TEST(PercentDecoding, SameAsDecodingTheSimpleWay)
{
    static const std::vector<std::string> kPieces = {
        "%", "%E6", "%98", "%A5", "%0D%0A", "%09", "\r\n", "\t", "a", "春", "\xE6", "\x98", "\xA5", "\xFF", "%FF",
        "\xEF\xBB\xBF", "%F0%9F%98%80", "\xF4\x8F\xBF\xBF", "\xED\xA0\x80", "\xC2", "%C2%A9", "%4", "%G1", "%00"};
    std::mt19937 random(71);
    std::uniform_int_distribution<std::size_t> pick(0, kPieces.size() - 1);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int i = 0; i < 40; ++i)
            text += kPieces[pick(random)];
        SCOPED_TRACE(text);
        ASSERT_EQ(PercentDecoded(text), DecodedTheSimpleWay(text));
    }
}

}  // namespace
