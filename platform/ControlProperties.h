#pragma once

#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/ControlWidgets.h"
#include "platform/Controls.h"
#include "platform/Object.h"

// Inside the platform layer only: building the controls' property tables.
namespace platform::controls {

template <class V>
constexpr PropertyType TypeOf()
{
    if constexpr (std::is_same_v<V, std::int32_t>)
        return PropertyType::Int32;
    else if constexpr (std::is_same_v<V, bool>)
        return PropertyType::Boolean;
    else if constexpr (std::is_same_v<V, std::string>)
        return PropertyType::String;
    else
        return PropertyType::Color;
}

// A property whose setter is no public method: apply(control, value).
template <class C, class V, class Apply>
PropertyDef Applied(Apply apply)
{
    return {TypeOf<V>(), [apply](Object& o, const PropertyValue& v) {
                apply(static_cast<C&>(o), std::get<V>(v));
            }};
}

// A property the toolkit has no use for: its value is kept as given.
inline PropertyDef Kept(PropertyType type, const std::string& name)
{
    return {type, [name](Object& o, const PropertyValue& v) {
                static_cast<RectControl&>(o).impl().Keep(name, v);
            }};
}

using Entries = std::initializer_list<std::pair<const std::string, PropertyDef>>;

// The base class's table with more entries.
inline PropertyTable Extended(const PropertyTable& base, Entries more)
{
    PropertyTable table = base;
    for (const auto& [name, def] : more)
        table.insert_or_assign(name, def);
    return table;
}

template <class I>
I& ImplOf(const RectControl& control)
{
    return static_cast<I&>(control.impl());
}

}  // namespace platform::controls
