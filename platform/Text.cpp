#include "platform/Text.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

#include <QString>

namespace platform {

namespace {

// A continuation byte belongs to the character before it unless that is
// ASCII: text that is not valid UTF-8 still splits somewhere consistent.
bool StartsCharacter(std::string_view text, std::size_t position)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    return (byte(position) & 0xC0) != 0x80 || position == 0 || byte(position - 1) < 0x80;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

String Left(std::string_view text, std::int64_t count)
{
    std::size_t end = 0;
    for (; count > 0 && end < text.size(); --count) {
        do
            ++end;
        while (end < text.size() && !StartsCharacter(text, end));
    }
    return String(text.substr(0, end));
}

String Right(std::string_view text, std::int64_t count)
{
    std::size_t start = text.size();
    for (; count > 0 && start > 0; --count) {
        do
            --start;
        while (!StartsCharacter(text, start));
    }
    return String(text.substr(start));
}

// Read in place: only the field asked for is copied.
String NthField(std::string_view text, std::string_view separator, std::int64_t n)
{
    if (n < 1 || (separator.empty() && n > 1))
        return String();
    std::size_t start = 0;
    for (; n > 1; --n) {
        const std::size_t found = text.find(separator, start);
        if (found == text.npos)
            return String();
        start = found + separator.size();
    }
    return String(text.substr(start, separator.empty() ? text.npos : text.find(separator, start) - start));
}

// strtod reads the longest number at the start, but also "inf", "nan" and
// hexadecimal, which are no decimal numbers: those read as 0. It runs in the C
// locale: the toolkit sets the locale from the environment, where the decimal
// point may be a comma.
double Val(std::string_view text)
{
    const std::string number(text.substr(std::min(text.find_first_not_of(" \t"), text.size())));
    const std::size_t first = !number.empty() && (number[0] == '+' || number[0] == '-') ? 1 : 0;
    const bool decimal = IsDigit(number[first]) || (number[first] == '.' && IsDigit(number[first + 1]));
    if (!decimal || number.compare(first, 2, "0x") == 0 || number.compare(first, 2, "0X") == 0)
        return 0.0;
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(number.c_str(), nullptr, cLocale);
}

std::int32_t CInt32(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(std::round(value), kMin, kMax));
}

String Str(std::int32_t value) { return std::to_string(value); }

// Qt replaces each byte that starts no valid sequence with U+FFFD, so one
// bad byte never changes how the rest of the text reads.
String ConvertEncodingToUTF8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

}  // namespace platform
