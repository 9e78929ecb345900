#include "archiver/safe_file_name.hpp"

#include <cstdint>
#include <cstdio>
#include <optional>

#include "platform/codepage.hpp"

namespace plimo {
namespace {

bool IsLeadByte(unsigned char byte) {
  return byte >= 0x81 && byte <= 0xFE;
}

// Separators would reach into other folders, control bytes are no name at all, and a browser
// decodes a '%' before it looks for the file.
bool IsUnsafeByte(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F || byte == '\\' || byte == '/' || byte == '%';
}

// A browser drops the query and the fragment of a file link and removes tabs and line breaks from
// any URL, so a name without them is still the file the link means.
Text AsBrowserReadsIt(const Text& original) {
  Text kept;
  for (char byte : original) {
    if (byte == '?' || byte == '#') break;
    if (byte != '\t' && byte != '\n' && byte != '\r') kept += byte;
  }
  return kept;
}

bool HoldsAsItIs(const Text& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (unsigned char byte : name)
    if (IsUnsafeByte(byte)) return false;
  const std::optional<std::string> utf8 = Cp949ToUtf8(name);
  return utf8 && utf8->size() <= kLongestFileName;
}

// Characters as they are; every unsafe byte and every byte that is not code page 949 becomes '_'.
Text Cleaned(const Text& name) {
  Text cleaned;
  for (size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (IsLeadByte(byte) && i + 1 < name.size() && Cp949ToUtf8(name.substr(i, 2))) {
      cleaned.append(name, i, 2);
      ++i;
    } else if (byte >= 0x80 || IsUnsafeByte(byte)) {
      cleaned += '_';
    } else {
      cleaned += static_cast<char>(byte);
    }
  }
  return cleaned;
}

// A short extension of letters and digits, so that a replaced attachment still opens with its program.
size_t ExtensionStart(const Text& name) {
  const size_t dot = name.rfind('.');
  if (dot == Text::npos || dot == 0 || dot + 1 == name.size() || name.size() - dot > 10) return name.size();
  for (size_t i = dot + 1; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (!((byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z')))
      return name.size();
  }
  return dot;
}

// Whole characters from the front, counting a two-byte character as the three UTF-8 bytes it
// takes at most.
Text CutToUtf8Bytes(const Text& text, size_t limit) {
  size_t end = 0;
  size_t width = 0;
  while (end < text.size()) {
    const bool pair = IsLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size();
    const size_t characterWidth = pair ? 3 : 1;
    if (width + characterWidth > limit) break;
    width += characterWidth;
    end += pair ? 2 : 1;
  }
  return text.substr(0, end);
}

// Tells apart originals that clean to the same text.
Text HashTag(const Text& original) {
  uint32_t hash = 2166136261u;
  for (unsigned char byte : original) hash = (hash ^ byte) * 16777619u;
  char tag[10];
  std::snprintf(tag, sizeof tag, "~%08x", hash);
  return tag;
}

}  // namespace

SafeFileName MakeSafeFileName(const Text& original) {
  const Text kept = AsBrowserReadsIt(original);
  if (HoldsAsItIs(kept)) return {kept, true};

  const Text cleaned = Cleaned(kept);
  const size_t extensionStart = ExtensionStart(cleaned);
  const Text extension = cleaned.substr(extensionStart);
  const Text tag = HashTag(original);
  const Text stem =
      CutToUtf8Bytes(cleaned.substr(0, extensionStart), kLongestFileName - tag.size() - extension.size());
  return {stem + tag + extension, false};
}

}  // namespace plimo
