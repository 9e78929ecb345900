#include "archiver/post_analysis.hpp"

#include <gtest/gtest.h>

#include "platform/codepage.hpp"
#include "support/recording_view.hpp"

namespace plimo {
namespace {

// One post as the service's list page shows it.
Text Post(const std::string& titleUtf8, const std::string& blogId, const std::string& key,
          const std::string& categoryUtf8, const std::string& date = "2008/03/15 21:07") {
  return *Utf8ToCp949("<div><span class=\"pcol1 itemSubjectBoldfont\">" + titleUtf8 +
                      "</span>\r\n<p class=\"date fil5 pcol2\">" + date +
                      "</p>\r\n<a href=\"javascript:parent.blogNev('/post/postList.jsp','" + blogId + "','" +
                      key + "');\"><span class=\"ct\">" + categoryUtf8 + "</span></a></div>\r\n");
}

struct Analysis {
  BackupJob job;
  test::RecordingView view;
  BackupRun run{job, view, {}};

  explicit Analysis(const char* blogId = "myblog") { job.m_strBlogId = blogId; }

  std::vector<std::string> CategoryNames() const {
    std::vector<std::string> names;
    for (const Text& name : job.m_arrCategoryName) names.push_back(*Cp949ToUtf8(name));
    return names;
  }
};

TEST(AnalyseListPage, ThreePostsInTwoCategories) {
  Analysis a;
  const Text page = Post("하나", "myblog", "12", "일기") + Post("둘", "myblog", "12", "일기") +
                    Post("셋", "myblog", "7", "여행");
  EXPECT_EQ(AnalyseListPage(a.run, page, 3), Cp949("하나/둘/셋/"));
  EXPECT_EQ(a.view.CallsOf("SetStatusText"), std::vector<std::string>{"3페이지 분석중...(avicon)"});
  EXPECT_EQ(a.run.vars.nPostsFound, 3);
  EXPECT_EQ(a.job.m_arrCategoryKey, (std::vector<Text>{"12", "7"}));
  EXPECT_EQ(a.CategoryNames(), (std::vector<std::string>{"일기", "여행"}));
  ASSERT_EQ(a.job.m_arrPosts.size(), 3u);
  const struct {
    const char *title, *category;
    int key;
  } expected[] = {{"하나", "일기", 12}, {"둘", "일기", 12}, {"셋", "여행", 7}};
  for (int i = 0; i < 3; ++i) {
    const PostEntry& post = *a.job.m_arrPosts[static_cast<size_t>(i)];
    EXPECT_EQ(post.pszTitle, Cp949(expected[i].title));
    EXPECT_EQ(post.pszCategory, Cp949(expected[i].category));
    EXPECT_EQ(post.nCategoryKey, expected[i].key);
    EXPECT_EQ(post.nPage, 3);
    EXPECT_EQ(post.nAnchor, i + 1);
  }
}

TEST(AnalyseListPage, ACategoryKeepsTheNameItWasFirstMetUnder) {
  Analysis a;
  AnalyseListPage(a.run, Post("A", "myblog", "12", "old"), 1);
  AnalyseListPage(a.run, Post("B", "myblog", "12", "renamed") + Post("C", "myblog", "3", "other"), 2);
  EXPECT_EQ(a.CategoryNames(), (std::vector<std::string>{"old", "other"}));
  ASSERT_EQ(a.job.m_arrPosts.size(), 3u);
  EXPECT_EQ(a.job.m_arrPosts[1]->pszCategory, "renamed");
  EXPECT_EQ(a.job.m_arrPosts[1]->nAnchor, 1) << "anchors count per page";
  EXPECT_EQ(a.job.m_arrPosts[2]->nAnchor, 2);
}

// Each case is a page that goes wrong at its first post; the title marker after it must not be reached.
TEST(AnalyseListPage, AMissingMarkerEndsThePageAtThatPost) {
  const Text title = "<span class=\"pcol1 itemSubjectBoldfont\">";
  const Text keyStart = "<a href=\"javascript:parent.blogNev('/post/postList.jsp','myblog','";
  const Text unreached = title + "B</span>";
  const struct {
    const char* what;
    Text page;
    Text titles;
    size_t entries;
    std::vector<Text> categoryNames;
  } cases[] = {
      {"blog ID in another letter case",
       Post("A", "MyBlog", "1", "c") + Post("B", "MyBlog", "1", "c"),
       "A/",
       0,
       {}},
      {"title without its end", title + "A", "", 0, {}},
      {"no category link", title + "A</span>" + unreached, "A/", 0, {}},
      {"category key without its end", title + "A</span>" + keyStart + "1\"></a>" + unreached, "A/", 0, {}},
      {"no category name", title + "A</span>" + keyStart + "1');\"></a>" + unreached, "A/", 0, {}},
      {"category name without its end",
       title + "A</span>" + keyStart + "1');\"><span class=\"ct\">c" + unreached,
       "A/",
       1,
       {""}},
  };
  for (const auto& c : cases) {
    Analysis a;
    EXPECT_EQ(AnalyseListPage(a.run, c.page, 1), c.titles) << c.what;
    EXPECT_EQ(a.run.vars.nPostsFound, 1) << c.what;
    EXPECT_EQ(a.job.m_arrPosts.size(), c.entries) << c.what;
    EXPECT_EQ(a.job.m_arrCategoryName, c.categoryNames) << c.what;
  }
}

TEST(AnalyseListPage, EveryPostMovesTheOverallProgress) {
  const struct {
    int total, foundBefore;
    std::vector<std::string> percents, captions;
  } cases[] = {
      {40, 9, {"25"}, {"25% 완료"}},
      {3, 1, {"66"}, {"66% 완료"}},
      {3, 3, {"133"}, {"133% 완료"}},
      {0, 4, {"0"}, {"5개 포스트 확인"}},
  };
  for (const auto& c : cases) {
    Analysis a;
    a.run.vars.nPostTotal = c.total;
    a.run.vars.nPostsFound = c.foundBefore;
    AnalyseListPage(a.run, Post("A", "myblog", "1", "c"), 2);
    EXPECT_EQ(a.view.CallsOf("SetOverallPercent"), c.percents) << c.total;
    EXPECT_EQ(a.view.CallsOf("SetCaptionText"), c.captions) << c.total;
  }
}

TEST(AnalyseListPage, ReportsForEveryPostInOrder) {
  Analysis a;
  a.run.vars.nPostTotal = 4;
  AnalyseListPage(a.run, Post("A", "myblog", "1", "c") + Post("B", "myblog", "1", "c"), 1);
  EXPECT_EQ(a.view.CallsOf("SetOverallPercent"), (std::vector<std::string>{"25", "50"}));
  EXPECT_EQ(a.view.CallsOf("SetCaptionText"), (std::vector<std::string>{"25% 완료", "50% 완료"}));
}

TEST(CollectPostDates, NewestFromPageOneAndOldestFromTheLastPageWithDates) {
  const auto page = [](std::initializer_list<const char*> dates) {
    Text text;
    for (const char* date : dates) text += Post("t", "b", "1", "c", date);
    return text;
  };
  RunVariables vars;
  CollectPostDates(vars, page({"2009/01/02 03:04", "2008/12/31 23:59", "2008/12/30 10:00"}), 1);
  EXPECT_EQ(vars.strNewestDate, "2009/01/02 03:04");
  EXPECT_EQ(vars.strOldestDate, "2008/12/30 10:00");
  CollectPostDates(vars, page({"2008/11/01 00:00", "2008/10/09 08:07"}), 2);
  EXPECT_EQ(vars.strNewestDate, "2009/01/02 03:04") << "only page 1 sets the newest date";
  EXPECT_EQ(vars.strOldestDate, "2008/10/09 08:07");
  CollectPostDates(vars, "<p>no dates here</p>", 3);
  EXPECT_EQ(vars.strOldestDate, "2008/10/09 08:07");

  RunVariables single;
  CollectPostDates(single, page({"2007/05/06 07:08"}), 1);
  EXPECT_EQ(single.strNewestDate, single.strOldestDate);
}

TEST(CollectPostDates, ADateCutOffByTheEndOfThePageIsShorter) {
  RunVariables vars;
  CollectPostDates(
      vars, "<p class=\"date fil5 pcol2\">2008/03/15 21:07:59</p><p class=\"date fil5 pcol2\">2008/03", 1);
  EXPECT_EQ(vars.strNewestDate, "2008/03/15 21:07");
  EXPECT_EQ(vars.strOldestDate, "2008/03");
}

}  // namespace
}  // namespace plimo
