#include "archiver/post_analysis.hpp"

#include <algorithm>
#include <climits>
#include <memory>

#include "platform/codepage.hpp"

namespace plimo {
namespace {

const Text kTitleStart = "<span class=\"pcol1 itemSubjectBoldfont\">";
const Text kTitleEnd = "</span>";
const Text kCategoryKeyStart = "<a href=\"javascript:parent.blogNev('/post/postList.jsp','%s','";
const Text kCategoryKeyEnd = "');";
const Text kCategoryNameStart = "\"><span class=\"ct\">";
const Text kCategoryNameEnd = "</span></a>";
const Text kDateStart = "<p class=\"date fil5 pcol2\">";
constexpr int kDateLength = 16;

int Length(const Text& marker) {
  return static_cast<int>(marker.size());
}

// Without a post count there is no share to show, so the bar stays put and the caption counts.
void ReportPostFound(JobView& view, const RunVariables& vars) {
  if (vars.nPostTotal <= 0) {
    view.SetOverallPercent(0);
    view.SetCaptionText(Format(Cp949("%d개 포스트 확인"), vars.nPostsFound));
    return;
  }
  const double share = static_cast<double>(vars.nPostsFound) / vars.nPostTotal * 100;
  const int percent = static_cast<int>(std::min(share, static_cast<double>(INT_MAX)));
  view.SetOverallPercent(percent);
  view.SetCaptionText(Format(Cp949("%d%% 완료"), percent));
}

void AddCategoryIfNew(BackupJob& job, const Text& key, const Text& name) {
  if (std::find(job.m_arrCategoryKey.begin(), job.m_arrCategoryKey.end(), key) != job.m_arrCategoryKey.end())
    return;
  job.m_arrCategoryName.push_back(name);
  job.m_arrCategoryKey.push_back(key);
}

}  // namespace

Text AnalyseListPage(BackupRun& run, const Text& text, int n) {
  run.view.SetStatusText(Format(Cp949("%d페이지 분석중...(avicon)"), n));
  // The link carries the blog ID as the page writes it; another letter case misses every post.
  const Text categoryKeyStart = Format(kCategoryKeyStart, run.job.m_strBlogId);
  Text pageTitles;
  int position = 0;
  for (int anchor = 1;; ++anchor) {
    const int titleStart = Find(text, kTitleStart, position);
    if (titleStart < 0) break;
    ++run.vars.nPostsFound;
    ReportPostFound(run.view, run.vars);

    const int titleFrom = titleStart + Length(kTitleStart);
    const int titleEnd = Find(text, kTitleEnd, titleFrom);
    if (titleEnd < 0) break;
    const Text title = Mid(text, titleFrom, titleEnd - titleFrom);
    pageTitles += title + "/";

    const int keyStart = Find(text, categoryKeyStart, titleEnd);
    if (keyStart < 0) break;
    const int keyFrom = keyStart + Length(categoryKeyStart);
    const int keyEnd = Find(text, kCategoryKeyEnd, keyFrom);
    if (keyEnd < 0) break;
    const Text key = Mid(text, keyFrom, keyEnd - keyFrom);

    const int nameStart = Find(text, kCategoryNameStart, keyEnd);
    if (nameStart < 0) break;
    const int nameFrom = nameStart + Length(kCategoryNameStart);
    const int nameEnd = Find(text, kCategoryNameEnd, nameFrom);
    // An unclosed name has no end to trust: the post keeps its entry under an empty name.
    const Text name = nameEnd < 0 ? Text() : Mid(text, nameFrom, nameEnd - nameFrom);

    AddCategoryIfNew(run.job, key, name);
    auto entry = std::make_unique<PostEntry>();
    entry->pszCategory = name;
    entry->pszTitle = title;
    entry->nPage = n;
    entry->nAnchor = anchor;
    entry->nCategoryKey = ReadNumber(key);
    run.job.m_arrPosts.push_back(std::move(entry));

    if (nameEnd < 0) break;
    position = nameEnd;
  }
  return pageTitles;
}

void CollectPostDates(RunVariables& vars, const Text& text, int n) {
  int dateStart = Find(text, kDateStart);
  if (dateStart < 0) return;
  // The service lists the newest post first, so page 1 opens with the newest date and each page
  // closes with the oldest date seen so far.
  if (n == 1) vars.strNewestDate = Mid(text, dateStart + Length(kDateStart), kDateLength);
  for (; dateStart >= 0; dateStart = Find(text, kDateStart, dateStart + Length(kDateStart)))
    vars.strOldestDate = Mid(text, dateStart + Length(kDateStart), kDateLength);
}

}  // namespace plimo
