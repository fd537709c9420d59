#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/PropertyStream.h"

// The records of the dialog's control streams, one builder per control class,
// each giving its class's records in the order the property setter expects.
// Every control of the dialog shares the same locks, font and flags.
namespace preflayout {

using platform::Record;

inline constexpr std::string_view kTextFont = "Lucida Grande";

// Where a control sits and how the window knows it.
struct Place {
    std::string_view name;
    std::int32_t index = platform::kNoControlArrayIndex;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t tabIndex = 0;
};

template <std::size_t... N>
constexpr std::array<Record, (N + ...)> Joined(const std::array<Record, N>&... parts)
{
    std::array<Record, (N + ...)> all{};
    std::size_t at = 0;
    ((std::ranges::copy(parts, all.begin() + at), at += N), ...);
    return all;
}

// The twelve records every control class begins with.
constexpr std::array<Record, 12> Placed(const Place& p)
{
    return {
        Record::String("Name", p.name),
        Record::Int32("Index", p.index),
        Record::Int32("Left", p.left),
        Record::Int32("Top", p.top),
        Record::Int32("Width", p.width),
        Record::Int32("Height", p.height),
        Record::Boolean("LockLeft", true),
        Record::Boolean("LockTop", true),
        Record::Boolean("LockRight", false),
        Record::Boolean("LockBottom", false),
        Record::Int32("TabPanelIndex", 0),
        Record::Int32("TabIndex", p.tabIndex),
    };
}

// The runs that several control classes share, each in the order it takes.
constexpr std::array<Record, 2> Help()
{
    return {Record::String("HelpTag", ""), Record::Boolean("AutoDeactivate", true)};
}

constexpr std::array<Record, 4> Font()
{
    return {Record::String("TextFont", kTextFont), Record::Boolean("Bold", false), Record::Boolean("Italic", false),
            Record::Boolean("Underline", false)};
}

constexpr std::array<Record, 3> Binding()
{
    return {Record::String("DataSource", ""), Record::String("DataField", ""), Record::String("InitialParent", "")};
}

constexpr std::array<Record, 26> PopupMenuRecords(const Place& p, std::string_view rows)
{
    return Joined(Placed(p),
                  std::array{Record::Boolean("TabStop", true), Record::Boolean("Enabled", true),
                             Record::String("InitialValue", rows), Record::Int32("ListIndex", 0),
                             Record::Boolean("Visible", true)},
                  Help(), Font(), Binding());
}

constexpr std::array<Record, 29> LabelRecords(const Place& p, std::string_view text)
{
    return Joined(Placed(p),
                  std::array{Record::String("Text", text), Record::Int32("TextAlign", 0),
                             Record::ColorValue("TextColor", {0x00, 0x00, 0x00}), Record::Boolean("Multiline", false),
                             Record::Boolean("Enabled", true), Record::Boolean("Visible", true),
                             Record::Boolean("Selectable", false), Record::Boolean("Transparent", false)},
                  Help(), Font(), Binding());
}

// Every check box starts cleared.
constexpr std::array<Record, 27> CheckBoxRecords(const Place& p, std::string_view caption)
{
    return Joined(Placed(p),
                  std::array{Record::Boolean("TabStop", true), Record::String("Caption", caption),
                             Record::Boolean("Enabled", true), Record::Boolean("Visible", true)},
                  Help(), Font(), std::array{Record::Int32("State", 0), Record::Boolean("Value", false)}, Binding());
}

struct ButtonRole {
    bool isDefault = false;
    bool isCancel = false;
};

constexpr std::array<Record, 26> PushButtonRecords(const Place& p, std::string_view caption, ButtonRole role)
{
    return Joined(Placed(p),
                  std::array{Record::Boolean("TabStop", true), Record::String("Caption", caption),
                             Record::Boolean("Default", role.isDefault), Record::Boolean("Cancel", role.isCancel),
                             Record::Boolean("Enabled", true), Record::Boolean("Visible", true)},
                  Help(), std::array{Record::Int32("ButtonStyle", 0)}, Font(),
                  std::array{Record::String("InitialParent", "")});
}

// Image wells and separators take the same records.
constexpr std::array<Record, 18> PlainControlRecords(const Place& p)
{
    return Joined(Placed(p),
                  std::array{Record::Boolean("TabStop", true), Record::String("InitialParent", ""),
                             Record::Boolean("Visible", true)},
                  Help(), std::array{Record::Boolean("Enabled", true)});
}

// "00" CR "01" ... up to Count - 1, two digits each, no CR after the last.
template <int Count>
constexpr std::array<char, Count * 3 - 1> NumberRows()
{
    std::array<char, Count * 3 - 1> text{};
    std::size_t at = 0;
    for (int n = 0; n < Count; ++n) {
        if (n > 0)
            text[at++] = '\r';
        text[at++] = static_cast<char>('0' + n / 10);
        text[at++] = static_cast<char>('0' + n % 10);
    }
    return text;
}

template <std::size_t N>
constexpr std::string_view TextOf(const std::array<char, N>& chars)
{
    return {chars.data(), chars.size()};
}

}  // namespace preflayout
