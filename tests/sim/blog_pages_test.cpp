// The simulator's pages as the archiver reads them: its markers, in its order, scanned with its own text
// operations.
#include <gtest/gtest.h>

#include <cstdio>

#include "net/endpoints.hpp"
#include "net/text.hpp"
#include "platform/codepage.hpp"
#include "sim/service_urls.hpp"
#include "sim/simulator.hpp"

namespace plimo::test {
namespace {

using sim::BlogKind;
using sim::BlogShape;
using sim::PostModel;
using sim::Simulator;

const Text kTitleStart = "<span class=\"pcol1 itemSubjectBoldfont\">";
const Text kCategoryNameStart = "\"><span class=\"ct\">";
const Text kDateStart = "<p class=\"date fil5 pcol2\">";
const Text kCountMarker = "class=\"num cm-col1\">(";
const std::string kEndOfList = std::string("http://") + IMAGE_HOST + "/pblog/txt_open.gif";
const std::string kBlogError = std::string("http://") + IMAGE_HOST + "/imgs/error_01.gif";

Text Cp949Of(const std::string& utf8) {
  return Utf8ToCp949(utf8).value();
}

// The text between the end of start (searched from position) and the next end; position moves past it.
Text Between(const Text& page, const Text& start, const Text& end, int& position) {
  const int found = Find(page, start, position);
  if (found < 0) return "<missing " + start + ">";
  const int valueStart = found + static_cast<int>(start.size());
  const int valueEnd = Find(page, end, valueStart);
  if (valueEnd < 0) return "<unended " + start + ">";
  position = valueEnd;
  return Mid(page, valueStart, valueEnd - valueStart);
}

struct CommentLink {
  int kind = 0;
  int listNumber = 0;
  std::string logNo;
};

// Read the way the archiver reads it: the pattern over the 50 bytes from the link, the number cut at its
// quote.
CommentLink ReadCommentLink(const Text& page, int& position) {
  CommentLink link;
  const int found = Find(page, "onclick=\"sublayer", position);
  if (found < 0) return link;
  char word[64] = {};
  std::sscanf(Mid(page, found, 50).c_str(), "onclick=\"sublayer('%d','%d','%63s'", &link.kind,
              &link.listNumber, word);
  link.logNo = std::string(word).substr(0, std::string(word).find('\''));
  position = found + 17;
  return link;
}

int Count(const Text& text, const Text& pattern) {
  int count = 0;
  for (int at = Find(text, pattern); at >= 0; at = Find(text, pattern, at + 1)) ++count;
  return count;
}

sim::BlogSpec SpecOf(const std::string& id, BlogShape shape, BlogKind kind = BlogKind::Normal) {
  return {id, "secret", "", kind, shape};
}

TEST(BlogPages, SameIdShapeAndSeedGiveTheSameBytes) {
  const BlogShape shape{2, 3, 2, 2, 1, 3, 2, 7};
  Simulator first;
  Simulator second;
  first.AddBlog(SpecOf("twin", shape));
  second.AddBlog(SpecOf("twin", shape));
  std::vector<std::string> urls = {MainPageUrl("twin"), HomePageUrl("twin"), ListPageUrl("twin", 3)};
  const auto pages = first.Pages("twin");
  EXPECT_EQ(pages.size(), 2u);
  for (int page = 1; page <= 2; ++page) {
    urls.push_back(ListPageUrl("twin", page));
    for (const PostModel& post : pages[static_cast<size_t>(page - 1)]) {
      urls.push_back(ListOfPostUrl(1, "twin", post.listNumber, post.logNo));
      urls.push_back(ListOfPostUrl(2, "twin", post.listNumber, post.logNo));
      urls.insert(urls.end(), post.imageUrls.begin(), post.imageUrls.end());
    }
  }
  for (const std::string& url : urls) {
    EXPECT_FALSE(first.Body(url).empty()) << url;
    EXPECT_EQ(first.Body(url), second.Body(url)) << url;
  }

  Simulator reseeded;
  BlogShape otherSeed = shape;
  otherSeed.seed = 8;
  reseeded.AddBlog(SpecOf("twin", otherSeed));
  EXPECT_NE(first.Body(ListPageUrl("twin", 1)), reseeded.Body(ListPageUrl("twin", 1)));
}

TEST(BlogPages, ListPagesCarryEveryPostInTheArchiversOrder) {
  Simulator simulator;
  simulator.AddBlog(SpecOf("Quelm", {3, 4, 3, 1, 1, 3, 2, 1}));
  const auto pages = simulator.Pages("quelm");
  ASSERT_EQ(pages.size(), 3u);
  const Text categoryStart = "<a href=\"javascript:parent.blogNev('/post/postList.jsp','Quelm','";
  std::string newerDate = "9999";
  for (int number = 1; number <= 3; ++number) {
    SCOPED_TRACE("list page " + std::to_string(number));
    const Text page = simulator.Body(ListPageUrl("quelm", number));
    int position = 0;
    for (const PostModel& post : pages[static_cast<size_t>(number - 1)]) {
      EXPECT_EQ(Between(page, kTitleStart, "</span>", position), Cp949Of(post.titleUtf8));
      EXPECT_EQ(Between(page, categoryStart, "');", position), post.categoryKey);
      EXPECT_EQ(Between(page, kCategoryNameStart, "</span></a>", position), Cp949Of(post.categoryNameUtf8));
      const int dateAt = Find(page, kDateStart, position);
      ASSERT_GE(dateAt, 0);
      const std::string date = Mid(page, dateAt + static_cast<int>(kDateStart.size()), 16);
      EXPECT_EQ(date, post.date);
      EXPECT_LT(date, newerDate);
      newerDate = date;
      position = dateAt;
      for (const int kind : {1, 2}) {
        const CommentLink link = ReadCommentLink(page, position);
        EXPECT_EQ(link.kind, kind);
        EXPECT_EQ(link.listNumber, post.listNumber);
        EXPECT_EQ(link.logNo, post.logNo);
      }
      const std::string no = std::to_string(post.listNumber);
      for (const std::string& element :
           {"id=\"Com" + no + "\"", "id=\"Rew" + no + "\"", "id=\"Comi" + no + "\"",
            "id=\"CommentFrm" + post.logNo + "\"", "id=\"RewFrm" + post.logNo + "\""}) {
        EXPECT_GE(Find(page, element), 0) << element;
      }
    }
    EXPECT_LT(Find(page, kTitleStart, position), 0) << "a post the model does not know";
    EXPECT_EQ(Count(page, "style=\"display:none\"></iframe>"), 2 * 4) << "hidden comment and relay frames";
  }
  EXPECT_GE(Find(simulator.Body(ListPageUrl("quelm", 4)), kEndOfList), 0);
  EXPECT_LT(Find(simulator.Body(ListPageUrl("quelm", 4)), kTitleStart), 0);
}

TEST(BlogPages, ListPageKeepsItsScriptBetweenTheCutMarkers) {
  Simulator simulator;
  simulator.AddBlog(SpecOf("demo", {}));
  const Text page = simulator.Body(ListPageUrl("demo", 1));
  const int table = Find(page, "<!-- table -->");
  const int paging = Find(page, Cp949("<!-- 페이징 -->"));
  ASSERT_GT(table, 0) << "the menu before the posts";
  ASSERT_GT(paging, table);
  EXPECT_GT(Find(page, "<a href=", paging), paging) << "paging links after the posts";
  const Text kept = Mid(page, table, paging - table);
  for (const char* part :
       {"function $(", "var arrChkopen", "function sublayer(ch,no,logNo)", "onclick=popview", "onload=\"",
        "bg_dot.gif", "ico_disk.gif", "ico_n.gif", "btn_addmypaper.gif"}) {
    EXPECT_GE(Find(kept, part), 0) << part;
  }
  EXPECT_LT(Find(kept, "sublayer(ch,no,logNo)"), Find(kept, "onclick=\"sublayer"))
      << "defined before its callers";
  EXPECT_GE(Find(page, "\r\n"), 0);
  bool bareLineFeed = false;
  for (size_t at = 1; at < page.size(); ++at) bareLineFeed |= page[at] == '\n' && page[at - 1] != '\r';
  EXPECT_TRUE(bareLineFeed) << "the service mixes CR LF and bare LF";
}

TEST(BlogPages, MediaStandInEveryFormTheArchiverCollects) {
  Simulator simulator;
  simulator.AddBlog(SpecOf("demo", {1, 4, 2, 0, 0, 3, 2, 3}));
  const Text page = simulator.Body(ListPageUrl("demo", 1));
  std::string imageOpeners;
  std::string attachmentOpeners;
  const auto pages = simulator.Pages("demo");
  for (const PostModel& post : pages[0]) {
    for (const std::string& url : post.imageUrls) {
      ASSERT_EQ(url.rfind(BLOGFILES_PREFIX, 0), 0u) << url;
      const int at = Find(page, url);
      ASSERT_GT(at, 0) << url;
      imageOpeners += page[static_cast<size_t>(at - 1)];
    }
    for (const std::string& url : post.attachmentUrls) {
      ASSERT_EQ(url.rfind(MFILES_PREFIX, 0), 0u) << url;
      const int at = Find(page, url);
      ASSERT_GT(at, 0) << url;
      attachmentOpeners += page[static_cast<size_t>(at - 1)];
    }
  }
  for (const char opener : std::string("\"'>")) {
    EXPECT_NE(imageOpeners.find(opener), std::string::npos) << "a post image after " << opener;
  }
  EXPECT_EQ(attachmentOpeners.find_first_not_of("\"'"), std::string::npos);
  EXPECT_GE(Find(page, "showImage('" + std::string(BLOGFILES_PREFIX)), 0) << "an image inside a script call";
}

TEST(BlogPages, BlogKindsShowTheirMarkers) {
  Simulator simulator;
  simulator.AddBlog(SpecOf("normal", {1, 2, 1, 0, 0, 0, 0, 1}));
  simulator.AddBlog(SpecOf("unregistered", {}, BlogKind::Unregistered));
  simulator.AddBlog(SpecOf("unused", {}, BlogKind::Unused));
  struct Case {
    std::string id;
    int postCount;  // -1: no count on the main page
    std::string firstPageMarker;
  };
  const Case cases[] = {
      {"normal", 2, kTitleStart},
      {"unregistered", 0, kBlogError},
      {"unused", 0, kEndOfList},
      {"nobody", -1, kBlogError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const Text main = simulator.Body(MainPageUrl(c.id));
    const int count = Find(main, kCountMarker);
    if (c.postCount < 0) {
      EXPECT_LT(count, 0);
    } else {
      ASSERT_GE(count, 0);
      EXPECT_EQ(ReadNumber(Mid(main, count + static_cast<int>(kCountMarker.size()))), c.postCount);
      EXPECT_GE(Find(main, ")", count), 0);
    }
    const Text firstPage = simulator.Body(ListPageUrl(c.id, 1));
    EXPECT_GE(Find(firstPage, c.firstPageMarker), 0);
    EXPECT_EQ(Find(firstPage, kEndOfList) >= 0 && Find(firstPage, kBlogError) >= 0, false);
  }
}

TEST(BlogPages, HomePageNamesTheTitle) {
  Simulator simulator;
  simulator.AddBlog({"demo", "pw", "햏자의 블로그 ", BlogKind::Normal, {}});
  EXPECT_GE(Find(simulator.Body(HomePageUrl("demo")), Cp949("<title>햏자의 블로그 :: Plimo  블로그</title>")),
            0);
  EXPECT_LT(Find(simulator.Body(HomePageUrl("nobody")), Cp949(":: Plimo  블로그</title>")), 0);
}

TEST(BlogPages, RefusesWhatItCannotServe) {
  Simulator simulator;
  EXPECT_THROW(simulator.AddBlog({"", "pw", "", BlogKind::Normal, {}}), std::invalid_argument);
  EXPECT_THROW(simulator.AddBlog({"a&b", "pw", "", BlogKind::Normal, {}}), std::invalid_argument);
  EXPECT_THROW(simulator.AddBlog({"ok", "pw", "\xF0\x9F\x98\x80", BlogKind::Normal, {}}),
               std::invalid_argument);
}

}  // namespace
}  // namespace plimo::test
