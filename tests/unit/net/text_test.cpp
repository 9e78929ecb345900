#include "net/text.hpp"

#include <gtest/gtest.h>

#include "platform/codepage.hpp"

namespace plimo {
namespace {

struct FindCase {
  const char* name;
  Text text;
  Text pattern;
  int start;
  int expected;
};

TEST(Find, FollowsTheTwoByteCharacterRule) {
  const FindCase cases[] = {
      {"empty text", "", "a", 0, -1},
      {"start at the end", "abc", "c", 3, -1},
      {"empty pattern gives start", "abc", "", 2, 2},
      {"negative start", "abc", "a", -1, -1},
      {"start past the end", "abc", "a", 4, -1},
      {"letter as second byte of a character", "\x42\xB0\x41", "A", 0, -1},
      {"letter after a character", "\xB0\x41\x41", "A", 0, 2},
      {"pattern across two characters", "\xB0\xA1\xB0\xA1", "\xA1\xB0", 0, -1},
      {"boundaries counted from start", "\xB0\x41\x41", "A", 1, 1},
      {"lead byte last still compared", "a\xB0", "\xB0", 0, 1},
      {"run of lead bytes", "\xB0\xB1\xB2\xB3x", "\xB2\xB3", 0, 2},
      {"odd position inside a run", "\xB0\xB1\xB2\xB3x", "\xB1\xB2", 0, -1},
      {"NUL ends the search", Text("ab\0cd", 5), "c", 0, -1},
      {"match before a NUL", Text("ab\0cb", 5), "b", 0, 1},
      {"NUL before start left behind", Text("ab\0cd", 5), "c", 3, 3},
      {"pattern ends at its NUL", "abc", Text("bc\0x", 4), 0, 1},
      {"pattern longer than text", "ab", "abc", 0, -1},
      {"match at the very end", "xxabc", "abc", 0, 2},
  };
  for (const FindCase& c : cases) EXPECT_EQ(Find(c.text, c.pattern, c.start), c.expected) << c.name;
}

TEST(Find, SkipsPatternStandingAsTrailByteInKoreanPage) {
  // "블로그" and "값" carry ASCII letters as trail bytes in code page 949.
  const Text page = Cp949("<p>값은 블로그</p>") + "A";
  const Text trail = Text(1, Cp949("값")[1]);
  EXPECT_EQ(Find(page, trail), page.find(trail, page.size() - 1));
}

TEST(Replace, NeverRescansInsertedText) {
  Text text = "abab";
  EXPECT_EQ(Replace(text, "ab", "abab"), 2);
  EXPECT_EQ(text, "abababab");

  Text unchanged = "abc";
  EXPECT_EQ(Replace(unchanged, "", "x"), 0);
  EXPECT_EQ(unchanged, "abc");

  Text deleted = "a-b-c";
  EXPECT_EQ(Replace(deleted, "-", ""), 2);
  EXPECT_EQ(deleted, "abc");

  Text beforeNul("a-b\0-c", 6);
  EXPECT_EQ(Replace(beforeNul, "-", "+"), 1);
  EXPECT_EQ(beforeNul, Text("a+b\0-c", 6));

  Text korean = "\xB0\x41" "A";
  EXPECT_EQ(Replace(korean, "A", "B"), 1);
  EXPECT_EQ(korean, "\xB0\x41" "B");
}

TEST(Cut, ClampsPositionsAndCounts) {
  EXPECT_EQ(Mid("abc", 1, 10), "bc");
  EXPECT_EQ(Mid("abc", 5), "");
  EXPECT_EQ(Mid("abc", -2, 2), "ab");
  EXPECT_EQ(Mid("abc", 1, -1), "");
  EXPECT_EQ(Mid("abc", 1), "bc");
  EXPECT_EQ(Left("abc", -1), "");
  EXPECT_EQ(Left("abc", 2), "ab");
  EXPECT_EQ(Left("abc", 9), "abc");
  EXPECT_EQ(Right("abc", -1), "");
  EXPECT_EQ(Right("abc", 2), "bc");
  EXPECT_EQ(Right("abc", 9), "abc");
}

TEST(ReadNumber, ReadsLeadingDigits) {
  EXPECT_EQ(ReadNumber(" 34abc"), 34);
  EXPECT_EQ(ReadNumber("abc"), 0);
  EXPECT_EQ(ReadNumber("-12"), -12);
  EXPECT_EQ(ReadNumber("+7)"), 7);
  EXPECT_EQ(ReadNumber(""), 0);
  EXPECT_EQ(ReadNumber("99999999999"), 2147483647);
}

TEST(Format, FillsTheConversionsInUse) {
  EXPECT_EQ(Format(Cp949("%d페이지"), 3), Cp949("3페이지"));
  EXPECT_EQ(Format("%s|%0.1f|%d%%", Text("x"), 1.75, 57), "x|1.8|57%");
  EXPECT_EQ(Format("%s", Text()), "");
}

}  // namespace
}  // namespace plimo
