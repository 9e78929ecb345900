#include "net/update_check.hpp"

#include <gtest/gtest.h>

namespace plimo {
namespace {

TEST(UpdateCheck, OffersOnlyANewerBuildWithAWebLink) {
  const struct {
    Text versionText;
    std::optional<Text> link;
  } cases[] = {
      {"PB|34|http://www.quelm.kr/new\r\nmore\r\n", "http://www.quelm.kr/new"},
      {"PB| 40|https://x.kr/a\r\n", "https://x.kr/a"},
      {"PB|33|http://x.kr/\r\n", std::nullopt},
      {"PB|abc|http://x.kr/\r\n", std::nullopt},
      {"PX|34|http://x.kr/\r\n", std::nullopt},
      {" PB|34|http://x.kr/\r\n", std::nullopt},
      {"PB 34 http://x.kr/\r\n", std::nullopt},
      {"PB|34\r\n", std::nullopt},
      {"", std::nullopt},
      {"PB|34|file:///etc/passwd\r\n", std::nullopt},
      {"PB|34|javascript:alert(1)\r\n", std::nullopt},
      {"PB|34|\r\nhttp://x.kr/\r\n", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadUpdateLink(c.versionText), c.link) << c.versionText;
}

}  // namespace
}  // namespace plimo
