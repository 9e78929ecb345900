#include "silent_view.hpp"

#include <cstdio>
#include <cstdlib>

namespace plimo::fuzz {

void Violated(const char* property, const Text& detail) {
  std::fprintf(stderr, "property violated: %s\n  detail (%zu bytes): ", property, detail.size());
  for (unsigned char byte : detail)
    std::fprintf(stderr, byte >= 0x20 && byte < 0x7F ? "%c" : "\\x%02X", byte);
  std::fprintf(stderr, "\n");
  std::abort();
}

}  // namespace plimo::fuzz
