#include "platform/codepage.hpp"

#include <gtest/gtest.h>

namespace plimo {
namespace {

TEST(Codepage, RoundTripsKorean) {
  const Text& text = Cp949("블로그백업");
  EXPECT_EQ(text, "\xBA\xED\xB7\xCE\xB1\xD7\xB9\xE9\xBE\xF7");
  EXPECT_EQ(Cp949ToUtf8(text), "블로그백업");
  EXPECT_EQ(&Cp949("블로그백업"), &text);
}

TEST(Codepage, RefusesWhatCp949CannotHold) {
  EXPECT_FALSE(Utf8ToCp949("emoji \xF0\x9F\x98\x80"));
  EXPECT_FALSE(Utf8ToCp949("\xFF broken utf-8"));
  EXPECT_FALSE(Cp949ToUtf8("\xFF\xFF"));
  EXPECT_EQ(Cp949ToUtf8Lossy("a\xFF"), "a\xEF\xBF\xBD");
}

}  // namespace
}  // namespace plimo
