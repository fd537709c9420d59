#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Text.h"

// Lines of the lists and their TAB-separated fields, counted from 1. A line
// or field that is not there is the empty text.
inline const std::string& LineAt(const std::vector<std::string>& list, std::int64_t index)
{
    static const std::string empty;
    if (index < 0 || index >= static_cast<std::int64_t>(list.size()))
        return empty;
    return list[static_cast<std::size_t>(index)];
}

inline std::string Field(std::string_view line, std::int64_t n) { return platform::NthField(line, "\t", n); }
