#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

#include "platform/PropertyStream.h"
#include "platform/Runtime.h"

namespace platform {

using PropertyValue = std::variant<std::int32_t, bool, std::string, Color>;

class Object;

// A class's declared properties by exact name, its base classes' included:
// the declared type says how a stream encodes the value, the setter applies
// it with the same effect as an assignment.
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

// A property set through a member function; on an object of another class
// it raises a RuntimeException.
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
