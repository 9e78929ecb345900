#include "net/text.hpp"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace plimo {
namespace {

bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

int ClampedLength(const Text& text) { return text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size()); }

int PatternLength(const Text& pattern) {
  const void* nul = std::memchr(pattern.data(), '\0', pattern.size());
  return nul ? static_cast<int>(static_cast<const char*>(nul) - pattern.data()) : ClampedLength(pattern);
}

Text VFormat(const char* format, va_list arguments) {
  va_list measure;
  va_copy(measure, arguments);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length <= 0) return {};
  Text result(static_cast<size_t>(length), '\0');
  std::vsnprintf(result.data(), result.size() + 1, format, arguments);
  return result;
}

// The search itself: the first match at or after start that starts a character and lies before
// the text's first NUL byte. No pattern holds a NUL byte, so a match lies wholly before or wholly
// after it, and only the bytes in front of the match found need looking at for one; a scan that
// calls Find again and again over a long page then reads the page once, not once per call.
int FindFrom(const Text& text, const Text& pattern, int patternLength, int start) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const int end = ClampedLength(text);
  const int lastCandidate = end - patternLength;

  // Whole matches are found by the C library's substring search, which skips over bytes that
  // cannot be part of a match; whether a match starts a character is told by the run of lead-range
  // bytes just before it, counted back no further than the last position known to start a
  // character, so those runs are walked once in all.
  int knownBoundary = start;
  int from = start;
  while (from <= lastCandidate) {
    const void* hit = ::memmem(bytes + from, static_cast<size_t>(end - from), pattern.data(),
                               static_cast<size_t>(patternLength));
    if (!hit) return -1;
    const int candidate = static_cast<int>(static_cast<const unsigned char*>(hit) - bytes);
    int runStart = candidate;
    while (runStart > knownBoundary && IsLeadByte(bytes[runStart - 1])) --runStart;
    if ((candidate - runStart) % 2 == 0)
      return std::memchr(bytes + start, '\0', static_cast<size_t>(candidate - start)) ? -1 : candidate;
    // A match on a second byte means the next character starts right after it.
    knownBoundary = candidate + 1;
    from = candidate + 1;
  }
  return -1;
}

}  // namespace

int Find(const Text& text, const Text& pattern, int start) {
  if (start < 0 || start > ClampedLength(text)) return -1;
  const int patternLength = PatternLength(pattern);
  if (patternLength == 0) return start;
  return FindFrom(text, pattern, patternLength, start);
}

int Replace(Text& text, const Text& oldPattern, const Text& newText) {
  const int patternLength = PatternLength(oldPattern);
  if (patternLength == 0) return 0;
  int match = FindFrom(text, oldPattern, patternLength, 0);
  if (match < 0) return 0;

  Text result;
  result.reserve(text.size());
  int copied = 0;
  int count = 0;
  while (match >= 0) {
    result.append(text, static_cast<size_t>(copied), static_cast<size_t>(match - copied));
    result.append(newText);
    copied = match + patternLength;
    ++count;
    match = FindFrom(text, oldPattern, patternLength, copied);
  }
  result.append(text, static_cast<size_t>(copied), Text::npos);
  text.swap(result);
  return count;
}

Text Mid(const Text& text, int first) { return Mid(text, first, INT_MAX); }

Text Mid(const Text& text, int first, int count) {
  const int length = ClampedLength(text);
  if (first < 0) first = 0;
  if (count < 0) count = 0;
  if (first >= length) return {};
  if (count > length - first) count = length - first;
  return text.substr(static_cast<size_t>(first), static_cast<size_t>(count));
}

Text Left(const Text& text, int count) {
  if (count < 0) return {};
  return text.substr(0, static_cast<size_t>(count));
}

Text Right(const Text& text, int count) {
  const int length = ClampedLength(text);
  if (count < 0) return {};
  if (count >= length) return text;
  return text.substr(static_cast<size_t>(length - count));
}

int ReadNumber(const Text& text) {
  size_t position = 0;
  while (position < text.size() && (text[position] == ' ' || (text[position] >= '\t' && text[position] <= '\r')))
    ++position;
  bool negative = false;
  if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
    negative = text[position] == '-';
    ++position;
  }
  long long value = 0;
  for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
    value = value * 10 + (text[position] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  return static_cast<int>(value);
}

Text FormatText(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  Text result = VFormat(format, arguments);
  va_end(arguments);
  return result;
}

namespace detail {
Text FormatUnchecked(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  Text result = VFormat(format, arguments);
  va_end(arguments);
  return result;
}
}  // namespace detail

}  // namespace plimo
