#include "archiver/comment_pages.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "platform/codepage.hpp"
#include "platform/files.hpp"
#include "platform/page_charset.hpp"
#include "support/golden_file.hpp"
#include "support/local_server.hpp"
#include "support/recording_view.hpp"
#include "support/temp_folder.hpp"

namespace plimo {
namespace {

TEST(ReadCommentLink, ReadsLikeTheCLibrarysScanf) {
  const struct {
    const char* why;
    Text bytes;
    int kind;
    int listNumber;
    Text postNumber;
  } cases[] = {
      {"comments", "onclick=\"sublayer('1','3','223');return false;\" class=\"pcol2\">", 1, 3, "223"},
      {"relays", "onclick=\"sublayer('2','12','100024680')\">", 2, 12, "100024680"},
      {"blanks and signs before numbers", "onclick=\"sublayer(' 1','\t+3',' 223')", 1, 3, "223"},
      {"negative kind", "onclick=\"sublayer('-1','3','5')", -1, 3, "5"},
      {"word ends at a blank", "onclick=\"sublayer('1','3','22 3')", 1, 3, "22"},
      {"word without a quote is whole", "onclick=\"sublayer('1','3','2230000000", 1, 3, "2230000000"},
      {"empty post number", "onclick=\"sublayer('1','3','')\"", 1, 3, ""},
      {"nothing after the third quote", "onclick=\"sublayer('1','3','", 1, 3, ""},
      {"list number unreadable", "onclick=\"sublayer('1','x','5')", 1, 0, ""},
      {"names instead of values", "onclick=\"sublayer(ch,no,logNo)", 0, 0, ""},
      {"sign without digits", "onclick=\"sublayer('-','3','5')", 0, 0, ""},
      {"separator with a blank", "onclick=\"sublayer('1', '3','5')", 1, 0, ""},
      {"huge kind saturates", "onclick=\"sublayer('99999999999','3','5')", 2147483647, 3, "5"},
  };
  for (const auto& c : cases) {
    const CommentLink link = ReadCommentLink(c.bytes);
    EXPECT_EQ(link.kind, c.kind) << c.why;
    EXPECT_EQ(link.listNumber, c.listNumber) << c.why;
    EXPECT_EQ(link.postNumber, c.postNumber) << c.why;
  }
}

TEST(CommentListUrl, KindOneAsksForCommentsAnyOtherForRelays) {
  EXPECT_EQ(CommentListUrl("quelm", {1, 3, "223"}),
            "http://blog.plimo.kr/PostCommentMain.plm?blogId=quelm&fno=3&logNo=223&skinId=&skinType=");
  EXPECT_EQ(CommentListUrl("quelm", {2, 3, "223"}),
            "http://blog.plimo.kr/PostRelayList.plm?blogId=quelm&fno=3&logNo=223&skinId=&skinType=");
  EXPECT_EQ(CommentListUrl("quelm", {}),
            "http://blog.plimo.kr/PostRelayList.plm?blogId=quelm&fno=0&logNo=&skinId=&skinType=");
}

TEST(CommentPageFile, IsNamedAsTheListPageScriptAsksAndStaysInTheCommentFolder) {
  const Text root = "\\home\\" + Cp949("블로그백업");
  const CommentPageFile plain = CommentPageFileOf(root, {1, 3, "223"});
  EXPECT_EQ(plain.path, root + "\\comment\\R13223.html");
  EXPECT_EQ(plain.link, plain.path);

  for (const Text& hostile :
       {Text("\\..\\..\\..\\.profile"), Text("/../../x"), Text("..\\P1"), Text("C:\\x")}) {
    const CommentPageFile file = CommentPageFileOf(root, {2, 0, hostile});
    EXPECT_EQ(NativePath(file.path).parent_path(), "/home/블로그백업/comment") << hostile;
    EXPECT_EQ(file.link, file.path) << hostile;
  }
}

TEST(RewriteCommentPage, AppliesItsStepsInOrder) {
  const Text sheet = Text("<link rel='stylesheet' href=../paper.css type='text/css'>") + kPageCharset;
  const Text paging = Cp949("<!--############## 페이징 처리 끝 ##############-->");
  const struct {
    const char* why;
    int kind;
    Text comment;
    Text expected;
  } cases[] = {
      {"head dropped, body made to scroll, onload disabled", 1,
       "<html><head><script>x()</script></head>\r\n<body onload=\"init()\">\r\n<p>a</p>\r\n",
       sheet + "<body scroll='yes'  onload1=\"init()\">\r\n<p>a</p>\r\n"},
      {"no body keeps the whole text", 2, "<p>onload</p>\r\n", sheet + "<p>onload1</p>\r\n"},
      {"empty list", 1, "", sheet},
      {"dot image local", 2, "<body><img src=\"http://img.plimo.kr/imgs/bg_dot01.gif\">",
       sheet + "<body scroll='yes' ><img src=\"../images/bg_dot01.gif\">"},
      {"date field left as its value", 1,
       "<body><input type=\"text\" value=\"2007.03.10 12:00\" class=\"date fil5 pcol2\" "
       "readonly=\"readonly\" />",
       sheet + "<body scroll='yes' >2007.03.10 12:00"},
      {"inputs and report links removed", 2,
       Cp949("<body><input type=\"text\" class=\"cx\" readonly=\"readonly\" /><span>▶</span>신고"
             "<textarea cols=\"50\" rows=\"2\" class=\"textarea\" name=\"contents\" maxlength=\"1000\" "
             "tabindex=\"1\"></textarea>"),
       sheet + "<body scroll='yes' ></textarea>"},
      {"date field end removed before the inputs that split it", 2,
       "<body>\"<input type=\"text\" class=\"cx\" readonly=\"readonly\" /> class=\"date fil5 pcol2\" "
       "readonly=\"readonly\" />",
       sheet + "<body scroll='yes' >\" class=\"date fil5 pcol2\" readonly=\"readonly\" />"},
      {"paging cut after the removals", 1,
       "<body>a" + Cp949("<!--############## <span>▶</span>신고페이징 처리 끝 ##############-->b"),
       sheet + "<body scroll='yes' >a"},
      {"comments cut at the paging", 1, "<body>a" + paging + "<div>1 2 3</div>",
       sheet + "<body scroll='yes' >a"},
      {"relays keep the paging", 2, "<body>a" + paging, sheet + "<body scroll='yes' >a" + paging},
      {"paging before the body is gone with the head", 1, paging + "<body>a",
       sheet + "<body scroll='yes' >a"},
  };
  for (const auto& c : cases) {
    Text comment = c.comment;
    RewriteCommentPage(comment, c.kind);
    EXPECT_EQ(comment, c.expected) << c.why;
  }
}

// The service's side of one test: the comment and relay lists it holds, and icons for every other URL.
struct CommentLists {
  std::string comments;
  std::string relays;
  bool available = true;
  int status = 200;
};

class CommentPageRun {
 public:
  explicit CommentPageRun(const CommentLists& lists)
      : server_([lists](httplib::Server& routes) {
          routes.Get(".*", [lists](const httplib::Request& request, httplib::Response& response) {
            const bool comments = request.target.find("/PostCommentMain.plm?") != std::string::npos;
            const bool relays = request.target.find("/PostRelayList.plm?") != std::string::npos;
            if ((comments || relays) && !lists.available) {
              response.status = 404;
            } else if (comments || relays) {
              response.status = lists.status;
              response.set_content(comments ? lists.comments : lists.relays, "text/html");
            } else {
              response.set_content("GIF89a", "image/gif");
            }
          });
        }),
        proxy_(server_.ProxyUrl()) {
    job.m_strBlogId = "quelm";
    job.m_settings.firstRetryPause = std::chrono::milliseconds(1);
    job.m_strBackupDir = folder_.program() + "\\" + Cp949("블로그백업");
    for (const char* sub : {"", "\\images", "\\files", "\\avicon", "\\comment"})
      CreateFolder(job.m_strBackupDir + sub);
  }

  std::vector<std::string> Targets() const {
    std::vector<std::string> targets;
    for (const auto& request : server_.Requests()) targets.push_back(request.target);
    return targets;
  }
  std::filesystem::path CommentFolder() const { return NativePath(job.m_strBackupDir + "\\comment"); }

 private:
  test::LocalServer server_;
  test::ScopedProxy proxy_;
  test::TempFolder folder_;

 public:
  BackupJob job;
  test::RecordingView view;
  BackupRun run{job, view, {}};
};

struct GoldenCase {
  const char* folder;
  int page;
  int comments;
};

class CommentPagesGolden : public testing::TestWithParam<GoldenCase> {};

TEST_P(CommentPagesGolden, SavedPagesAndHiddenLinksMatchStoredBytes) {
  const GoldenCase& c = GetParam();
  const std::filesystem::path data = test::TestData(std::string("comment_pages/") + c.folder);
  const bool available = std::filesystem::exists(data / "comment_list.html");
  CommentPageRun session(
      {test::ReadAll(data / "comment_list.html"), test::ReadAll(data / "relay_list.html"), available});

  Text page = test::ReadAll(data / "page.html");
  SaveCommentPages(session.run, page, c.page);

  Text shownPage = page;
  Replace(shownPage, session.job.m_strBackupDir, "<archive>");
  test::ExpectGolden(data / "expected" / "page.html", shownPage);
  std::set<std::string> saved;
  for (const auto& entry : std::filesystem::directory_iterator(session.CommentFolder())) {
    saved.insert(entry.path().filename().string());
    test::ExpectGolden(data / "expected" / entry.path().filename(), test::ReadAll(entry.path()));
  }
  std::set<std::string> expected;
  for (const auto& entry : std::filesystem::directory_iterator(data / "expected"))
    if (entry.path().filename() != "page.html") expected.insert(entry.path().filename().string());
  EXPECT_EQ(saved, expected);
  EXPECT_EQ(session.run.vars.nCommentCount, c.comments);
  EXPECT_FALSE(session.run.writeFailed);
}

INSTANTIATE_TEST_SUITE_P(Lists, CommentPagesGolden,
                         testing::Values(GoldenCase{"comments_and_relays", 2, 4},
                                         GoldenCase{"unavailable_list", 1, 0},
                                         // Hanja and two names: too little Hangul for a browser to guess
                                         // the code page, the one case where the declaration decides.
                                         GoldenCase{"hanja_comments", 1, 2}),
                         [](const testing::TestParamInfo<GoldenCase>& param) { return param.param.folder; });

TEST(SaveCommentPages, ShowsItsStatusBeforeEverySearchAndHandlesARepeatedLinkAgain) {
  CommentPageRun session({"<body><img src=\"http://item.plimo.kr/avicon/a.gif\"></body>", "", true});
  const Text link = "<a onclick=\"sublayer('1','3','223')\">";
  // The search begins past the marker's own length, where every composed page has its head.
  const Text post = "<div class=\"post\">";
  Text page = post + link + link;
  SaveCommentPages(session.run, page, 7);

  const std::string searching = "SetStatusText: 7페이지 백업중...(덧글)";
  const std::string icons = "SetStatusText: 7페이지 백업중...(avicon)";
  std::vector<std::string> statuses;
  for (const std::string& call : session.view.Calls())
    if (call == searching || call == icons) statuses.push_back(call);
  EXPECT_EQ(statuses, (std::vector<std::string>{searching, icons, searching, icons, searching}));
  const std::string list =
      "http://blog.plimo.kr/PostCommentMain.plm?blogId=quelm&fno=3&logNo=223&skinId=&skinType=";
  const std::vector<std::string> targets = session.Targets();
  EXPECT_EQ(std::count(targets.begin(), targets.end(), list), 2);
  EXPECT_EQ(session.run.vars.nCommentCount, 2) << "the icons are counted each time";
  const Text hidden = "<a href='" + session.job.m_strBackupDir + "\\comment\\R13223.html'></a>";
  EXPECT_EQ(page, post + link + link + hidden + hidden);
}

TEST(SaveCommentPages, APageWithoutLinksOnlyShowsItsStatus) {
  CommentPageRun session({"", "", true});
  Text page = "<p>" + Cp949("덧글 없는 글") + "</p>";
  const Text before = page;
  SaveCommentPages(session.run, page, 1);
  EXPECT_EQ(page, before);
  EXPECT_EQ(session.view.Calls(), (std::vector<std::string>{"SetStatusText: 1페이지 백업중...(덧글)"}));
  EXPECT_TRUE(session.Targets().empty());
  EXPECT_TRUE(std::filesystem::is_empty(session.CommentFolder()));
}

TEST(SaveCommentPages, AHostilePostNumberIsSavedInsideTheCommentFolder) {
  CommentPageRun session({"<body>x</body>", "<body>y</body>", true});
  ASSERT_TRUE(WriteTextFile(session.job.m_strBackupDir + "\\P1.html", "list page", WriteMode::Create));
  Text page = "<div class=\"post\"><a onclick=\"sublayer('2','0','\\..\\..\\P1')\">";
  SaveCommentPages(session.run, page, 1);

  EXPECT_EQ(test::ReadAll(NativePath(session.job.m_strBackupDir + "\\P1.html")), "list page");
  EXPECT_FALSE(session.run.writeFailed);
  std::vector<std::filesystem::path> saved;
  for (const auto& entry : std::filesystem::directory_iterator(session.CommentFolder()))
    saved.push_back(entry.path());
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_NE(Find(page, "<a href='" + *ProgramPath(saved[0].string()) + "'></a>"), -1) << page;
}

TEST(SaveCommentPages, AHiddenLinkIsNeverTakenForACommentLink) {
  CommentPageRun session({"<body>x</body>", "<body>y</body>", true});
  // The post number carries the marker, and so does the hidden link to its page.
  Text page = "<div class=\"post\"><a onclick=\"sublayer('1','3','x\"onclick=\"sublayer(')\">";
  SaveCommentPages(session.run, page, 1);
  EXPECT_EQ(session.Targets().size(), 2u) << "the link and the marker inside it, not the hidden link";
}

TEST(SaveCommentPages, AListThatArrivedEmptyOrBusyIsAskedForAgainAFewTimesButNotARefusal) {
  const struct {
    int status;
    const char* body;
    long requests;
  } cases[] = {{200, "", 3}, {503, "busy", 3}, {404, "gone", 1}, {200, "<body>y</body>", 1}};
  for (const auto& c : cases) {
    CommentPageRun session({"", c.body, true, c.status});
    Text page = "<div class=\"post\"><a onclick=\"sublayer('2','3','223')\">";
    SaveCommentPages(session.run, page, 1);
    EXPECT_EQ(static_cast<long>(session.Targets().size()), c.requests) << c.status << " " << c.body;
  }
}

TEST(SaveCommentPages, AListThatCannotBeFetchedKeepsThePageAnEarlierRunSaved) {
  CommentPageRun session({"", "", false});
  const Text saved = session.job.m_strBackupDir + "\\comment\\R13223.html";
  ASSERT_TRUE(WriteTextFile(saved, "earlier comments", WriteMode::Create));
  Text page = "<div class=\"post\"><a onclick=\"sublayer('1','3','223')\"><a onclick=\"sublayer('2','3','223')\">";
  SaveCommentPages(session.run, page, 1);
  EXPECT_EQ(test::ReadAll(NativePath(saved)), "earlier comments");
  EXPECT_TRUE(FileExists(session.job.m_strBackupDir + "\\comment\\R23223.html")) << "a missing one is still written";
  EXPECT_NE(Find(page, "<a href='" + saved + "'></a>"), -1);
}

TEST(SaveCommentPages, AFileThatCannotBeWrittenMarksTheRunAndTheScanGoesOn) {
  CommentPageRun session({"<body>x</body>", "<body>y</body>", true});
  std::filesystem::remove(session.CommentFolder());
  Text page =
      "<div class=\"post\"><a onclick=\"sublayer('1','3','223')\"><a onclick=\"sublayer('2','3','223')\">";
  SaveCommentPages(session.run, page, 1);
  EXPECT_TRUE(session.run.writeFailed);
  EXPECT_EQ(session.Targets().size(), 2u);
}

}  // namespace
}  // namespace plimo
