// Conversion between UTF-8 (our sources, the file system, the terminal) and code page 949 (everything else).
#pragma once

#include <optional>
#include <string>

#include "net/text.hpp"

namespace plimo {

// Nothing when the text holds a character that code page 949 cannot hold, or is not valid UTF-8.
std::optional<Text> Utf8ToCp949(const std::string& utf8);

// Nothing when the bytes are not valid code page 949.
std::optional<std::string> Cp949ToUtf8(const Text& cp949);

// Like Cp949ToUtf8, but an invalid byte becomes U+FFFD, for showing page text to a person.
std::string Cp949ToUtf8Lossy(const Text& cp949);

// A UTF-8 literal of our sources as code page 949, converted once and kept. A literal that cannot be
// converted is a fault of the program, not of its input, and ends it.
const Text& Cp949(const char* utf8Literal);

}  // namespace plimo
