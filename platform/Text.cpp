#include "platform/Text.h"

#include <charconv>
#include <algorithm>
#include <cmath>
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
    if (lead >= 0xF0 && lead <= 0xF7) {
        return 4;
    }
    if (lead >= 0xE0) {
        return 3;
    }
    if (lead >= 0xC0) {
        return 2;
    }
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
    for (std::int64_t i = 0; i < count && position < text.size(); ++i) {
        position = CharacterEnd(text, position);
    }
    return position;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t position)
{
    while (position < text.size() && IsDigit(text[position])) {
        ++position;
    }
    return position;
}

// The end of the number at the start of text ("-1.5e3"), 0 when none is
// there. The exponent only counts when digits follow it.
std::size_t NumberEnd(std::string_view text)
{
    std::size_t position = 0;
    if (position < text.size() && (text[0] == '+' || text[0] == '-')) {
        ++position;
    }
    const std::size_t integerEnd = SkipDigits(text, position);
    bool hasDigits = integerEnd > position;
    position = integerEnd;
    if (position < text.size() && text[position] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, position + 1);
        hasDigits = hasDigits || fractionEnd > position + 1;
        position = fractionEnd;
    }
    if (!hasDigits) {
        return 0;
    }
    if (position < text.size() && (text[position] == 'e' || text[position] == 'E')) {
        std::size_t exponent = position + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) {
            position = exponentEnd;
        }
    }
    return position;
}

// from_chars leaves the value alone when it is out of range: the number is
// then either too large (infinite) or too small (0). Which one follows from
// the position of its first significant digit.
double OutOfRangeValue(std::string_view number)
{
    const std::size_t exponentMark = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, exponentMark);
    std::int64_t exponent = 0;
    if (exponentMark != std::string_view::npos) {
        std::string_view digits = number.substr(exponentMark + 1);
        const bool negative = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '+' || negative)) {
            digits.remove_prefix(1);
        }
        // Saturates: any exponent this large is far out of range anyway.
        for (const char c : digits) {
            exponent = std::min<std::int64_t>(exponent * 10 + (c - '0'), 1'000'000'000);
        }
        exponent = negative ? -exponent : exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstSignificant = mantissa.find_first_of("123456789");
    if (firstSignificant == std::string_view::npos) {
        return 0.0;
    }
    const auto digitsBeforePoint = static_cast<std::int64_t>(point) - static_cast<std::int64_t>(firstSignificant);
    const std::int64_t magnitude = firstSignificant < point ? digitsBeforePoint : digitsBeforePoint + 1;
    return magnitude + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

}  // namespace

String Left(std::string_view text, std::int64_t count)
{
    if (count <= 0) {
        return {};
    }
    return String(text.substr(0, OffsetOfCharacter(text, count)));
}

String Right(std::string_view text, std::int64_t count)
{
    if (count <= 0) {
        return {};
    }
    const std::int64_t skipped = Len(text) - count;
    if (skipped <= 0) {
        return String(text);
    }
    return String(text.substr(OffsetOfCharacter(text, skipped)));
}

std::int64_t Len(std::string_view text)
{
    std::int64_t count = 0;
    for (std::size_t position = 0; position < text.size(); position = CharacterEnd(text, position)) {
        ++count;
    }
    return count;
}

String NthField(std::string_view text, std::string_view separator, std::int64_t n)
{
    if (n < 1) {
        return {};
    }
    if (separator.empty()) {
        return n == 1 ? String(text) : String();
    }
    std::size_t start = 0;
    for (std::int64_t field = 1; field < n; ++field) {
        const std::size_t found = text.find(separator, start);
        if (found == std::string_view::npos) {
            return {};
        }
        start = found + separator.size();
    }
    const std::size_t end = text.find(separator, start);
    return String(text.substr(start, end == std::string_view::npos ? text.npos : end - start));
}

std::vector<String> Split(std::string_view text, std::string_view separator)
{
    if (separator.empty()) {
        return {String(text)};
    }
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

double Val(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) {
        ++start;
    }
    std::string_view number = text.substr(start);
    number = number.substr(0, NumberEnd(number));
    if (number.empty()) {
        return 0.0;
    }
    // from_chars takes no sign here but, unlike strtod, ignores the C locale
    // that the toolkit sets from the environment.
    const bool negative = number.front() == '-';
    if (number.front() == '+' || negative) {
        number.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = OutOfRangeValue(number);
    }
    return negative ? -value : value;
}

std::int32_t CInt32(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    const double rounded = std::round(value);
    if (rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
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
        const int high = text[i] == '%' && i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
        if (low >= 0) {
            decoded += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return ConvertEncodingToUTF8(decoded);
}

}  // namespace platform
