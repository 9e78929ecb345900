#include "platform/codepage.hpp"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>

namespace plimo {
namespace {

struct IconvCloser {
  void operator()(iconv_t* handle) const {
    iconv_close(*handle);
    delete handle;
  }
};
using IconvHandle = std::unique_ptr<iconv_t, IconvCloser>;

IconvHandle OpenConverter(const char* to, const char* from) {
  iconv_t handle = iconv_open(to, from);
  if (handle == reinterpret_cast<iconv_t>(-1)) return nullptr;
  return IconvHandle(new iconv_t(handle));
}

enum class OnInvalid { Fail, Substitute };

// glibc names code page 949 "CP949"; it is the Unified Hangul Code superset of EUC-KR that the service uses.
std::optional<std::string> Convert(const char* to, const char* from, const std::string& input, OnInvalid onInvalid,
                                   const std::string& substitute = {}) {
  IconvHandle converter = OpenConverter(to, from);
  if (!converter) return std::nullopt;
  std::string output;
  output.reserve(input.size() * 3 / 2 + 16);
  char* in = const_cast<char*>(input.data());
  size_t inLeft = input.size();
  char buffer[4096];
  while (inLeft > 0) {
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    const size_t result = iconv(*converter, &in, &inLeft, &out, &outLeft);
    output.append(buffer, static_cast<size_t>(out - buffer));
    if (result != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    if (onInvalid == OnInvalid::Fail) return std::nullopt;
    output += substitute;
    ++in;
    --inLeft;
  }
  char* out = buffer;
  size_t outLeft = sizeof buffer;
  iconv(*converter, nullptr, nullptr, &out, &outLeft);
  output.append(buffer, static_cast<size_t>(out - buffer));
  return output;
}

}  // namespace

std::optional<Text> Utf8ToCp949(const std::string& utf8) { return Convert("CP949", "UTF-8", utf8, OnInvalid::Fail); }

std::optional<std::string> Cp949ToUtf8(const Text& cp949) {
  return Convert("UTF-8", "CP949", cp949, OnInvalid::Fail);
}

std::string Cp949ToUtf8Lossy(const Text& cp949) {
  return *Convert("UTF-8", "CP949", cp949, OnInvalid::Substitute, "\xEF\xBF\xBD");
}

const Text& Cp949(const char* utf8Literal) {
  static std::mutex mutex;
  static std::map<std::string, Text, std::less<>> converted;
  std::lock_guard lock(mutex);
  auto found = converted.find(std::string_view(utf8Literal));
  if (found != converted.end()) return found->second;
  std::optional<Text> text = Utf8ToCp949(utf8Literal);
  if (!text) {
    std::fprintf(stderr, "literal not representable in code page 949: %s\n", utf8Literal);
    std::abort();
  }
  return converted.emplace(utf8Literal, std::move(*text)).first->second;
}

}  // namespace plimo
