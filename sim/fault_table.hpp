// The faults a test asked for, and which request each one falls on.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "sim/simulator.hpp"

namespace plimo::sim {

class FaultTable {
 public:
  void Add(const FaultSpec& fault) { faults_.push_back(fault); }
  void Clear() { faults_.clear(); }

  // The first fault still due whose URL part the URL contains, counted as used. A redirect never falls
  // on a request it produced itself, or a fault for every request would redirect for ever.
  std::optional<FaultSpec> Take(std::string_view url, bool redirected) {
    for (FaultSpec& fault : faults_) {
      if (fault.times == 0 || url.find(fault.urlPart) == std::string_view::npos) continue;
      if (redirected && fault.kind == FaultKind::Redirect) continue;
      if (fault.times > 0) --fault.times;
      return fault;
    }
    return std::nullopt;
  }

 private:
  std::vector<FaultSpec> faults_;
};

}  // namespace plimo::sim
