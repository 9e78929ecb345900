// Find and Replace on arbitrary bytes, against a plain byte-by-byte reading of the character rule.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "net/text.hpp"
#include "silent_view.hpp"

namespace {

using plimo::Text;

bool IsLeadByte(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return value >= 0x81 && value <= 0xFE;
}

// The pattern as a C string sees it.
Text UpToNul(const Text& text) {
  return text.substr(0, text.find('\0'));
}

// Walks the text a character at a time from start (a lead byte and the byte after it are one
// character), comparing the pattern at each character's first byte; the search ends at the first
// NUL byte at or after start.
int ReferenceFind(const Text& text, const Text& pattern, int start) {
  const int length = static_cast<int>(text.size());
  if (start < 0 || start > length) return -1;
  const Text wanted = UpToNul(pattern);
  if (wanted.empty()) return start;
  int end = start;
  while (end < length && text[static_cast<size_t>(end)] != '\0') ++end;
  const int wantedLength = static_cast<int>(wanted.size());
  for (int position = start; position + wantedLength <= end;) {
    if (std::memcmp(text.data() + position, wanted.data(), wanted.size()) == 0) return position;
    position += IsLeadByte(text[static_cast<size_t>(position)]) ? 2 : 1;
  }
  return -1;
}

// Replaces in place, searching again right after each inserted text.
int ReferenceReplace(Text& text, const Text& oldPattern, const Text& newText) {
  const Text wanted = UpToNul(oldPattern);
  if (wanted.empty()) return 0;
  int count = 0;
  int from = 0;
  for (int match; (match = ReferenceFind(text, wanted, from)) >= 0; ++count) {
    text.replace(static_cast<size_t>(match), wanted.size(), newText);
    from = match + static_cast<int>(newText.size());
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const int start = static_cast<int>(input.ConsumeIntegral<int8_t>()) + 2;
  const Text pattern = input.ConsumeRandomLengthString(64);
  const Text newText = input.ConsumeRandomLengthString(64);
  const Text text = input.ConsumeRemainingBytesAsString();

  if (plimo::Find(text, pattern, start) != ReferenceFind(text, pattern, start))
    plimo::fuzz::Violated("Find from a start", text);
  if (plimo::Find(text, pattern) != ReferenceFind(text, pattern, 0)) plimo::fuzz::Violated("Find", text);

  Text replaced = text;
  Text expected = text;
  const int count = plimo::Replace(replaced, pattern, newText);
  if (count != ReferenceReplace(expected, pattern, newText)) plimo::fuzz::Violated("Replace count", text);
  if (replaced != expected) plimo::fuzz::Violated("Replace result", text);
  return 0;
}
