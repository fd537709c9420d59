#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Lines of the lists and their TAB-separated fields, counted from 1. A line
// or field that is not there is the empty text.

// Field n of the line, read in place.
inline std::string_view FieldView(std::string_view line, std::int64_t n)
{
    if (n < 1)
        return {};
    std::size_t start = 0;
    for (; n > 1; --n) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos)
            return {};
        start = tab + 1;
    }
    return line.substr(start, line.find('\t', start) - start);
}

inline std::string Field(std::string_view line, std::int64_t n) { return std::string(FieldView(line, n)); }

// Calls visit with each line of text split at separator (not empty): n
// separators give n + 1 lines.
template <typename Visit>
void ForEachLine(std::string_view text, std::string_view separator, Visit&& visit)
{
    std::size_t start = 0;
    for (std::size_t found = text.find(separator); found != std::string_view::npos;
         found = text.find(separator, start)) {
        visit(text.substr(start, found - start));
        start = found + separator.size();
    }
    visit(text.substr(start));
}
