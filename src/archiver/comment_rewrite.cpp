#include "archiver/comment_pages.hpp"
#include "net/endpoints.hpp"
#include "platform/codepage.hpp"
#include "platform/page_charset.hpp"

namespace plimo {

void RewriteCommentPage(Text& comment, int kind) {
  const int body = Find(comment, "<body");
  if (body >= 0) comment = Mid(comment, body);
  // The list is shown in a frame of the list page, which must be able to scroll it.
  Replace(comment, "<body", "<body scroll='yes' ");
  // The head that the cut dropped declared the code page; the saved page must say it again.
  comment = Text("<link rel='stylesheet' href=../paper.css type='text/css'>") + kPageCharset + comment;
  // The service's onload handlers call scripts that the archive does not have.
  Replace(comment, "onload", "onload1");
  Replace(comment, Text(LAYOUT_IMAGE_PREFIX) + "bg_dot01.gif", "../images/bg_dot01.gif");

  // The first two together leave the value of each read-only date field as plain text.
  for (const char* removed :
       {"<input type=\"text\" value=\"", "\" class=\"date fil5 pcol2\" readonly=\"readonly\" />",
        "<input type=\"text\" class=\"cx\" readonly=\"readonly\" />", "<span>▶</span>신고",
        "<textarea cols=\"50\" rows=\"2\" class=\"textarea\" name=\"contents\" "
        "maxlength=\"1000\" tabindex=\"1\">"})
    Replace(comment, Cp949(removed), "");

  if (kind == 1) {
    const int paging = Find(comment, Cp949("<!--############## 페이징 처리 끝 ##############-->"));
    if (paging >= 0) comment = Left(comment, paging);
  }
}

}  // namespace plimo
