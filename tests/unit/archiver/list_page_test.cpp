#include "archiver/list_page.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "archiver/comment_script.hpp"
#include "platform/codepage.hpp"
#include "platform/page_charset.hpp"
#include "support/golden_file.hpp"
#include "support/recording_view.hpp"
#include "support/temp_folder.hpp"

namespace plimo {
namespace {

using test::ExpectGolden;
using test::ReadAll;
using test::TestData;

// Writes a composed page through the same steps as a run and returns the file's bytes.
std::string FinishedFileBytes(Text page, const Text& titles, int n) {
  test::TempFolder folder;
  const Text path = folder.program() + Format("\\P%d.html", n);
  test::RecordingView view;
  std::unique_ptr<PendingFile> file = OpenPageFile(view, path);
  EXPECT_TRUE(file);
  if (!file) return {};
  EXPECT_TRUE(FinishListPage(page, titles, *file));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.native()), {}), 1)
      << "no temporary left";
  return ReadAll(NativePath(path));
}

struct GoldenCase {
  const char* folder;
  int page;
  const char* titlesUtf8;
};

class ListPageGolden : public testing::TestWithParam<GoldenCase> {};

TEST_P(ListPageGolden, ComposedAndFinishedPagesMatchStoredBytes) {
  const GoldenCase& c = GetParam();
  const std::filesystem::path folder = TestData(std::string("list_page/") + c.folder);
  const Text composed = ComposeListPage(ReadAll(folder / "fetched.html"), c.page);
  ExpectGolden(folder / "composed.html", composed);
  ExpectGolden(folder / "finished.html", FinishedFileBytes(composed, Cp949(c.titlesUtf8), c.page));
}

INSTANTIATE_TEST_SUITE_P(Pages, ListPageGolden,
                         testing::Values(GoldenCase{"both_markers", 2, "첫 글/둘째 글/"},
                                         GoldenCase{"no_markers", 1, ""}),
                         [](const testing::TestParamInfo<GoldenCase>& param) { return param.param.folder; });

TEST(CommentScript, HasFortyCrlfSeparatedLinesAndBothKinds) {
  const Text& script = CommentScript();
  EXPECT_EQ(script.rfind("<script>function sublayer( ch, no, logNo) {", 0), 0u);
  EXPECT_TRUE(script.ends_with("arrChkopen[no] = ch;}</script>"));
  int lineFeeds = 0;
  for (size_t i = 0; i < script.size(); ++i) {
    if (script[i] != '\n') continue;
    ++lineFeeds;
    EXPECT_TRUE(i > 0 && script[i - 1] == '\r') << "lone line feed at " << i;
  }
  EXPECT_EQ(lineFeeds, 39);
  EXPECT_NE(Find(script, Cp949("//덧글")), -1);
  EXPECT_NE(Find(script, Cp949("//엮인글")), -1);
  EXPECT_NE(Find(script, "\r\n\t"), -1);
  EXPECT_NE(Find(script, "\t    "), -1) << "tabs indent, spaces align";
  EXPECT_NE(Find(script, "'comment/R'+ch+no+logNo+'.html'"), -1);
}

TEST(ComposeListPage, NavigationLinksNeighboursAndPageOneLinksToItself) {
  const struct { int page, previous, next; } cases[] = {{1, 1, 2}, {2, 1, 3}, {9, 8, 10}};
  for (const auto& c : cases) {
    const Text composed = ComposeListPage("posts", c.page);
    const Text links = Format(
        Cp949("<a href=\"P%d.html\">[◀ 이전페이지]</a> %d 페이지 <a href=\"P%d.html\">[다음페이지 ▶]</a>"),
        c.previous, c.page, c.next);
    const int first = Find(composed, links);
    EXPECT_NE(first, -1) << c.page;
    EXPECT_NE(Find(composed, links, first + 1), -1) << "a table on both sides, page " << c.page;
    EXPECT_NE(Find(composed, "\xA1\xA1</td>"), -1) << "the full-width space of code page 949";
  }
}

TEST(ComposeListPage, KeepsThePostsBetweenTheMarkersAndBlocksLoadHandlers) {
  const Text paging = Cp949("<!-- 페이징 -->");
  const struct {
    Text fetched, posts;
  } cases[] = {
      {"head<!-- table -->posts" + paging + "tail", "<!-- table -->posts"},
      {"head<!-- table -->posts", "<!-- table -->posts"},
      {"posts" + paging + "tail", "posts"},
      {"no markers", "no markers"},
      {"a" + paging + "b<!-- table -->c", "<!-- table -->c"},
      {"<!-- table --><body onload=\"f()\" onloadend=1>",
       "<!-- table --><body onload_block=\"f()\" onload_blockend=1>"},
  };
  for (const auto& c : cases) {
    const Text composed = ComposeListPage(c.fetched, 4);
    const Text front =
        CommentScript() + "<LINK REL=\"StyleSheet\" HREF=\"paper.css\" type=\"text/css\">" + kPageCharset;
    ASSERT_EQ(composed.rfind(front, 0), 0u);
    const Text wrapped = composed.substr(front.size());
    const size_t tableLength = wrapped.find("</table>") + 8;
    EXPECT_EQ(wrapped.substr(tableLength, wrapped.size() - 2 * tableLength), c.posts) << c.fetched;
    EXPECT_EQ(wrapped.substr(0, tableLength), wrapped.substr(wrapped.size() - tableLength));
  }
}

TEST(FinishListPage, PutsTheTitleInFrontAndWritesTheReplacementsWithCrlf) {
  const Text layout = "http://img.plimo.kr/imgs/";
  const Text page = "<a onclick=popview(1)>\n<img src=\"" + layout + "bg_dot.gif\"><img src=\"" + layout +
                    "bg_dot01.gif\">\r\n<img src=\"" + layout + "ico_disk.gif\">" + layout + "ico_n.gif " +
                    layout + "btn_addmypaper.gif\nfunction sublayer(ch,no,logNo) {}";
  EXPECT_EQ(
      FinishedFileBytes(page, "A/B/", 3),
      "<TITLE>A/B/</TITLE><a noclick=popview(1)>\r\n<img src=\"images/bg_dot.gif\"><img src=\"" + layout +
          "bg_dot01.gif\">\r\n<img src=\"images/ico_disk.gif\">images/ico_n.gif images/btn_addmypaper.gif\r\n"
          "function sublayer_replace(ch,no,logNo) {}");

  const std::string composed = FinishedFileBytes(ComposeListPage("x", 1), "A/B/", 1);
  EXPECT_EQ(composed.rfind("<TITLE>A/B/</TITLE>" + CommentScript() + "<LINK", 0), 0u)
      << "the script is left as it is";
}

TEST(FinishListPage, ReplacesAnEarlierPageWhole) {
  test::TempFolder folder;
  const Text path = folder.program() + "\\P1.html";
  std::ofstream(NativePath(path), std::ios::binary) << std::string(5000, 'x');
  test::RecordingView view;
  std::unique_ptr<PendingFile> file = OpenPageFile(view, path);
  ASSERT_TRUE(file);
  Text page = "new";
  ASSERT_TRUE(FinishListPage(page, "T/", *file));
  EXPECT_EQ(ReadAll(NativePath(path)), "<TITLE>T/</TITLE>new");
}

// Makes the missing folder appear while the question is open, as a user would free the file.
class FreeingView : public test::RecordingView {
 public:
  explicit FreeingView(std::filesystem::path freedFolder) : freedFolder_(std::move(freedFolder)) {}
  bool AskRetry(const Text& message) override {
    std::filesystem::create_directory(freedFolder_);
    return RecordingView::AskRetry(message);
  }

 private:
  std::filesystem::path freedFolder_;
};

TEST(OpenPageFile, AsksWithThePathUntilTheViewGivesUp) {
  test::TempFolder folder;
  const Text path = folder.program() + "\\gone\\P2.html";
  test::RecordingView view;
  view.retriesBeforeGivingUp = 2;
  EXPECT_FALSE(OpenPageFile(view, path));
  const std::string message =
      *Cp949ToUtf8(path) +
      "파일이 읽기전용이거나 다른 프로세서에 의해 잠겨있습니다. 파일을 닫고 재시도하십시오.";
  EXPECT_EQ(view.CallsOf("AskRetry"), std::vector<std::string>(3, message));
}

TEST(OpenPageFile, OpensOnceARetryFindsTheWayFree) {
  test::TempFolder folder;
  FreeingView view(folder.native() / "later");
  view.retriesBeforeGivingUp = 1;
  std::unique_ptr<PendingFile> file = OpenPageFile(view, folder.program() + "\\later\\P1.html");
  ASSERT_TRUE(file);
  EXPECT_EQ(view.CallsOf("AskRetry").size(), 1u);
  EXPECT_TRUE(file->Commit());
  EXPECT_TRUE(std::filesystem::exists(folder.native() / "later" / "P1.html"));
}

}  // namespace
}  // namespace plimo
