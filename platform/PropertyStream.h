#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// Layout property streams: records of a property name, a space and the value,
// laid back to back with no header and no terminator. The value's encoding
// comes from the declared type of the property on the target class: Int32 is
// 4 bytes big-endian, Boolean 1 byte, Color 3 bytes (red, green, blue), and
// String a 4-byte big-endian byte count and that many UTF-8 bytes.
//
// Streams are built at compile time from typed records:
//   constexpr auto kTimerStream = platform::BuildStream([] {
//       return std::array{platform::Record::Int32("Mode", 2),
//                         platform::Record::Int32("Period", 500)};
//   });
namespace platform {

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(const Color&, const Color&) = default;
};

enum class PropertyType { Int32, Boolean, String, Color };

using StreamBytes = std::span<const std::uint8_t>;

struct Record {
    std::string_view name;
    PropertyType type = PropertyType::Int32;
    std::int32_t int32 = 0;
    bool boolean = false;
    Color color{};
    std::string_view string{};

    static constexpr Record Int32(std::string_view n, std::int32_t v) { return {n, PropertyType::Int32, v}; }
    static constexpr Record Boolean(std::string_view n, bool v) { return {n, PropertyType::Boolean, 0, v}; }
    static constexpr Record ColorValue(std::string_view n, Color v) { return {n, PropertyType::Color, 0, false, v}; }
    static constexpr Record String(std::string_view n, std::string_view v)
    {
        return {n, PropertyType::String, 0, false, {}, v};
    }

    constexpr std::size_t EncodedSize() const
    {
        const std::size_t head = name.size() + 1;
        switch (type) {
        case PropertyType::Int32: return head + 4;
        case PropertyType::Boolean: return head + 1;
        case PropertyType::Color: return head + 3;
        case PropertyType::String: return head + 4 + string.size();
        }
        return head;
    }
};

// The Index that marks a control outside any control array.
inline constexpr std::int32_t kNoControlArrayIndex = INT32_MIN;

namespace detail {

template <std::size_t N>
constexpr std::size_t StreamSize(const std::array<Record, N>& records)
{
    std::size_t size = 0;
    for (const Record& r : records)
        size += r.EncodedSize();
    return size;
}

template <std::size_t Size, std::size_t N>
constexpr std::array<std::uint8_t, Size> Encode(const std::array<Record, N>& records)
{
    std::array<std::uint8_t, Size> out{};
    std::size_t at = 0;
    auto put32 = [&](std::uint32_t v) {
        out[at++] = static_cast<std::uint8_t>(v >> 24);
        out[at++] = static_cast<std::uint8_t>(v >> 16);
        out[at++] = static_cast<std::uint8_t>(v >> 8);
        out[at++] = static_cast<std::uint8_t>(v);
    };
    for (const Record& r : records) {
        for (char c : r.name)
            out[at++] = static_cast<std::uint8_t>(c);
        out[at++] = ' ';
        switch (r.type) {
        case PropertyType::Int32: put32(static_cast<std::uint32_t>(r.int32)); break;
        case PropertyType::Boolean: out[at++] = r.boolean ? 1 : 0; break;
        case PropertyType::Color:
            out[at++] = r.color.red;
            out[at++] = r.color.green;
            out[at++] = r.color.blue;
            break;
        case PropertyType::String:
            put32(static_cast<std::uint32_t>(r.string.size()));
            for (char c : r.string)
                out[at++] = static_cast<std::uint8_t>(c);
            break;
        }
    }
    return out;
}

}  // namespace detail

// MakeRecords is a captureless lambda returning a std::array<Record, N>.
template <class MakeRecords>
consteval auto BuildStream(MakeRecords)
{
    constexpr auto records = MakeRecords{}();
    return detail::Encode<detail::StreamSize(records)>(records);
}

}  // namespace platform
