// plimo-sim: serves generated Plimo blogs on 127.0.0.1 as a proxy, for tests, demos and trying the program.
#include <CLI/CLI.hpp>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/simulator.hpp"

namespace {

using plimo::sim::BlogKind;
using plimo::sim::FaultKind;
using plimo::sim::FaultSpec;

const std::map<std::string, FaultKind> kFaultNames = {
    {"hang", FaultKind::Hang},     {"401", FaultKind::Status401},     {"404", FaultKind::Status404},
    {"empty", FaultKind::Empty},   {"busy", FaultKind::Busy503},      {"chunked", FaultKind::NoContentLength},
    {"slow", FaultKind::SlowBody}, {"redirect", FaultKind::Redirect}, {"close", FaultKind::CloseMidBody},
};

// "kind:url-part[:times]", times -1 for every matching request.
FaultSpec ParseFault(const std::string& text) {
  const size_t first = text.find(':');
  if (first == std::string::npos) throw std::invalid_argument("a fault is KIND:URL-PART[:TIMES]: " + text);
  const auto kind = kFaultNames.find(text.substr(0, first));
  if (kind == kFaultNames.end()) throw std::invalid_argument("unknown fault kind in " + text);
  FaultSpec fault;
  fault.kind = kind->second;
  const size_t second = text.find(':', first + 1);
  fault.urlPart =
      text.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
  if (second != std::string::npos) fault.times = std::stoi(text.substr(second + 1));
  return fault;
}

// Blocks the stop signals in every thread, so that only the wait below receives them.
sigset_t BlockStopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  return signals;
}

void ServeUntilStopped(const plimo::sim::Simulator& simulator, const sigset_t& signals, int idleExitSeconds) {
  const timespec tick{0, 200 * 1000 * 1000};
  while (sigtimedwait(&signals, nullptr, &tick) < 0) {
    if (idleExitSeconds <= 0) continue;
    if (std::chrono::steady_clock::now() - simulator.LastActivity() >= std::chrono::seconds(idleExitSeconds))
      return;
  }
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "A local stand-in for the Plimo blog service. It serves generated blogs on 127.0.0.1 as an HTTP proxy "
      "that answers for every service host itself and forwards nothing. The first line it prints is the "
      "http_proxy value to use. Without --blog it serves the sample blog \"demo\" (password \"demo\").",
      "plimo-sim"};
  plimo::sim::BlogSpec blog{"demo", "demo", "데모 블로그", BlogKind::Normal, {}};
  std::string kind = "normal";
  int port = 0;
  int idleExitSeconds = 0;
  int latestBuild = 33;
  std::string latestLink = "http://blog.plimo.kr/quelm";
  std::vector<std::string> faults;
  app.add_option("--blog", blog.id, "the blog's id")->capture_default_str();
  app.add_option("--password", blog.password, "its account password")->capture_default_str();
  app.add_option("--title", blog.titleUtf8, "its title (UTF-8)")->capture_default_str();
  app.add_option("--kind", kind, "normal, unregistered (no blog for the account) or unused (no posts)")
      ->check(CLI::IsMember({"normal", "unregistered", "unused"}))
      ->capture_default_str();
  app.add_option("--pages", blog.shape.listPages, "list pages of posts")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
  app.add_option("--posts-per-page", blog.shape.postsPerPage, "posts on each list page")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
  app.add_option("--categories", blog.shape.categories, "categories")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
  app.add_option("--comments", blog.shape.commentsPerPost, "comments per post")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
  app.add_option("--relays", blog.shape.relaysPerPost, "relays per post")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
  app.add_option("--images", blog.shape.imagesPerPost, "images per post")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
  app.add_option("--attachments", blog.shape.attachmentsPerPost, "attachments per post")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
  app.add_option("--seed", blog.shape.seed, "seed of the generated content")->capture_default_str();
  app.add_option("--port", port, "port on 127.0.0.1; 0 picks a free one")
      ->check(CLI::Range(0, 65535))
      ->capture_default_str();
  app.add_option("--idle-exit", idleExitSeconds, "stop after this many seconds without a request; 0 never")
      ->check(CLI::NonNegativeNumber)
      ->capture_default_str();
  app.add_option("--latest-build", latestBuild, "build number of the update host's version text")
      ->capture_default_str();
  app.add_option("--latest-link", latestLink, "link of the update host's version text")
      ->capture_default_str();
  app.add_option(
      "--fault", faults,
      "KIND:URL-PART[:TIMES] (repeatable): the first TIMES requests whose URL contains URL-PART (default "
      "1, -1 for all) get the fault. KIND is hang, 401, 404, empty, busy, chunked, slow, redirect or close");
  CLI11_PARSE(app, argc, argv);

  blog.kind = kind == "unregistered" ? BlogKind::Unregistered
              : kind == "unused"     ? BlogKind::Unused
                                     : BlogKind::Normal;
  const sigset_t signals = BlockStopSignals();
  try {
    plimo::sim::Simulator simulator;
    simulator.AddBlog(blog);
    for (const std::string& fault : faults) simulator.AddFault(ParseFault(fault));
    simulator.SetLatestBuild(latestBuild, latestLink);
    std::cout << simulator.Start(static_cast<uint16_t>(port)) << std::endl;
    std::cerr << "plimo-sim: serving blog \"" << blog.id << "\" (password \"" << blog.password
              << "\"); Ctrl-C stops it\n";
    ServeUntilStopped(simulator, signals, idleExitSeconds);
    simulator.Stop();
  } catch (const std::exception& error) {
    std::cerr << "plimo-sim: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
