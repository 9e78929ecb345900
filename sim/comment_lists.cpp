#include "sim/comment_lists.hpp"

#include <string_view>

#include "net/endpoints.hpp"
#include "sim/page_writer.hpp"

namespace plimo::sim {
namespace {

// What an archive strips from these lists: the read-only fields and the report and write boxes.
constexpr std::string_view kDateField = "<input type=\"text\" value=\"";
constexpr std::string_view kDateFieldEnd = "\" class=\"date fil5 pcol2\" readonly=\"readonly\" />";
constexpr std::string_view kCxField = "<input type=\"text\" class=\"cx\" readonly=\"readonly\" />";
constexpr std::string_view kReport = "<a href=\"#\" onclick=\"return false;\"><span>▶</span>신고</a>";
constexpr std::string_view kWriteBox =
    "<textarea cols=\"50\" rows=\"2\" class=\"textarea\" name=\"contents\" maxlength=\"1000\" "
    "tabindex=\"1\">";

void WriteTop(PageWriter& page, std::string_view titleUtf8, const std::string& frameId,
              std::string_view bodyClass) {
  page.Line("<html>").Line("<head>");
  page.Line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=euc-kr\">");
  page << "<title>" << titleUtf8 << "</title>";
  page.Line();
  page << "<script type=\"text/javascript\">function resizeFrame() { var f = parent.document.getElementById('"
       << frameId << "'); if (f) f.style.height = document.body.scrollHeight + 'px'; }</script>";
  page.Line();
  page.Line("</head>");
  page << "<body onload=\"resizeFrame()\" class=\"" << bodyClass << "\" style=\"background:url(http://"
       << IMAGE_HOST << "/imgs/bg_dot01.gif) repeat-x\">";
  page.Line();
}

// A tab eleven bytes before the emoticon's URL is what marks it as the service's own.
void WriteText(PageWriter& page, const ListEntry& entry) {
  page << entry.textUtf8;
  if (entry.emoticonUrl.empty()) return;
  page << (entry.emoticonAfterTab ? "\t" : " ") << "<img src=\"" << entry.emoticonUrl
       << "\" class=\"emot\" alt=\"\">";
}

void WriteComment(PageWriter& page, const ListEntry& comment) {
  page.Line("<li class=\"cmt-item\">");
  page << "<div class=\"cmt-head\"><img src=\"" << comment.aviconUrl
       << "\" width=\"16\" height=\"16\" class=\"avicon\" alt=\"\"> <b class=\"pcol1\">" << comment.authorUtf8
       << "</b>";
  page.Line();
  page << kDateField << comment.date << kDateFieldEnd << "</div>";
  page.Line();
  page << "<div class=\"cmt-text\">";
  WriteText(page, comment);
  page << "</div>";
  page.Line();
  page << "<div class=\"cmt-tool\">" << kCxField << " " << kReport << "</div>";
  page.Line();
  page.Line("</li>");
}

void WriteRelay(PageWriter& page, const ListEntry& relay) {
  page.Line("<li class=\"rew-item\">");
  page << "<img src='" << relay.aviconUrl << "' width=\"16\" height=\"16\" class=\"avicon\" alt=\"\"> "
       << "<a href=\"#\" class=\"pcol1\">" << relay.titleUtf8 << "</a> <span class=\"pcol2\">"
       << relay.authorUtf8 << "</span>";
  page.Line();
  page << kDateField << relay.date << kDateFieldEnd;
  page.Line();
  page << "<p>";
  WriteText(page, relay);
  page << "</p>" << kCxField << " " << kReport;
  page.Line();
  page.Line("</li>");
}

}  // namespace

std::string CommentList(const GeneratedBlog& blog, const Post& post) {
  PageWriter page;
  WriteTop(page, "덧글", "CommentFrm" + post.model.logNo, "cmt-body");
  page.Line("<div class=\"cmt-list\">").Line("<ul>");
  for (const ListEntry& comment : post.comments) WriteComment(page, comment);
  if (post.comments.empty()) page.Line("<li class=\"none\">등록된 덧글이 없습니다.</li>");
  page.Line("</ul>").Line("</div>");
  page.Line("<form name=\"cmtForm\" action=\"/PostCommentWrite.plm\" method=\"post\">");
  page << kWriteBox << "</textarea> <button type=\"submit\">등록</button>";
  page.Line();
  page.Line("</form>");
  page.Line("<!--############## 페이징 처리 끝 ##############-->");
  page << "<div class=\"paging\"><a href=\"/PostCommentMain.plm?blogId=" << blog.spec.id
       << "&fno=" << post.model.listNumber << "&logNo=" << post.model.logNo
       << "&skinId=&skinType=&currentPage=1\"><strong>1</strong></a></div>";
  page.Line();
  page.Line("</body>").Line("</html>");
  return page.Cp949Page();
}

std::string RelayList(const GeneratedBlog& blog, const Post& post) {
  PageWriter page;
  WriteTop(page, "엮인글", "RewFrm" + post.model.logNo, "rew-body");
  page.Line("<div class=\"rew-list\">").Line("<ul>");
  for (const ListEntry& relay : post.relays) WriteRelay(page, relay);
  if (post.relays.empty()) page.Line("<li class=\"none\">등록된 엮인글이 없습니다.</li>");
  page.Line("</ul>").Line("</div>");
  page << "<div class=\"rew-addr\">엮인글 주소 : " << kWriteBox << "http://" << BLOG_HOST << "/"
       << blog.spec.id << "/" << post.model.logNo << "</textarea></div>";
  page.Line();
  page.Line("</body>").Line("</html>");
  return page.Cp949Page();
}

}  // namespace plimo::sim
