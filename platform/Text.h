#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Text functions. Texts are UTF-8 byte strings; Left, Right and Len count
// characters (code points), never bytes, so Japanese text is never cut inside
// a character. Every function is total: a count or a field past the end
// gives what is there, down to the empty text.
namespace platform {

using String = std::string;

String Left(std::string_view text, std::int64_t count);
String Right(std::string_view text, std::int64_t count);
std::int64_t Len(std::string_view text);

// Field n (counted from 1) of text split at separator; empty past the last.
String NthField(std::string_view text, std::string_view separator, std::int64_t n);

// n separators give n + 1 pieces; an empty separator gives the text whole.
std::vector<String> Split(std::string_view text, std::string_view separator);

// The leading decimal number of the text (after blanks, with sign, point and
// exponent); 0 when the text holds none. "07" is 7.
double Val(std::string_view text);

// Rounds to the nearest integer, halves away from zero, clamped to Int32.
std::int32_t CInt32(double value);

String Str(std::int32_t value);

// The one-byte text of byte value n.
String ChrB(std::uint8_t n);

// Valid UTF-8 stays as it is; each byte that is not part of a valid
// sequence becomes U+FFFD, so the result is always valid UTF-8.
String ConvertEncodingToUTF8(std::string_view text);

// Percent-decoding of a URL component into UTF-8: "%hh" becomes the byte hh;
// a "%" without two hex digits stays as it is; the result then goes through
// ConvertEncodingToUTF8.
String DecodeURLComponent(std::string_view text);

}  // namespace platform
