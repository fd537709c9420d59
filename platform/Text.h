#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text functions on UTF-8 byte strings. Left and Right count characters, never
// bytes, so Japanese text is never cut inside a character. Every function is
// total: a count or a field past the end gives what is there, down to "".
namespace platform {

using String = std::string;

String Left(std::string_view text, std::int64_t count);
String Right(std::string_view text, std::int64_t count);

// Field n (counted from 1) of text split at separator; empty past the last.
String NthField(std::string_view text, std::string_view separator, std::int64_t n);

// The leading decimal number of the text (after blanks, with sign, point and
// exponent); 0 when the text holds none. "07" is 7.
double Val(std::string_view text);

// Rounds to the nearest integer, halves away from zero, clamped to Int32.
std::int32_t CInt32(double value);

String Str(std::int32_t value);

// Each byte that is not part of a valid UTF-8 sequence becomes U+FFFD.
String ConvertEncodingToUTF8(std::string_view text);

}  // namespace platform
