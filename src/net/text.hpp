// The text type of the program: bytes in code page 949, scanned with respect for two-byte characters.
#pragma once

#include <string>

namespace plimo {

// Every page, literal, file name and URL is such a byte string. Positions and counts are bytes.
using Text = std::string;

// First match of pattern at or after start, never starting on the second byte of a two-byte
// character (boundaries are counted from start); -1 when there is none. The text and the
// pattern both end at their first NUL byte, as C strings do.
int Find(const Text& text, const Text& pattern, int start = 0);

// Replaces every match, left to right; the inserted text is never searched again.
// Returns the number of replacements.
int Replace(Text& text, const Text& oldPattern, const Text& newText);

// Cuts by bytes and never fails: negative positions and counts are clamped, pieces end at the text's end.
Text Mid(const Text& text, int first);
Text Mid(const Text& text, int first, int count);
Text Left(const Text& text, int count);
Text Right(const Text& text, int count);

// Leading white space, an optional sign, then decimal digits up to the first other byte; no digits give 0.
int ReadNumber(const Text& text);

// printf-style formatting of a format held as Text (the Korean formats come from the literal table).
Text FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

namespace detail {
inline const char* FormatArgument(const Text& text) { return text.c_str(); }
template <class T>
T FormatArgument(T value) {
  return value;
}
Text FormatUnchecked(const char* format, ...);
}  // namespace detail

// Format with a format Text; Text arguments stand for "%s".
template <class... Arguments>
Text Format(const Text& format, const Arguments&... arguments) {
  return detail::FormatUnchecked(format.c_str(), detail::FormatArgument(arguments)...);
}

}  // namespace plimo
