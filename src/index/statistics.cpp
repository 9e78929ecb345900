#include "index/statistics.hpp"

#include <chrono>

#include "platform/codepage.hpp"

namespace plimo {
namespace {

constexpr const char* kOpening =
    "\n<div align='center'><table border='0' cellpadding='0' cellspacing='0' "
    "style='border-collapse: collapse' bordercolor='#111111' width='465' height='35'>"
    "<tr><td width='465'>　\n";
constexpr const char* kPeriod =
    "<p align='center'>&nbsp;%d년 %d월 %d일 %d시 %d분부터 &nbsp;%d년 %d월 %d일 \n%d시 %d분 까지,<br> 총 %d일 "
    "%d시간 %d분 동안...</p>\n";
constexpr const char* kPostsWithDailyAverage =
    "<p align='center'>전체 %d개, 하루평균 \n%0.1f개의 포스트가&nbsp;작성되었습니다.</p>\n";
constexpr const char* kPostsOnly = "<p align='center'>전체 %d개의 포스트가&nbsp;작성되었습니다.</p>\n";
constexpr const char* kComments =
    "<p align='center'>총 %d개의 덧글이 있으며,</p><p align='center'> \n하나의 포스트당 %0.1f개의 덧글이 "
    "올라왔습니다. </p>\n";
constexpr const char* kClosing = "<p align='center'>&nbsp;</td></tr></table></center></div>";

constexpr double kHalfSecondInDays = 0.5 / 86400;

struct DateFields {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
};

// The fields stand at fixed places; the separators between them are never looked at.
std::optional<DateFields> ReadDate(const Text& date) {
  const DateFields fields{ReadNumber(Mid(date, 0, 4)), ReadNumber(Mid(date, 5, 2)),
                          ReadNumber(Mid(date, 8, 2)), ReadNumber(Mid(date, 11, 2)),
                          ReadNumber(Mid(date, 14, 2))};
  // The range checks come first: the calendar types keep a day or month only modulo their own width.
  if (fields.year < 1 || fields.month < 1 || fields.month > 12 || fields.day < 1 || fields.day > 31)
    return {};
  if (fields.hour < 0 || fields.hour > 23 || fields.minute < 0 || fields.minute > 59) return {};
  const std::chrono::year_month_day calendarDate{std::chrono::year{fields.year},
                                                 std::chrono::month{static_cast<unsigned>(fields.month)},
                                                 std::chrono::day{static_cast<unsigned>(fields.day)}};
  if (!calendarDate.ok()) return {};
  return fields;
}

// Days since 30 December 1899 00:00, the time of day as the fraction.
double SerialDays(const DateFields& date) {
  using namespace std::chrono;
  const sys_days calendarDay =
      year{date.year} / month{static_cast<unsigned>(date.month)} / day{static_cast<unsigned>(date.day)};
  const sys_days epoch = year{1899} / December / 30;
  return static_cast<double>((calendarDay - epoch).count()) + (date.hour * 60 + date.minute) / 1440.0;
}

PostingSpan Span(const DateFields& oldest, const DateFields& newest) {
  const double span = SerialDays(newest) - SerialDays(oldest);
  // A whole number of minutes held as a fraction of days may come out a hair short of itself; half
  // a second, signed as the span, puts every part back on its minute. The days are taken from the
  // same rounded span, or exactly 69 days falling a hair short would read as 68 days and 0 hours.
  const double rounded = span + (span < 0 ? -kHalfSecondInDays : kHalfSecondInDays);
  // Whole minutes of a span across the calendar's range do not fit 32 bits.
  const auto totalHours = static_cast<int64_t>(rounded * 24);
  const auto totalMinutes = static_cast<int64_t>(rounded * 1440);
  return {static_cast<int32_t>(rounded), static_cast<int32_t>(totalHours % 24),
          static_cast<int32_t>(totalMinutes % 60)};
}

}  // namespace

std::optional<PostingSpan> SpanBetween(const Text& oldestDate, const Text& newestDate) {
  const std::optional<DateFields> oldest = ReadDate(oldestDate);
  const std::optional<DateFields> newest = ReadDate(newestDate);
  if (!oldest || !newest) return {};
  return Span(*oldest, *newest);
}

Text FormatStatistics(const PostingFigures& figures) {
  const std::optional<DateFields> oldest = ReadDate(figures.oldestDate);
  const std::optional<DateFields> newest = ReadDate(figures.newestDate);
  const int32_t postTotal = figures.postTotal;
  Text block = Cp949(kOpening);
  if (oldest && newest) {
    const PostingSpan span = Span(*oldest, *newest);
    block += Format(Cp949(kPeriod), oldest->year, oldest->month, oldest->day, oldest->hour, oldest->minute,
                    newest->year, newest->month, newest->day, newest->hour, newest->minute, span.days,
                    span.hours, span.minutes);
    // Posts written within one day were written in one day, not in none.
    const int32_t dayCount = span.days != 0 ? span.days : 1;
    block += Format(Cp949(kPostsWithDailyAverage), postTotal, static_cast<double>(postTotal) / dayCount);
  } else {
    // Without both dates there is no period to tell or to average over; the count still stands.
    block += Format(Cp949(kPostsOnly), postTotal);
  }
  const double commentsPerPost = postTotal != 0 ? static_cast<double>(figures.commentCount) / postTotal : 0.0;
  block += Format(Cp949(kComments), figures.commentCount, commentsPerPost);
  block += kClosing;
  return block;
}

}  // namespace plimo
