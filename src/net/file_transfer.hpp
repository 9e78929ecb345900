// One file's transfer: the bounded wait for the server's answer, the stop flag, and the body moved
// in pieces into a file that takes its final name only when the body is complete.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "job/run_settings.hpp"
#include "net/internet_session.hpp"
#include "net/text.hpp"

namespace plimo {

enum class TransferEnd {
  Complete,
  NoRequest,     // the request could not be set up
  NoConnection,  // neither the server nor the proxy could be reached
  NoStatus,      // whatever came back was no readable reply
  BadStatus,     // the final reply was not 200
  CannotCreate,  // the local file could not be created
  StoppedBeforeAnswer,
  NoAnswer,             // no answer within the bound
  StoppedOrReadFailed,  // a stop, or a body that broke off
  CannotWrite,
};

// What the transfer tells its caller as it goes.
struct TransferProgress {
  std::function<void()> requesting;       // the request is about to go out
  std::function<void()> receiving;        // a 200 reply arrived and the local file is open
  std::function<void(int)> piecePercent;  // after each piece written
};

// Bodies move in pieces of this size; each is checked against the stop flag and reported.
inline constexpr size_t kTransferPieceBytes = 1024;

// requestUrl is ready for the request line (RequestUrl). Nothing partial ever carries localPath.
TransferEnd TransferFile(const InternetSession& session, const Text& requestUrl, const Text& localPath,
                         const RunSettings& settings, const std::atomic<int32_t>& stopRequested,
                         const TransferProgress& progress);

}  // namespace plimo
