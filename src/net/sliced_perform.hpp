// Running one request so that its progress callback gets a say at short, regular intervals, which
// lets the caller bound a wait or honour a stop without a thread of its own.
#pragma once

#include <chrono>

typedef void CURL;

namespace plimo {

// The request's own result (CURLcode); the handle is free for other use afterwards.
int PerformInSlices(CURL* request, std::chrono::milliseconds slice);

}  // namespace plimo
