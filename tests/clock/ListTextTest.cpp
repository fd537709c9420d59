#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "clock/ListLines.h"
#include "clock/ListText.h"
#include "tests/support/ListContents.h"

namespace {

using Lines = std::vector<std::string>;

// Lists of a few hundred lines built from pieces that meet at every
// boundary: CR, LF, CR LF, TABs at either end, empty lines and fields.
std::string RandomListText(std::mt19937& random, std::size_t pieces)
{
    static const std::vector<std::string> kPieces = {"\r", "\n", "\r\n", "\t", "\t\t", "0731", "12", "",
                                                     "春野", "face01.jpg", " ", "%0D%0A"};
    std::uniform_int_distribution<std::size_t> pick(0, kPieces.size() - 1);
    std::string text;
    for (std::size_t i = 0; i < pieces; ++i)
        text += kPieces[pick(random)];
    return text;
}

// The text split whole, each line split into fields.
void ExpectSameAsSplitting(const std::string& text, const std::string& separator)
{
    const ListText list(text, separator);
    const Lines expected = SplitWhole(text, separator);
    ASSERT_EQ(LinesOf(list), expected);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Lines fields = SplitWhole(expected[i], "\t");
        for (std::size_t n = 0; n <= fields.size() + 1; ++n) {
            const std::string field = n >= 1 && n <= fields.size() ? fields[n - 1] : "";
            ASSERT_EQ(FieldView(list.LineAt(static_cast<std::int64_t>(i)), static_cast<std::int64_t>(n)), field)
                << "line " << i << " field " << n;
        }
    }
    EXPECT_EQ(list.LineAt(static_cast<std::int64_t>(expected.size())), "");
    EXPECT_EQ(list.LineAt(-1), "");
}

TEST(ListText, LinesAndFieldsAreThoseOfTheTextSplitWhole)
{
    std::mt19937 random(20261207);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const std::string text = RandomListText(random, 600);
        ExpectSameAsSplitting(text, "\r");
        ExpectSameAsSplitting(text, "\r\n");
    }
}

TEST(ListText, EdgesOfTheText)
{
    for (const std::string text : {"", "\r", "\r\r", "a", "a\r", "\ra", "\r\n\r\n", "\n\r", "a\r\r\nb\r\n\r"}) {
        SCOPED_TRACE(text);
        ExpectSameAsSplitting(text, "\r");
        ExpectSameAsSplitting(text, "\r\n");
    }
    EXPECT_EQ(LinesOf(ListText("a\rb\r\nc", "\r\n")), (Lines{"a\rb", "c"}));
    EXPECT_EQ(LinesOf(ListText("\r\r", "\r")), (Lines{"", "", ""}));
    EXPECT_EQ(LinesOf(ListText()), Lines{""});
    EXPECT_EQ(LinesOf(ListText::EmptyLines(13)), Lines(13));
    EXPECT_EQ(ListText::EmptyLines(1441).size(), 1441u);
}

TEST(ListText, CopiesShareOneText)
{
    ListText list("0731\t1\r0732\t2", "\r");
    const ListText copy = list;
    EXPECT_EQ(copy.LineAt(1).data(), list.LineAt(1).data());
    list = ListText();
    EXPECT_EQ(copy.LineAt(1), "0732\t2");
}

TEST(ListText, FieldsOfALine)
{
    EXPECT_EQ(FieldView("0700\t3", 1), "0700");
    EXPECT_EQ(FieldView("0700\t3", 2), "3");
    EXPECT_EQ(FieldView("0700\t3", 3), "");
    EXPECT_EQ(FieldView("0700\t3", 0), "");
    EXPECT_EQ(FieldView("0700\t3", -1), "");
    EXPECT_EQ(FieldView("\t\t", 3), "");
    EXPECT_EQ(FieldView("a\t\tc\t", 3), "c");
    EXPECT_EQ(FieldView("a\t\tc\t", 4), "");
    EXPECT_EQ(FieldView("a\t\tc\t", 5), "");
    EXPECT_EQ(Field("a\tb", 2), "b");
}

}  // namespace
