#include "clock/PercentDecoding.h"

#include <string_view>

#include "platform/Text.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A decoded byte never takes more room than its "%hh", so the result is
// written over the text as it is read.
void DecodePercentsInPlace(std::string& text)
{
    std::size_t out = text.find('%');
    if (out == std::string::npos)
        return;
    for (std::size_t in = out; in < text.size();) {
        const int high = text[in] == '%' && in + 2 < text.size() ? HexValue(text[in + 1]) : -1;
        const int low = high >= 0 ? HexValue(text[in + 2]) : -1;
        if (low >= 0) {
            text[out++] = static_cast<char>(high * 16 + low);
            in += 3;
        } else {
            text[out++] = text[in++];
        }
    }
    text.resize(out);
    // Kept for the whole run: the room the "%hh" took is given back.
    text.shrink_to_fit();
}

bool Within(unsigned byte, unsigned low, unsigned high) { return byte >= low && byte <= high; }

// The length of the well-formed UTF-8 character at position (Unicode's table
// of well-formed byte sequences); 0 when none starts there.
std::size_t CharacterLength(std::string_view text, std::size_t position)
{
    const auto byte = [&](std::size_t i) {
        return position + i < text.size() ? static_cast<unsigned char>(text[position + i]) : 0u;
    };
    const unsigned lead = byte(0);
    if (lead < 0x80)
        return 1;
    if (Within(lead, 0xC2, 0xDF))
        return Within(byte(1), 0x80, 0xBF) ? 2 : 0;
    const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (Within(lead, 0xE0, 0xEF))
        return Within(byte(1), low, high) && Within(byte(2), 0x80, 0xBF) ? 3 : 0;
    if (Within(lead, 0xF0, 0xF4))
        return Within(byte(1), low, high) && Within(byte(2), 0x80, 0xBF) && Within(byte(3), 0x80, 0xBF) ? 4 : 0;
    return 0;
}

std::size_t FirstInvalidByte(std::string_view text, std::size_t from)
{
    for (std::size_t i = from; i < text.size();) {
        const std::size_t length = CharacterLength(text, i);
        if (length == 0)
            return i;
        i += length;
    }
    return std::string_view::npos;
}

bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

// Only the runs of non-ASCII bytes that hold an invalid one go through the
// toolkit's conversion: an ASCII byte always stands for itself and ends any
// character before it, so each run converts as it would in the whole text.
std::string WithInvalidBytesReplaced(std::string text)
{
    std::size_t invalid = FirstInvalidByte(text, 0);
    if (invalid == std::string::npos)
        return text;
    std::string repaired;
    repaired.reserve(text.size());
    std::size_t copied = 0;
    while (invalid != std::string::npos) {
        std::size_t start = invalid;
        while (start > copied && !IsAscii(text[start - 1]))
            --start;
        // A converted piece would lose a mark that begins it; marks are valid,
        // so they stay as they are.
        while (std::string_view(text).substr(start).starts_with(kByteOrderMark))
            start += kByteOrderMark.size();
        std::size_t end = invalid;
        while (end < text.size() && !IsAscii(text[end]))
            ++end;
        repaired.append(text, copied, start - copied);
        repaired += platform::ConvertEncodingToUTF8(std::string_view(text).substr(start, end - start));
        copied = end;
        invalid = FirstInvalidByte(text, end);
    }
    repaired.append(text, copied);
    return repaired;
}

}  // namespace

std::string PercentDecoded(std::string text)
{
    DecodePercentsInPlace(text);
    // The toolkit's conversion drops the byte order mark that begins a text,
    // and only that one.
    if (text.starts_with(kByteOrderMark))
        text.erase(0, kByteOrderMark.size());
    return WithInvalidBytesReplaced(std::move(text));
}
