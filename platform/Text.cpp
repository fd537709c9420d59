#include "platform/Text.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

#include <QString>

namespace platform {

namespace {

bool IsContinuationByte(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

std::size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF7)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// The end of the character starting at position. Broken sequences end early,
// so every byte belongs to exactly one character and counts stay consistent
// for text that is not valid UTF-8.
std::size_t CharacterEnd(std::string_view text, std::size_t position)
{
    const std::size_t length = SequenceLength(static_cast<unsigned char>(text[position]));
    std::size_t end = position + 1;
    while (end < text.size() && end < position + length &&
           IsContinuationByte(static_cast<unsigned char>(text[end]))) {
        ++end;
    }
    return end;
}

// The byte offset after the first count characters (the size when shorter).
std::size_t OffsetOfCharacter(std::string_view text, std::int64_t count)
{
    std::size_t position = 0;
    for (std::int64_t i = 0; i < count && position < text.size(); ++i)
        position = CharacterEnd(text, position);
    return position;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

String Left(std::string_view text, std::int64_t count)
{
    if (count <= 0)
        return {};
    return String(text.substr(0, OffsetOfCharacter(text, count)));
}

String Right(std::string_view text, std::int64_t count)
{
    if (count <= 0)
        return {};
    const std::int64_t skipped = Len(text) - count;
    if (skipped <= 0)
        return String(text);
    return String(text.substr(OffsetOfCharacter(text, skipped)));
}

std::int64_t Len(std::string_view text)
{
    std::int64_t count = 0;
    for (std::size_t position = 0; position < text.size(); position = CharacterEnd(text, position))
        ++count;
    return count;
}

String NthField(std::string_view text, std::string_view separator, std::int64_t n)
{
    if (n < 1)
        return {};
    if (separator.empty())
        return n == 1 ? String(text) : String();
    std::size_t start = 0;
    for (std::int64_t field = 1; field < n; ++field) {
        const std::size_t found = text.find(separator, start);
        if (found == std::string_view::npos)
            return {};
        start = found + separator.size();
    }
    const std::size_t end = text.find(separator, start);
    return String(text.substr(start, end == std::string_view::npos ? text.npos : end - start));
}

std::vector<String> Split(std::string_view text, std::string_view separator)
{
    if (separator.empty())
        return {String(text)};
    std::vector<String> pieces;
    std::size_t start = 0;
    for (std::size_t found = text.find(separator); found != std::string_view::npos;
         found = text.find(separator, start)) {
        pieces.emplace_back(text.substr(start, found - start));
        start = found + separator.size();
    }
    pieces.emplace_back(text.substr(start));
    return pieces;
}

// strtod reads the longest number at the start, but also "inf", "nan" and
// hexadecimal, which are no decimal numbers: those read as 0. It runs in the C
// locale: the toolkit sets the locale from the environment, where the decimal
// point may be a comma. Out of range gives an infinity or 0.
double Val(std::string_view text)
{
    const std::size_t start = std::min(text.find_first_not_of(" \t"), text.size());
    const std::string number(text.substr(start));
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
    const double rounded = std::round(value);
    if (rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(rounded);
}

String Str(std::int32_t value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return String(buffer, result.ptr);
}

String ChrB(std::uint8_t n)
{
    return String(1, static_cast<char>(n));
}

// Qt replaces each byte that starts no valid sequence with U+FFFD, so one
// bad byte never changes how the rest of the text reads.
String ConvertEncodingToUTF8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

String DecodeURLComponent(std::string_view text)
{
    String decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned byte = 0;
        const char* hex = text.data() + i + 1;
        if (text[i] == '%' && i + 2 < text.size() && std::from_chars(hex, hex + 2, byte, 16).ptr == hex + 2) {
            decoded += static_cast<char>(byte);
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return ConvertEncodingToUTF8(decoded);
}

}  // namespace platform
