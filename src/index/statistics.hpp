// The posting statistics that close the index page: the span from the oldest to the newest post and the
// averages.
#pragma once

#include <cstdint>
#include <optional>

#include "net/text.hpp"

namespace plimo {

// A span of time as the page reads it; all three parts carry the sign of a span that runs backwards.
struct PostingSpan {
  int32_t days = 0;
  int32_t hours = 0;
  int32_t minutes = 0;
};

// The span from oldest to newest, two date texts as the list pages write them ("2007-03-10 15:20");
// nothing when either is not a real date and time.
std::optional<PostingSpan> SpanBetween(const Text& oldestDate, const Text& newestDate);

// What the statistics are made of, as the run collected it.
struct PostingFigures {
  Text newestDate;
  Text oldestDate;
  int32_t postTotal = 0;
  int32_t commentCount = 0;
};

// The statistics block of the index page, ready to be appended.
Text FormatStatistics(const PostingFigures& figures);

}  // namespace plimo
