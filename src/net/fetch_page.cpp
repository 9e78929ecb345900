#include "net/fetch_page.hpp"

#include <curl/curl.h>

#include <ctime>
#include <string_view>

#include "net/reply_headers.hpp"
#include "net/request_url.hpp"

namespace plimo {
namespace {

struct PageReception {
  Text body;
  ReplyHeaders headers;
};

size_t TakeBody(char* bytes, size_t size, size_t count, void* user) {
  static_cast<PageReception*>(user)->body.append(bytes, size * count);
  return size * count;
}

size_t TakeHeader(char* bytes, size_t size, size_t count, void* user) {
  static_cast<PageReception*>(user)->headers.Take(std::string_view(bytes, size * count));
  return size * count;
}

}  // namespace

// The pages are read as lines: a CR counts for nothing wherever it stands, and every line, the
// last one too, leaves with CR LF, so the rest of the program sees one line-end form only.
Text NormaliseLineEnds(const Text& body) {
  Text text;
  text.reserve(body.size() + body.size() / 16 + 2);
  for (char byte : body) {
    if (byte == '\r') continue;
    if (byte == '\n') text += '\r';
    text += byte;
  }
  if (!text.empty() && text.back() != '\n') text += "\r\n";
  return text;
}

Text FetchPage(const InternetSession& session, const Text& url, const RunSettings& settings,
               FetchReply* reply) {
  if (reply) *reply = FetchReply();
  const std::optional<Text> requestUrl = RequestUrl(url);
  if (!requestUrl) return Text();
  InternetSession::Handle request = session.NewRequest(*requestUrl, settings);
  if (!request) return Text();

  PageReception reception;
  curl_easy_setopt(request.get(), CURLOPT_WRITEFUNCTION, &TakeBody);
  curl_easy_setopt(request.get(), CURLOPT_WRITEDATA, &reception);
  curl_easy_setopt(request.get(), CURLOPT_HEADERFUNCTION, &TakeHeader);
  curl_easy_setopt(request.get(), CURLOPT_HEADERDATA, &reception);
  const CURLcode result = curl_easy_perform(request.get());

  if (reply) {
    reply->status = reception.headers.Status();
    reply->retryAfterSeconds = reception.headers.RetryAfterSeconds(std::time(nullptr));
  }
  // A body that broke off is no page: the caller sees a failure and may ask again.
  if (result != CURLE_OK) return Text();
  return NormaliseLineEnds(reception.body);
}

}  // namespace plimo
