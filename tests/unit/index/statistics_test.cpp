#include "index/statistics.hpp"

#include <gtest/gtest.h>

#include "platform/codepage.hpp"

namespace plimo {
namespace {

// The whole block as every archive has carried it, kept in one piece here so that a drift in any of
// the pieces it is built from shows.
constexpr const char* kStatisticsFormat =
    "\n<div align='center'><table border='0' cellpadding='0' cellspacing='0' "
    "style='border-collapse: collapse' bordercolor='#111111' width='465' height='35'>"
    "<tr><td width='465'>　\n"
    "<p align='center'>&nbsp;%d년 %d월 %d일 %d시 %d분부터 &nbsp;%d년 %d월 %d일 \n%d시 %d분 까지,<br> "
    "총 %d일 %d시간 %d분 동안...</p>\n"
    "<p align='center'>전체 %d개, 하루평균 \n%0.1f개의 포스트가&nbsp;작성되었습니다.</p>\n"
    "<p align='center'>총 %d개의 덧글이 있으며,</p><p align='center'> \n"
    "하나의 포스트당 %0.1f개의 덧글이 올라왔습니다. </p>\n"
    "<p align='center'>&nbsp;</td></tr></table></center></div>";

std::string Utf8(const Text& text) {
  return Cp949ToUtf8Lossy(text);
}

TEST(PostingSpan, CountsDaysHoursAndMinutesSignedAsTheSpan) {
  const struct {
    const char* name;
    Text oldest, newest;
    PostingSpan expected;
  } cases[] = {
      {"over a new year", "2006-12-31 23:50", "2007-03-10 15:20", {68, 15, 30}},
      {"backwards", "2007-03-10 15:20", "2006-12-31 23:50", {-68, -15, -30}},
      {"same minute", "2007-03-10 15:20", "2007-03-10 15:20", {0, 0, 0}},
      {"within one day", "2007-03-10 09:05", "2007-03-10 23:59", {0, 14, 54}},
      {"backwards within one day", "2007-03-10 15:20", "2007-03-10 03:10", {0, -12, -10}},
      {"over a leap day", "2008-02-28 10:00", "2008-03-01 10:00", {2, 0, 0}},
      // Here the two dates are held in days of different binary magnitude and the difference falls
      // a hair short of one day.
      {"one whole day held a hair short", "1989-09-16 00:02", "1989-09-17 00:02", {1, 0, 0}},
      {"other separators", "2006/12/31.23h50", "2007.03.10-15.20", {68, 15, 30}},
      {"minute cut short by the page's end", "2007-03-10 15:20", "2007-03-10 15:3", {0, 0, -17}},
      {"across the calendar", "0001-01-01 00:00", "9999-12-31 23:59", {3652058, 23, 59}},
  };
  for (const auto& c : cases) {
    const std::optional<PostingSpan> span = SpanBetween(c.oldest, c.newest);
    ASSERT_TRUE(span) << c.name;
    EXPECT_EQ(span->days, c.expected.days) << c.name;
    EXPECT_EQ(span->hours, c.expected.hours) << c.name;
    EXPECT_EQ(span->minutes, c.expected.minutes) << c.name;
  }
}

TEST(PostingSpan, NeedsTwoRealDatesAndTimes) {
  const Text valid = "2007-03-10 15:20";
  const Text invalid[] = {"",
                          "no date here",
                          "0000-01-01 00:00",
                          "2007-02-29 10:00",
                          "2007-13-01 10:00",
                          "2007-00-10 10:00",
                          "2007-04-31 10:00",
                          "2007-03-10 24:00",
                          "2007-03-10 10:60",
                          "-007-03-10 10:00"};
  for (const Text& date : invalid) {
    EXPECT_FALSE(SpanBetween(date, valid)) << date;
    EXPECT_FALSE(SpanBetween(valid, date)) << date;
  }
}

TEST(Statistics, BlockOfACompletedRunIsTheWholeFormatFilledIn) {
  const Text format = Cp949(kStatisticsFormat);
  ASSERT_EQ(format.size(), 559u);
  const PostingFigures figures{"2007-03-10 15:20", "2006-12-31 23:50", 120, 250};
  EXPECT_EQ(Utf8(FormatStatistics(figures)), Utf8(Format(format, 2006, 12, 31, 23, 50, 2007, 3, 10, 15, 20,
                                                         68, 15, 30, 120, 120.0 / 68, 250, 250.0 / 120)));
}

TEST(Statistics, AveragesRoundToOneDecimal) {
  const struct {
    int32_t posts, comments;
    std::string dailyAverage, commentsPerPost;
  } cases[] = {
      {120, 10, "하루평균 \n1.8개의", "포스트당 0.1개의"},
      {4, 10, "하루평균 \n0.1개의", "포스트당 2.5개의"},
      {68, 0, "하루평균 \n1.0개의", "포스트당 0.0개의"},
  };
  for (const auto& c : cases) {
    const std::string block =
        Utf8(FormatStatistics({"2007-03-10 15:20", "2006-12-31 23:50", c.posts, c.comments}));
    EXPECT_NE(block.find(c.dailyAverage), std::string::npos) << c.posts;
    EXPECT_NE(block.find(c.commentsPerPost), std::string::npos) << c.posts;
  }
}

TEST(Statistics, NegativeSpanKeepsItsSignThroughout) {
  const std::string block = Utf8(FormatStatistics({"2006-12-31 23:50", "2007-03-10 15:20", 120, 10}));
  EXPECT_NE(block.find("2007년 3월 10일 15시 20분부터"), std::string::npos);
  EXPECT_NE(block.find("총 -68일 -15시간 -30분 동안"), std::string::npos);
  EXPECT_NE(block.find("하루평균 \n-1.8개의"), std::string::npos);
}

TEST(Statistics, CasesWithoutAQuotientStillReadAsSentences) {
  const struct {
    const char* name;
    PostingFigures figures;
    std::vector<std::string> expected;
  } cases[] = {
      {"all posts within one day",
       {"2007-03-10 23:59", "2007-03-10 09:05", 5, 3},
       {"총 0일 14시간 54분 동안", "전체 5개, 하루평균 \n5.0개의", "포스트당 0.6개의"}},
      {"no posts counted",
       {"2007-03-10 15:20", "2006-12-31 23:50", 0, 0},
       {"전체 0개, 하루평균 \n0.0개의", "총 0개의 덧글", "포스트당 0.0개의"}},
      {"comments but no posts counted", {"2007-03-10 15:20", "2006-12-31 23:50", 0, 4}, {"포스트당 0.0개의"}},
      {"no post had a date",
       {"", "", 7, 14},
       {"<td width='465'>　\n<p align='center'>전체 7개의 포스트가&nbsp;작성되었습니다.</p>\n<p "
        "align='center'>총 "
        "14개의",
        "포스트당 2.0개의"}},
      {"only one date real", {"2007-03-10 15:20", "2007-02-30 10:00", 3, 0}, {"전체 3개의 포스트가"}},
  };
  for (const auto& c : cases) {
    const std::string block = Utf8(FormatStatistics(c.figures));
    for (const std::string& piece : c.expected)
      EXPECT_NE(block.find(piece), std::string::npos) << c.name << ": " << piece;
    for (const char* nonsense : {"inf", "nan", "-1"})
      EXPECT_EQ(block.find(nonsense), std::string::npos) << c.name;
    EXPECT_TRUE(block.ends_with("<p align='center'>&nbsp;</td></tr></table></center></div>")) << c.name;
  }
  EXPECT_EQ(Utf8(FormatStatistics({"", "", 7, 14})).find("년"), std::string::npos);
}

}  // namespace
}  // namespace plimo
