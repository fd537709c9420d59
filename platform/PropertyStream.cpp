#include "platform/PropertyStream.h"

#include <algorithm>
#include <string_view>

namespace platform {

void SetProperties(Object& object, StreamBytes stream)
{
    const PropertyTable& table = object.Properties();
    // Every read checks that its bytes are there.
    const auto take = [&stream](std::size_t count) {
        if (count > stream.size())
            throw RuntimeException("property stream ends inside a record");
        const StreamBytes taken = stream.first(count);
        stream = stream.subspan(count);
        return taken;
    };
    const auto unsigned32 = [&take] {
        std::uint32_t value = 0;
        for (std::uint8_t byte : take(4))
            value = value << 8 | byte;
        return value;
    };
    const auto text = [](StreamBytes bytes) {
        return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    };
    while (!stream.empty()) {
        const std::string_view name = text(take(std::ranges::find(stream, ' ') - stream.begin()));
        take(1);  // the space
        const auto found = table.find(name);
        if (found == table.end())
            throw RuntimeException("no property named \"" + std::string(name) + "\"");
        PropertyValue value;
        switch (found->second.type) {
        case PropertyType::Int32: value = static_cast<std::int32_t>(unsigned32()); break;
        case PropertyType::Boolean: value = take(1)[0] != 0; break;
        case PropertyType::String: value = std::string(text(take(unsigned32()))); break;
        case PropertyType::Color: {
            const StreamBytes rgb = take(3);
            value = Color{rgb[0], rgb[1], rgb[2]};
            break;
        }
        }
        found->second.set(object, value);
    }
}

}  // namespace platform
