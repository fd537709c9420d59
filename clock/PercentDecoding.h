#pragma once

#include <string>

// "%hh" becomes the byte hh (a "%" without two hex digits stays); then each
// byte that is not part of valid UTF-8 becomes U+FFFD. Decoded in place: the
// text's own memory holds the result unless a byte needs replacing.
std::string PercentDecoded(std::string text);
