// Faults on demand behave as named, fall on the requests they were meant for, and never stall a stop.
#include <gtest/gtest.h>

#include <future>

#include "sim/proxy_client.hpp"
#include "sim/service_urls.hpp"
#include "sim/simulator.hpp"

namespace plimo::test {
namespace {

using namespace std::chrono_literals;
using sim::FaultKind;
using sim::FaultSpec;
using sim::Simulator;

class Faults : public ::testing::Test {
 protected:
  void SetUp() override {
    simulator_.AddBlog({"demo", "demo", "", sim::BlogKind::Normal, {2, 2, 1, 1, 1, 1, 1, 1}});
    proxy_ = simulator_.Start();
    client_ = std::make_unique<ProxyClient>(proxy_);
    ASSERT_EQ(client_->Get(LoginUrl("id=demo&pw=demo")).status, 200);
  }

  Simulator simulator_;
  std::string proxy_;
  std::unique_ptr<ProxyClient> client_;
};

TEST_F(Faults, EachKindAnswersAsNamedOnceThenNormally) {
  const std::string url = ListPageUrl("demo", 2);
  const std::string page = simulator_.Body(url);
  struct Case {
    const char* name;
    FaultSpec fault;
    std::function<void(const HttpReply&)> check;
  };
  const Case cases[] = {
      {"401", {"currentPage=2", FaultKind::Status401}, [](const HttpReply& r) { EXPECT_EQ(r.status, 401); }},
      {"404", {"currentPage=2", FaultKind::Status404}, [](const HttpReply& r) { EXPECT_EQ(r.status, 404); }},
      {"empty",
       {"currentPage=2", FaultKind::Empty},
       [](const HttpReply& r) {
         EXPECT_EQ(r.status, 200);
         EXPECT_EQ(r.body, "");
       }},
      {"busy",
       {"currentPage=2", FaultKind::Busy503, 1, 7},
       [](const HttpReply& r) {
         EXPECT_EQ(r.status, 503);
         EXPECT_EQ(r.Header("Retry-After"), "7");
       }},
      {"chunked",
       {"currentPage=2", FaultKind::NoContentLength},
       [&](const HttpReply& r) {
         EXPECT_EQ(r.Header("Content-Length"), "");
         EXPECT_EQ(r.Header("Transfer-Encoding"), "chunked");
         EXPECT_EQ(r.body, page);
       }},
      {"slow",
       {"currentPage=2", FaultKind::SlowBody, 1, 1, 20},
       [&](const HttpReply& r) {
         EXPECT_EQ(r.body, page);
         EXPECT_GE(r.took, 7 * 20ms) << "eight pieces, a pause before each but the first";
       }},
      {"redirect",
       {"currentPage=2", FaultKind::Redirect},
       [&](const HttpReply& r) {
         EXPECT_EQ(r.redirects, 1);
         EXPECT_EQ(r.body, page);
         EXPECT_EQ(simulator_.Requests().back().url, BlogUrl("/_moved" + url.substr(BlogUrl("").size())));
       }},
      {"close",
       {"currentPage=2", FaultKind::CloseMidBody},
       [&](const HttpReply& r) {
         EXPECT_EQ(r.code, CURLE_PARTIAL_FILE);
         EXPECT_EQ(r.body, page.substr(0, page.size() / 2));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    simulator_.AddFault(c.fault);
    c.check(client_->Get(url));
    const HttpReply after = client_->Get(url);
    EXPECT_EQ(after.status, 200);
    EXPECT_EQ(after.body, page);
  }
}

TEST_F(Faults, FallOnlyOnMatchingRequestsAsOftenAsAsked) {
  simulator_.AddFault({"currentPage=2", FaultKind::Status404, 2});
  simulator_.AddFault({"PBlogMain", FaultKind::Status401, -1});
  std::vector<long> statuses;
  for (const std::string& url : {ListPageUrl("demo", 1), ListPageUrl("demo", 2), ListPageUrl("demo", 2),
                                 ListPageUrl("demo", 2), MainPageUrl("demo"), MainPageUrl("demo")}) {
    statuses.push_back(client_->Get(url).status);
  }
  EXPECT_EQ(statuses, (std::vector<long>{200, 404, 404, 200, 401, 401}));
  simulator_.ClearFaults();
  EXPECT_EQ(client_->Get(MainPageUrl("demo")).status, 200);
}

TEST_F(Faults, HeldAnswersBlockNeitherOtherRequestsNorTheStop) {
  simulator_.AddFault({"currentPage=1", FaultKind::Hang, -1});
  std::vector<std::future<HttpReply>> held;
  for (int i = 0; i < 3; ++i) {
    held.push_back(std::async(std::launch::async, [this] {
      ProxyClient client(proxy_);
      return client.Get(ListPageUrl("demo", 1), 300ms);
    }));
  }
  const HttpReply other = client_->Get(MainPageUrl("demo"), 2s);
  EXPECT_EQ(other.status, 200);
  for (auto& reply : held) EXPECT_EQ(reply.get().code, CURLE_OPERATION_TIMEDOUT);

  ProxyClient waiting(proxy_);
  auto stillWaiting =
      std::async(std::launch::async, [&] { return waiting.Get(ListPageUrl("demo", 1), 10s); });
  while (simulator_.Requests().size() < 6) std::this_thread::sleep_for(5ms);
  const auto stopStart = std::chrono::steady_clock::now();
  simulator_.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - stopStart, 2s);
  EXPECT_NE(stillWaiting.get().status, 200) << "released by the stop, not answered";
}

}  // namespace
}  // namespace plimo::test
