#include "platform/Controls.h"

namespace platform {

Control::Control() = default;

Control::~Control() = default;

const PropertyTable& Control::Properties() const
{
    static const PropertyTable table{
        {"Name", Setter(PropertyType::String, &Control::SetName)},
        {"Index", Setter(PropertyType::Int32, &Control::SetIndex)},
    };
    return table;
}

void Control::AttachTo(Window& owner)
{
    owner_ = &owner;
}

}  // namespace platform
