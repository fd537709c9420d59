#include "platform/Object.h"

#include <string_view>

#include "platform/Runtime.h"

namespace platform {
namespace {

// Reads one stream front to back; every read checks that the bytes exist.
class StreamReader {
public:
    explicit StreamReader(StreamBytes bytes) : bytes_(bytes) {}

    bool AtEnd() const { return at_ == bytes_.size(); }

    std::string_view Name()
    {
        const std::size_t start = at_;
        while (at_ < bytes_.size() && bytes_[at_] != ' ')
            ++at_;
        if (at_ == bytes_.size())
            throw RuntimeException("property stream ends inside a property name");
        std::string_view name(reinterpret_cast<const char*>(bytes_.data()) + start, at_ - start);
        ++at_;  // the space
        return name;
    }

    PropertyValue Value(PropertyType type)
    {
        switch (type) {
        case PropertyType::Int32: return static_cast<std::int32_t>(Unsigned32());
        case PropertyType::Boolean: return Take(1)[0] != 0;
        case PropertyType::Color: {
            const StreamBytes rgb = Take(3);
            return Color{rgb[0], rgb[1], rgb[2]};
        }
        case PropertyType::String: {
            const StreamBytes text = Take(Unsigned32());
            return std::string(reinterpret_cast<const char*>(text.data()), text.size());
        }
        }
        throw RuntimeException("property of an unknown type");
    }

private:
    StreamBytes Take(std::size_t count)
    {
        if (count > bytes_.size() - at_)
            throw RuntimeException("property stream ends inside a value");
        const StreamBytes taken = bytes_.subspan(at_, count);
        at_ += count;
        return taken;
    }

    std::uint32_t Unsigned32()
    {
        const StreamBytes b = Take(4);
        return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) |
               std::uint32_t{b[3]};
    }

    StreamBytes bytes_;
    std::size_t at_ = 0;
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
