#include "net/text.hpp"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace plimo {
namespace {

bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

int ClampedLength(const Text& text) { return text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size()); }

// Where a search from start stops: the text's end or its first NUL byte after start.
int SearchEnd(const Text& text, int start) {
  const int length = ClampedLength(text);
  const void* nul = std::memchr(text.data() + start, '\0', static_cast<size_t>(length - start));
  return nul ? static_cast<int>(static_cast<const char*>(nul) - text.data()) : length;
}

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

// The search itself, with the end of the searchable bytes worked out by the caller.
int FindBefore(const Text& text, const Text& pattern, int patternLength, int start, int end) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const auto first = static_cast<unsigned char>(pattern[0]);
  const int lastCandidate = end - patternLength;

  // The first byte of the pattern is found with memchr; whether a hit starts a character is told
  // by the run of lead-range bytes just before it, counted back no further than the last position
  // known to start a character. Each byte is looked at a bounded number of times, so the search
  // stays linear however the text is made.
  int knownBoundary = start;
  int from = start;
  while (from <= lastCandidate) {
    const void* hit = std::memchr(bytes + from, first, static_cast<size_t>(lastCandidate - from + 1));
    if (!hit) return -1;
    const int candidate = static_cast<int>(static_cast<const unsigned char*>(hit) - bytes);
    int runStart = candidate;
    while (runStart > knownBoundary && IsLeadByte(bytes[runStart - 1])) --runStart;
    const bool startsCharacter = (candidate - runStart) % 2 == 0;
    if (startsCharacter &&
        std::memcmp(bytes + candidate, pattern.data(), static_cast<size_t>(patternLength)) == 0)
      return candidate;
    // A hit on a second byte means the next character starts right after it.
    knownBoundary = startsCharacter ? candidate : candidate + 1;
    from = candidate + 1;
  }
  return -1;
}

}  // namespace

int Find(const Text& text, const Text& pattern, int start) {
  if (start < 0 || start > ClampedLength(text)) return -1;
  const int patternLength = PatternLength(pattern);
  if (patternLength == 0) return start;
  return FindBefore(text, pattern, patternLength, start, SearchEnd(text, start));
}

int Replace(Text& text, const Text& oldPattern, const Text& newText) {
  const int patternLength = PatternLength(oldPattern);
  if (patternLength == 0) return 0;
  // Nothing past the first NUL byte is ever matched, so its place is worked out once.
  const int end = SearchEnd(text, 0);
  int match = FindBefore(text, oldPattern, patternLength, 0, end);
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
    match = FindBefore(text, oldPattern, patternLength, copied, end);
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
