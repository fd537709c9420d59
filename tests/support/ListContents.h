#pragma once

#include <string>
#include <vector>

#include "clock/ListText.h"

// Every line of a list, to compare it whole.
inline std::vector<std::string> LinesOf(const ListText& list)
{
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < list.size(); ++i)
        lines.emplace_back(list.LineAt(static_cast<std::int64_t>(i)));
    return lines;
}
