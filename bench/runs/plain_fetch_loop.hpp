// The floor under a whole backup: the same requests made by a plain libcurl loop, one after another.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace plimo::bench {

struct LoopResult {
  std::chrono::duration<double> wall{};
  size_t bytes = 0;
  int failed = 0;  // requests that did not end with a 200 reply
};

// One easy handle for all, with a cookie store and compressed replies accepted as the program
// does, so that the server does the same work for both; the proxy comes from http_proxy.
LoopResult FetchOneAfterAnother(const std::vector<std::string>& urls);

}  // namespace plimo::bench
