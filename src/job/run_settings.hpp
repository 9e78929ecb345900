// The time bounds and pauses of a run. The defaults are the program's; tests shorten them.
#pragma once

#include <chrono>

namespace plimo {

struct RunSettings {
  using Duration = std::chrono::milliseconds;

  // A download whose server has not answered the request by then is given up and logged.
  Duration answerBound{10000};
  // Spares the service after each fresh post image or attachment.
  Duration pauseAfterDownload{400};
  Duration pauseAfterTimeout{1000};
  // A connection that never opens, or a body that stops flowing, ends the request.
  Duration connectBound{30000};
  Duration stallBound{60000};
  // A list page that arrives empty or as a busy page is asked for again after a pause that
  // doubles each time, up to the longest pause; after the last try the run gives up.
  Duration firstRetryPause{1000};
  Duration longestRetryPause{30000};
  int listPageTries{8};
};

}  // namespace plimo
