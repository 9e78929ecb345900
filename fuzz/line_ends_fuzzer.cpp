// FetchPage's line normalisation on arbitrary bodies, against the line reader it stands for.
#include <cstddef>
#include <cstdint>

#include "net/fetch_page.hpp"
#include "silent_view.hpp"

namespace {

// The body read line by line: every CR dropped, each LF ends a line, a last line without LF
// still counts unless nothing but CR bytes are left of it, and every line is given back with CR LF.
plimo::Text ReadAsLines(const plimo::Text& body) {
  plimo::Text result;
  plimo::Text line;
  for (char byte : body) {
    if (byte == '\r') continue;
    if (byte == '\n') {
      result += line + "\r\n";
      line.clear();
    } else {
      line += byte;
    }
  }
  if (!line.empty()) result += line + "\r\n";
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const plimo::Text body(reinterpret_cast<const char*>(data), size);
  const plimo::Text normalised = plimo::NormaliseLineEnds(body);
  if (normalised != ReadAsLines(body)) plimo::fuzz::Violated("lines as the line reader gives them", body);
  return 0;
}
