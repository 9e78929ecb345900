#include "net/sliced_perform.hpp"

#include <curl/curl.h>

#include <memory>

namespace plimo {
namespace {

// A private stack of one request: the plain blocking call would let a second or more pass
// between two looks of the progress callback while the server is silent.
class SingleRequestStack {
 public:
  explicit SingleRequestStack(CURL* request) : stack_(curl_multi_init()), request_(request) {
    added_ = stack_ && curl_multi_add_handle(stack_.get(), request_) == CURLM_OK;
  }
  ~SingleRequestStack() {
    if (added_) curl_multi_remove_handle(stack_.get(), request_);
  }
  SingleRequestStack(const SingleRequestStack&) = delete;
  SingleRequestStack& operator=(const SingleRequestStack&) = delete;

  bool ready() const { return added_; }
  CURLM* get() const { return stack_.get(); }

 private:
  struct StackCloser {
    void operator()(CURLM* stack) const { curl_multi_cleanup(stack); }
  };
  std::unique_ptr<CURLM, StackCloser> stack_;
  CURL* request_;
  bool added_ = false;
};

}  // namespace

int PerformInSlices(CURL* request, std::chrono::milliseconds slice) {
  SingleRequestStack stack(request);
  if (!stack.ready()) return CURLE_FAILED_INIT;
  int running = 1;
  while (running > 0) {
    if (curl_multi_perform(stack.get(), &running) != CURLM_OK) return CURLE_FAILED_INIT;
    if (running > 0 &&
        curl_multi_poll(stack.get(), nullptr, 0, static_cast<int>(slice.count()), nullptr) != CURLM_OK)
      return CURLE_FAILED_INIT;
  }
  int queued = 0;
  while (CURLMsg* message = curl_multi_info_read(stack.get(), &queued))
    if (message->msg == CURLMSG_DONE && message->easy_handle == request) return message->data.result;
  return CURLE_FAILED_INIT;
}

}  // namespace plimo
