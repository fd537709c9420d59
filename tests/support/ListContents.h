#pragma once

#include <string>
#include <string_view>
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

// The simple definition that a list's lines are checked against: n
// separators give n + 1 pieces.
inline std::vector<std::string> SplitWhole(std::string_view text, std::string_view separator)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t found; (found = text.find(separator, start)) != text.npos; start = found + separator.size())
        pieces.emplace_back(text.substr(start, found - start));
    pieces.emplace_back(text.substr(start));
    return pieces;
}
