#include "net/file_transfer.hpp"

#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "net/reply_headers.hpp"
#include "net/sliced_perform.hpp"
#include "platform/files.hpp"

namespace plimo {
namespace {

// How often a silent server is checked against the bound and the stop flag.
constexpr std::chrono::milliseconds kLookInterval{50};

class Transfer {
 public:
  Transfer(const Text& localPath, const RunSettings& settings, const std::atomic<int32_t>& stopRequested,
           const TransferProgress& progress)
      : localPath_(localPath), settings_(settings), stopRequested_(stopRequested), progress_(progress) {}

  TransferEnd Run(CURL* request);

 private:
  static size_t OnHeader(char* bytes, size_t size, size_t count, void* self);
  static size_t OnBody(char* bytes, size_t size, size_t count, void* self);
  static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

  bool OpenFileForFinalReply();
  bool StopRequested() const { return stopRequested_.load() != 0; }
  // Writes the first count pending bytes; false (with end_ set) when the transfer must end.
  bool WritePiece(size_t count);
  int Percent() const;
  TransferEnd Finish();
  TransferEnd EndOfFailedRequest(CURLcode result) const;

  const Text& localPath_;
  const RunSettings& settings_;
  const std::atomic<int32_t>& stopRequested_;
  const TransferProgress& progress_;

  std::chrono::steady_clock::time_point start_;
  ReplyHeaders headers_;
  bool answered_ = false;
  std::unique_ptr<PendingFile> file_;
  std::string pending_;
  uint64_t received_ = 0;
  // Set by a callback that ends the transfer, so that the reason survives libcurl's own code.
  std::optional<TransferEnd> end_;
};

TransferEnd Transfer::Run(CURL* request) {
  curl_easy_setopt(request, CURLOPT_HEADERFUNCTION, &Transfer::OnHeader);
  curl_easy_setopt(request, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(request, CURLOPT_WRITEFUNCTION, &Transfer::OnBody);
  curl_easy_setopt(request, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(request, CURLOPT_XFERINFOFUNCTION, &Transfer::OnProgress);
  curl_easy_setopt(request, CURLOPT_XFERINFODATA, this);
  curl_easy_setopt(request, CURLOPT_NOPROGRESS, 0L);
  // The file is saved as served, so the Content-Length counts the bytes that are written.
  curl_easy_setopt(request, CURLOPT_ACCEPT_ENCODING, nullptr);

  progress_.requesting();
  start_ = std::chrono::steady_clock::now();
  const auto result = static_cast<CURLcode>(PerformInSlices(request, kLookInterval));
  if (end_) return *end_;
  if (result != CURLE_OK) return EndOfFailedRequest(result);
  return Finish();
}

size_t Transfer::OnHeader(char* bytes, size_t size, size_t count, void* self) {
  Transfer& transfer = *static_cast<Transfer*>(self);
  if (!transfer.headers_.Take(std::string_view(bytes, size * count))) return size * count;
  transfer.answered_ = true;
  return transfer.OpenFileForFinalReply() ? size * count : 0;
}

bool Transfer::OpenFileForFinalReply() {
  // 401 and 407 count as failures too: an empty file in their place would be taken for the
  // picture by every later run, which skips files that are present.
  if (headers_.Status() != 200) {
    end_ = TransferEnd::BadStatus;
    return false;
  }
  file_ = PendingFile::Create(localPath_);
  if (!file_) {
    end_ = TransferEnd::CannotCreate;
    return false;
  }
  progress_.receiving();
  return true;
}

size_t Transfer::OnBody(char* bytes, size_t size, size_t count, void* self) {
  Transfer& transfer = *static_cast<Transfer*>(self);
  if (!transfer.file_) {
    transfer.end_ = TransferEnd::NoStatus;
    return 0;
  }
  transfer.pending_.append(bytes, size * count);
  while (transfer.pending_.size() >= kTransferPieceBytes)
    if (!transfer.WritePiece(kTransferPieceBytes)) return 0;
  return size * count;
}

int Transfer::OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  Transfer& transfer = *static_cast<Transfer*>(self);
  if (transfer.StopRequested()) {
    transfer.end_ = transfer.answered_ ? TransferEnd::StoppedOrReadFailed : TransferEnd::StoppedBeforeAnswer;
    return 1;
  }
  if (!transfer.answered_ &&
      std::chrono::steady_clock::now() - transfer.start_ >= transfer.settings_.answerBound) {
    transfer.end_ = TransferEnd::NoAnswer;
    return 1;
  }
  return 0;
}

bool Transfer::WritePiece(size_t count) {
  if (StopRequested()) {
    end_ = TransferEnd::StoppedOrReadFailed;
    return false;
  }
  if (!file_->Write(pending_.data(), count)) {
    end_ = TransferEnd::CannotWrite;
    return false;
  }
  pending_.erase(0, count);
  received_ += count;
  progress_.piecePercent(Percent());
  return true;
}

int Transfer::Percent() const {
  const std::optional<uint64_t> length = headers_.ContentLength();
  // Without a length there is nothing to divide by: 0 % until the body is complete.
  if (!length || *length == 0) return 0;
  return static_cast<int>(static_cast<double>(received_) * 100.0 / static_cast<double>(*length));
}

TransferEnd Transfer::Finish() {
  if (!file_) return TransferEnd::NoStatus;
  if (!pending_.empty() && !WritePiece(pending_.size())) return *end_;
  if (StopRequested()) return TransferEnd::StoppedOrReadFailed;
  // A present file is never fetched again, so an empty reply, far more often a fault of the moment
  // than an empty picture, is not kept: the next run asks again.
  if (received_ == 0) return TransferEnd::StoppedOrReadFailed;
  const std::optional<uint64_t> length = headers_.ContentLength();
  if (!length || *length == 0) progress_.piecePercent(100);
  return file_->Commit() ? TransferEnd::Complete : TransferEnd::CannotWrite;
}

TransferEnd Transfer::EndOfFailedRequest(CURLcode result) const {
  if (answered_) return TransferEnd::StoppedOrReadFailed;
  switch (result) {
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_UNSUPPORTED_PROTOCOL:
      return TransferEnd::NoConnection;
    // Our own bounds are longer than the answer's, but a caller may have set them shorter.
    case CURLE_OPERATION_TIMEDOUT:
      return TransferEnd::NoAnswer;
    case CURLE_OUT_OF_MEMORY:
    case CURLE_FAILED_INIT:
      return TransferEnd::NoRequest;
    default:
      return TransferEnd::NoStatus;
  }
}

}  // namespace

TransferEnd TransferFile(const InternetSession& session, const Text& requestUrl, const Text& localPath,
                         const RunSettings& settings, const std::atomic<int32_t>& stopRequested,
                         const TransferProgress& progress) {
  InternetSession::Handle request = session.NewRequest(requestUrl, settings);
  if (!request) return TransferEnd::NoConnection;
  return Transfer(localPath, settings, stopRequested, progress).Run(request.get());
}

}  // namespace plimo
