// Comment and relay lists as the archiver rewrites them: what it strips, cuts and localises must be there.
#include <gtest/gtest.h>

#include "net/endpoints.hpp"
#include "net/text.hpp"
#include "platform/codepage.hpp"
#include "sim/service_urls.hpp"
#include "sim/simulator.hpp"

namespace plimo::test {
namespace {

using sim::PostModel;
using sim::Simulator;

int Count(const Text& text, const Text& pattern) {
  int count = 0;
  for (int at = Find(text, pattern); at >= 0; at = Find(text, pattern, at + 1)) ++count;
  return count;
}

class CommentLists : public ::testing::Test {
 protected:
  void SetUp() override {
    simulator_.AddBlog({"demo", "pw", "", sim::BlogKind::Normal, {2, 3, 2, 4, 2, 0, 0, 5}});
  }

  std::vector<PostModel> Posts() const {
    std::vector<PostModel> posts;
    for (const auto& page : simulator_.Pages("demo")) posts.insert(posts.end(), page.begin(), page.end());
    return posts;
  }

  Simulator simulator_;
};

TEST_F(CommentLists, CarryWhatTheArchiverStripsAndCuts) {
  const Text pagingEnd = Cp949("<!--############## 페이징 처리 끝 ##############-->");
  const Text stripped[] = {
      "<input type=\"text\" value=\"",
      "\" class=\"date fil5 pcol2\" readonly=\"readonly\" />",
      "<input type=\"text\" class=\"cx\" readonly=\"readonly\" />",
      Cp949("<span>▶</span>신고"),
      "<textarea cols=\"50\" rows=\"2\" class=\"textarea\" name=\"contents\" maxlength=\"1000\" "
      "tabindex=\"1\">",
  };
  const PostModel post = Posts().front();
  for (const int kind : {1, 2}) {
    SCOPED_TRACE(kind == 1 ? "comments" : "relays");
    const Text list = simulator_.Body(ListOfPostUrl(kind, "demo", post.listNumber, post.logNo));
    EXPECT_GT(Find(list, "<head>"), -1);
    EXPECT_GT(Find(list, "<body"), Find(list, "<head>"));
    EXPECT_GT(Find(list, "onload=", Find(list, "<body")), 0);
    EXPECT_GE(Find(list, std::string(LAYOUT_IMAGE_PREFIX) + "bg_dot01.gif"), 0);
    for (const Text& text : stripped) EXPECT_GE(Find(list, text), 0) << Cp949ToUtf8Lossy(text);
    const int paging = Find(list, pagingEnd);
    if (kind == 1) {
      ASSERT_GT(paging, 0);
      EXPECT_GE(Find(list, "<a href=", paging), 0) << "paging after the marker";
    } else {
      EXPECT_LT(paging, 0);
    }
  }
  EXPECT_TRUE(simulator_.Body(ListOfPostUrl(1, "demo", post.listNumber + 1, post.logNo)).empty())
      << "a list number that is not the post's";
}

TEST_F(CommentLists, IconsStandAsTheModelSays) {
  size_t tabbed = 0;
  size_t loose = 0;
  for (const PostModel& post : Posts()) {
    const Text lists = simulator_.Body(ListOfPostUrl(1, "demo", post.listNumber, post.logNo)) +
                       simulator_.Body(ListOfPostUrl(2, "demo", post.listNumber, post.logNo));
    EXPECT_EQ(Count(lists, AVICON_PREFIX), static_cast<int>(post.aviconUrls.size()));
    for (const std::string& avicon : post.aviconUrls) {
      const int at = Find(lists, avicon);
      ASSERT_GT(at, 0);
      EXPECT_NE(std::string("\"'").find(lists[static_cast<size_t>(at - 1)]), std::string::npos);
      EXPECT_NE(avicon.find('/', std::string(AVICON_PREFIX).size()), std::string::npos) << "several segments";
    }
    int afterTab = 0;
    for (int at = Find(lists, EMOTICON_PREFIX); at >= 0; at = Find(lists, EMOTICON_PREFIX, at + 1)) {
      afterTab += at >= 11 && lists[static_cast<size_t>(at - 11)] == '\t';
    }
    EXPECT_EQ(afterTab, static_cast<int>(post.emoticonUrls.size()));
    EXPECT_EQ(Count(lists, EMOTICON_PREFIX) - afterTab, static_cast<int>(post.looseEmoticonUrls.size()));
    tabbed += post.emoticonUrls.size();
    loose += post.looseEmoticonUrls.size();
  }
  EXPECT_GT(tabbed, 0u);
  EXPECT_GT(loose, 0u);
}

TEST_F(CommentLists, EveryMediaUrlServesARealPicture) {
  std::vector<std::string> urls;
  for (const char* name : {"bg_dot.gif", "bg_dot01.gif", "ico_disk.gif", "ico_n.gif", "btn_addmypaper.gif"}) {
    urls.push_back(std::string(LAYOUT_IMAGE_PREFIX) + name);
  }
  simulator_.AddBlog({"media", "pw", "", sim::BlogKind::Normal, {1, 3, 1, 3, 1, 3, 3, 2}});
  const auto pages = simulator_.Pages("media");
  for (const PostModel& post : pages[0]) {
    for (const auto* list : {&post.imageUrls, &post.attachmentUrls, &post.aviconUrls, &post.emoticonUrls,
                             &post.looseEmoticonUrls}) {
      urls.insert(urls.end(), list->begin(), list->end());
    }
  }
  for (const std::string& url : urls) {
    const std::string body = simulator_.Body(url);
    const bool gif = url.substr(url.size() - 4) == ".gif";
    EXPECT_EQ(body.substr(0, gif ? 6 : 2), gif ? "GIF89a" : "\xFF\xD8") << url;
    EXPECT_EQ(body.substr(body.size() - (gif ? 1 : 2)), gif ? ";" : "\xFF\xD9") << url;
  }
  EXPECT_TRUE(simulator_.Body(std::string(BLOGFILES_PREFIX) + "1.plimo.kr/no/such.jpg").empty());
}

}  // namespace
}  // namespace plimo::test
