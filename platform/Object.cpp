#include "platform/Object.h"

#include <algorithm>
#include <string_view>

#include "platform/Runtime.h"

namespace platform {
namespace {

// Reads one stream front to back; every read checks that its bytes are there.
class StreamReader {
public:
    explicit StreamReader(StreamBytes bytes) : rest_(bytes) {}

    bool AtEnd() const { return rest_.empty(); }

    std::string_view Name()
    {
        const auto space = std::ranges::find(rest_, ' ');
        if (space == rest_.end())
            throw RuntimeException("property stream ends inside a property name");
        const std::string_view name = Text(Take(static_cast<std::size_t>(space - rest_.begin())));
        Take(1);
        return name;
    }

    PropertyValue Value(PropertyType type)
    {
        switch (type) {
        case PropertyType::Int32: return static_cast<std::int32_t>(Unsigned32());
        case PropertyType::Boolean: return Take(1)[0] != 0;
        case PropertyType::String: return std::string(Text(Take(Unsigned32())));
        case PropertyType::Color: {
            const StreamBytes rgb = Take(3);
            return Color{rgb[0], rgb[1], rgb[2]};
        }
        }
        throw RuntimeException("property of an unknown type");
    }

private:
    StreamBytes Take(std::size_t count)
    {
        if (count > rest_.size())
            throw RuntimeException("property stream ends inside a value");
        const StreamBytes taken = rest_.first(count);
        rest_ = rest_.subspan(count);
        return taken;
    }

    std::uint32_t Unsigned32()
    {
        std::uint32_t value = 0;
        for (std::uint8_t byte : Take(4))
            value = value << 8 | byte;
        return value;
    }

    static std::string_view Text(StreamBytes bytes)
    {
        return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
    }

    StreamBytes rest_;
};

}  // namespace

void SetProperties(Object& object, StreamBytes stream)
{
    const PropertyTable& table = object.Properties();
    StreamReader reader(stream);
    while (!reader.AtEnd()) {
        const std::string_view name = reader.Name();
        const auto found = table.find(name);
        if (found == table.end())
            throw RuntimeException("no property named \"" + std::string(name) + "\"");
        found->second.set(object, reader.Value(found->second.type));
    }
}

}  // namespace platform
