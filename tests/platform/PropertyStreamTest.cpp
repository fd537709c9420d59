#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QTimer>

#include "platform/Date.h"
#include "platform/PropertyStream.h"
#include "platform/QtAccess.h"
#include "platform/Runtime.h"
#include "platform/Timer.h"
#include "tests/support/TestClock.h"

namespace {

using platform::Color;
using platform::PropertyType;
using platform::PropertyValue;
using platform::Record;
using Bytes = std::vector<std::uint8_t>;

// An object with one property of each type that logs every assignment.
class LoggingObject : public platform::Object {
public:
    const platform::PropertyTable& Properties() const override
    {
        static const platform::PropertyTable table{
            {"Count", Logger("Count", PropertyType::Int32)},
            {"Flag", Logger("Flag", PropertyType::Boolean)},
            {"Label", Logger("Label", PropertyType::String)},
            {"Tint", Logger("Tint", PropertyType::Color)},
        };
        return table;
    }

    std::vector<std::pair<std::string, PropertyValue>> log;

private:
    static platform::PropertyDef Logger(std::string name, PropertyType type)
    {
        return {type, [name](platform::Object& o, const PropertyValue& v) {
                    static_cast<LoggingObject&>(o).log.emplace_back(name, v);
                }};
    }
};

Bytes Text(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(SetProperties, DecodesEachTypeByItsDeclaredSize)
{
    struct Case {
        const char* what;
        Bytes stream;
        std::vector<std::pair<std::string, PropertyValue>> expected;
    };
    const std::string longText(300, 'x');
    const Bytes longCount{0, 0, 0x01, 0x2C};
    const std::vector<Case> cases{
        {"zero bytes inside values do not end the stream",
         Concat({Text("Count "), {0, 0, 0, 0}, Text("Flag "), {0}, Text("Label "), {0, 0, 0, 0}, Text("Count "),
                 {0, 0, 0, 7}}),
         {{"Count", 0}, {"Flag", false}, {"Label", std::string()}, {"Count", 7}}},
        {"Int32 is big-endian two's complement",
         Concat({Text("Count "), {0xFF, 0xFF, 0xFF, 0xFE}, Text("Count "), {0x80, 0, 0, 0}, Text("Count "),
                 {0x7F, 0xFF, 0xFF, 0xFF}}),
         {{"Count", -2}, {"Count", INT32_MIN}, {"Count", INT32_MAX}}},
        {"a multi-byte UTF-8 text is read by its byte count",
         Concat({Text("Label "), {0, 0, 0, 15}, Text("キャンセル"), Text("Flag "), {1}}),
         {{"Label", std::string("キャンセル")}, {"Flag", true}}},
        {"colors are red, green, blue",
         Concat({Text("Tint "), {0x00, 0x13, 0xFF}}), {{"Tint", Color{0x00, 0x13, 0xFF}}}},
        {"texts and streams are not limited to 255 bytes",
         Concat({Text("Label "), longCount, Text(longText), Text("Count "), {0, 0, 0, 1}}),
         {{"Label", longText}, {"Count", 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoggingObject object;
        platform::SetProperties(object, c.stream);
        EXPECT_EQ(object.log, c.expected);
    }
}

TEST(SetProperties, MalformedStreamsRaiseAfterApplyingTheRecordsBefore)
{
    const Bytes good = Concat({Text("Count "), {0, 0, 0, 9}});
    const std::vector<std::pair<const char*, Bytes>> cases{
        {"unknown name", Concat({good, Text("Width "), {0, 0, 0, 1}})},
        {"name without its space", Concat({good, Text("Count")})},
        {"Int32 cut short", Concat({good, Text("Count "), {0, 0, 1}})},
        {"text shorter than its count", Concat({good, Text("Label "), {0, 0, 0, 5}, Text("abcd")})},
        {"count of four gigabytes", Concat({good, Text("Label "), {0xFF, 0xFF, 0xFF, 0xFF}, Text("abc")})},
        {"count cut short", Concat({good, Text("Label "), {0, 0}})},
    };
    for (const auto& [what, stream] : cases) {
        SCOPED_TRACE(what);
        LoggingObject object;
        EXPECT_THROW(platform::SetProperties(object, stream), platform::RuntimeException);
        ASSERT_EQ(object.log.size(), 1u);
        EXPECT_EQ(object.log[0].second, PropertyValue(9));
    }
}

TEST(SetProperties, TimerTakesBaseAndOwnProperties)
{
    constexpr auto stream = platform::BuildStream([] {
        return std::array{Record::String("Name", "mainTimer"), Record::Int32("Index", platform::kNoControlArrayIndex),
                          Record::Int32("Mode", 2), Record::Int32("Period", 500)};
    });
    // 100 ms past a second: Mode 2 arms the timer for the next multiple of
    // its Period.
    auto clock = std::make_shared<TestClock>();
    clock->now.millisecond = 100;
    platform::SetClock(clock);
    platform::Timer timer;
    platform::SetProperties(timer, stream);
    platform::SetClock(nullptr);
    EXPECT_EQ(timer.Name(), "mainTimer");
    EXPECT_EQ(timer.Index(), INT32_MIN);
    EXPECT_TRUE(platform::QtTimerOf(timer).isActive());
    EXPECT_EQ(platform::QtTimerOf(timer).interval(), 400);

    constexpr auto member = platform::BuildStream([] { return std::array{Record::Int32("Index", 0)}; });
    platform::SetProperties(timer, member);
    EXPECT_EQ(timer.Index(), 0);

    constexpr auto off = platform::BuildStream([] { return std::array{Record::Int32("Mode", 0)}; });
    platform::SetProperties(timer, off);
    EXPECT_FALSE(platform::QtTimerOf(timer).isActive());

    constexpr auto windowOnly = platform::BuildStream([] { return std::array{Record::Int32("Width", 1)}; });
    EXPECT_THROW(platform::SetProperties(timer, windowOnly), platform::RuntimeException);
}

}  // namespace
