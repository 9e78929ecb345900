// Login and session: blog pages and files only for a visitor whose cookie a login issued.
#include <gtest/gtest.h>

#include "net/endpoints.hpp"
#include "sim/proxy_client.hpp"
#include "sim/service_urls.hpp"
#include "sim/simulator.hpp"

namespace plimo::test {
namespace {

using sim::Simulator;

const std::string kLoggedIn = "btn_logout01.gif";
const std::string kTitleStart = "<span class=\"pcol1 itemSubjectBoldfont\">";

class Session : public ::testing::Test {
 protected:
  void SetUp() override {
    simulator_.AddBlog({"Quelm", "p&ss w", "", sim::BlogKind::Normal, {1, 1, 1, 0, 0, 1, 0, 1}});
    proxy_ = simulator_.Start();
  }

  std::string ImageUrl() { return simulator_.Pages("quelm")[0][0].imageUrls[0]; }

  Simulator simulator_;
  std::string proxy_;
};

TEST_F(Session, LoginTakesDecodedValuesAndCaseFreeId) {
  struct Case {
    const char* query;
    bool succeeds;
  };
  const Case cases[] = {
      {"id=Quelm&pw=p%26ss%20w", true},   {"id=QUELM&pw=p%26ss+w&u_name=%C8%AB", true},
      {"id=quelm&pw=p&ss%20w", false},  // sent unescaped, the ampersand splits the password
      {"id=quelm&pw=P%26SS%20W", false},  {"id=quelm", false},
      {"id=nobody&pw=p%26ss%20w", false},
  };
  for (const Case& c : cases) {
    ProxyClient client(proxy_);
    const HttpReply login = client.Get(LoginUrl(c.query));
    EXPECT_EQ(login.code, CURLE_OK) << c.query;
    EXPECT_EQ(login.body.find(kLoggedIn) != std::string::npos, c.succeeds) << c.query;
    EXPECT_EQ(!login.Header("Set-Cookie").empty(), c.succeeds) << c.query;
    EXPECT_EQ(client.Get(ListPageUrl("quelm", 1)).status, c.succeeds ? 200 : 403) << c.query;
  }
}

TEST_F(Session, PagesAndFilesNeedTheSessionCookie) {
  ProxyClient visitor(proxy_);
  const HttpReply refused = visitor.Get(ListPageUrl("quelm", 1));
  EXPECT_EQ(refused.status, 403);
  EXPECT_EQ(refused.body.find(kTitleStart), std::string::npos);
  EXPECT_EQ(visitor.Get(ImageUrl()).status, 403);
  EXPECT_EQ(visitor.Get(HomePageUrl("quelm")).status, 403);
  EXPECT_EQ(visitor.Get(std::string(LAYOUT_IMAGE_PREFIX) + "bg_dot.gif").status, 200) << "public images";

  ProxyClient member(proxy_);
  member.Get(LoginUrl("id=quelm&pw=p%26ss%20w"));
  const HttpReply page = member.Get(ListPageUrl("quelm", 1));
  EXPECT_EQ(page.status, 200);
  EXPECT_NE(page.body.find(kTitleStart), std::string::npos);
  const HttpReply image = member.Get(ImageUrl());
  EXPECT_EQ(image.status, 200);
  EXPECT_EQ(image.body, simulator_.Body(ImageUrl()));

  const std::vector<sim::LoggedRequest> log = simulator_.Requests();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front().url, ListPageUrl("quelm", 1));
  EXPECT_EQ(log.front().cookie, "");
  EXPECT_EQ(log.back().url, ImageUrl());
  EXPECT_EQ(log.back().cookie.rfind("PLIMO_SES=", 0), 0u);
  simulator_.ClearRequests();
  EXPECT_TRUE(simulator_.Requests().empty());
}

TEST_F(Session, ForgedCookieIsRefused) {
  CURL* handle = curl_easy_init();
  std::string body;
  curl_easy_setopt(handle, CURLOPT_URL, ListPageUrl("quelm", 1).c_str());
  curl_easy_setopt(handle, CURLOPT_PROXY, proxy_.c_str());
  curl_easy_setopt(handle, CURLOPT_NOPROXY, "");
  curl_easy_setopt(handle, CURLOPT_COOKIE, "PLIMO_SES=0123456789abcdef");
  curl_easy_setopt(
      handle, CURLOPT_WRITEFUNCTION, +[](char*, size_t size, size_t count, void*) { return size * count; });
  ASSERT_EQ(curl_easy_perform(handle), CURLE_OK);
  long status = 0;
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_cleanup(handle);
  EXPECT_EQ(status, 403);
}

TEST_F(Session, UpdateHostServesTheVersionText) {
  ProxyClient client(proxy_);
  EXPECT_EQ(client.Get("http://www.quelm.kr/vudidiv/version.txt").body,
            "PB|33|http://blog.plimo.kr/quelm\r\n");
  simulator_.SetLatestBuild(34, "http://blog.plimo.kr/quelm/new");
  const HttpReply version = client.Get(std::string("http://") + UPDATE_HOST + "/vudidiv/version.txt");
  EXPECT_EQ(version.body, "PB|34|http://blog.plimo.kr/quelm/new\r\n");
  EXPECT_EQ(client.Get("http://elsewhere.example/").status, 502) << "nothing is forwarded";
}

}  // namespace
}  // namespace plimo::test
