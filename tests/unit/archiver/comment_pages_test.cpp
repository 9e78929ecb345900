#include "archiver/comment_pages.hpp"

#include <gtest/gtest.h>

#include "platform/codepage.hpp"
#include "platform/files.hpp"

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
  const Text sheet = "<link rel='stylesheet' href=../paper.css type='text/css'>";
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

}  // namespace
}  // namespace plimo
