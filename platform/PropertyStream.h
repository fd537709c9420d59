#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "platform/Runtime.h"

// Layout property streams: records of a property name, a space and the value,
// back to back with no header or terminator. The property's declared type
// gives the encoding: Int32 4 bytes big-endian, Boolean 1 byte, Color 3 bytes
// (red, green, blue), String a 4-byte big-endian count and the UTF-8 bytes.
namespace platform {

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(const Color&, const Color&) = default;
};

enum class PropertyType { Int32, Boolean, String, Color };

using StreamBytes = std::span<const std::uint8_t>;

// The Index that marks a control outside any control array.
inline constexpr std::int32_t kNoControlArrayIndex = INT32_MIN;

// One record; number holds an Int32, a Boolean or a Color as 0xRRGGBB.
struct Record {
    std::string_view name;
    PropertyType type = PropertyType::Int32;
    std::uint32_t number = 0;
    std::string_view string{};

    static constexpr Record Int32(std::string_view n, std::int32_t v)
    {
        return {n, PropertyType::Int32, static_cast<std::uint32_t>(v)};
    }
    static constexpr Record Boolean(std::string_view n, bool v) { return {n, PropertyType::Boolean, v}; }
    static constexpr Record ColorValue(std::string_view n, Color v)
    {
        return {n, PropertyType::Color, std::uint32_t{v.red} << 16 | std::uint32_t{v.green} << 8 | v.blue};
    }
    static constexpr Record String(std::string_view n, std::string_view v)
    {
        return {n, PropertyType::String, 0, v};
    }
};

constexpr std::vector<std::uint8_t> Encode(std::span<const Record> records)
{
    std::vector<std::uint8_t> out;
    const auto put = [&out](std::uint32_t value, int bytes) {
        for (int at = bytes - 1; at >= 0; --at)
            out.push_back(static_cast<std::uint8_t>(value >> 8 * at));
    };
    for (const Record& r : records) {
        out.insert(out.end(), r.name.begin(), r.name.end());
        out.push_back(' ');
        switch (r.type) {
        case PropertyType::Int32: put(r.number, 4); break;
        case PropertyType::Boolean: put(r.number, 1); break;
        case PropertyType::Color: put(r.number, 3); break;
        case PropertyType::String:
            put(static_cast<std::uint32_t>(r.string.size()), 4);
            out.insert(out.end(), r.string.begin(), r.string.end());
            break;
        }
    }
    return out;
}

// A stream built at compile time: BuildStream([] { return std::array{Record::Int32("Mode", 2)}; }).
template <class MakeRecords>
consteval auto BuildStream(MakeRecords)
{
    constexpr auto records = MakeRecords{}();
    std::array<std::uint8_t, Encode(records).size()> stream{};
    std::ranges::copy(Encode(records), stream.begin());
    return stream;
}

using PropertyValue = std::variant<std::int32_t, bool, std::string, Color>;

class Object;

// A class's declared properties by exact name, its base classes' included;
// the setter has the effect of an assignment.
struct PropertyDef {
    PropertyType type;
    std::function<void(Object&, const PropertyValue&)> set;
};
using PropertyTable = std::map<std::string, PropertyDef, std::less<>>;

// Base of every window and control that takes a property stream.
class Object {
public:
    virtual ~Object() = default;
    virtual const PropertyTable& Properties() const = 0;
};

// Applies every record of the stream to the object, in stream order. A name
// the class does not declare, or a stream that ends inside a record, raises a
// RuntimeException after the records before it were applied.
void SetProperties(Object& object, StreamBytes stream);

// A property the program never acts on: its value is read and dropped.
inline PropertyDef Ignored(PropertyType type)
{
    return {type, [](Object&, const PropertyValue&) {}};
}

// A base class's table with more entries.
inline PropertyTable Extended(PropertyTable table,
                              std::initializer_list<std::pair<const std::string, PropertyDef>> more)
{
    table.insert(more);
    return table;
}

// Set through a member function; on an object of another class it raises.
template <class T, class V>
PropertyDef Setter(PropertyType type, void (T::*set)(V))
{
    return {type, [set](Object& o, const PropertyValue& v) {
                auto* target = dynamic_cast<T*>(&o);
                if (!target)
                    throw RuntimeException("no such property on this class");
                (target->*set)(std::get<std::remove_cvref_t<V>>(v));
            }};
}

}  // namespace platform
