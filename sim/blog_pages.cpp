#include "sim/blog_pages.hpp"

#include <algorithm>
#include <string_view>

#include "net/endpoints.hpp"
#include "sim/page_writer.hpp"

namespace plimo::sim {
namespace {

const std::string kLayoutImages = std::string("http://") + IMAGE_HOST + "/imgs/";
const std::string kEndOfListImage = std::string("http://") + IMAGE_HOST + "/pblog/txt_open.gif";
const std::string kBlogErrorImage = std::string("http://") + IMAGE_HOST + "/imgs/error_01.gif";

void WriteHead(PageWriter& page, std::string_view titleUtf8) {
  page.Line("<html>").Line("<head>");
  page.Line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=euc-kr\">");
  page << "<title>" << titleUtf8 << "</title>";
  page.Line();
  page.Line("</head>");
}

// Everything before the list's own table: the menu that an archive leaves out.
void WriteListTop(PageWriter& page, const GeneratedBlog& blog) {
  const std::string& id = blog.spec.id;
  WriteHead(page, blog.spec.titleUtf8 + " :: 글 목록");
  page.Line("<body onload=\"initPage()\" class=\"blog-body\">");
  page << "<script type=\"text/javascript\">var blogId = '" << id << "'; function initPage() {}</script>";
  page.Line();
  page << "<div id=\"menu\"><a href=\"http://" << BLOG_HOST << "/" << id << ".do\" target=\"_top\">"
       << blog.spec.titleUtf8 << "</a> | <a href=\"http://" << BLOG_HOST << "/PBlogMain.plm?blogId=" << id
       << "\">프로필</a></div>";
  page.Line();
}

// The page's own script, kept by an archive: the comment frames need its $ and arrChkopen, and
// its sublayer is the one the archive renames away.
void WriteListScript(PageWriter& page, const std::string& id) {
  page.Line("<script type=\"text/javascript\">");
  page.Line("function $(id) { return document.getElementById(id); }");
  page.Line("var arrChkopen = new Array();");
  page.Line("function sublayer(ch,no,logNo) {");
  page.Line("\tvar frm = (ch == '1') ? $('CommentFrm' + logNo) : $('RewFrm' + logNo);");
  page.Line("\tvar other = (ch == '1') ? $('RewFrm' + logNo) : $('CommentFrm' + logNo);");
  page.Line("\tvar list = (ch == '1') ? '/PostCommentMain.plm' : '/PostRelayList.plm';");
  page.Line("\tif (frm.style.display == 'none' || arrChkopen[no] != ch) {");
  page << "\t\tfrm.src = list + '?blogId=" << id << "&fno=' + no + '&logNo=' + logNo + '&skinId=&skinType=';";
  page.Line();
  page.Line("\t\tfrm.style.display = 'block';");
  page.Line("\t\tother.style.display = 'none';");
  page.Line("\t} else {");
  page.Line("\t\tfrm.style.display = 'none';");
  page.Line("\t}");
  page.Line("\tarrChkopen[no] = ch;");
  page.Line("}");
  page.Line(
      "function popview(img) { window.open(img.src, 'popview', 'width=640,height=480,resizable=yes'); }");
  page.Line("function fitImage(img) { if (img.width > 500) img.width = 500; }");
  page.Line(
      "function showImage(url, width) { document.write('<img src=\"' + url + '\" width=\"' + width + '\" "
      "class=\"post-img\">'); }");
  page.Line("function addMyPaper(logNo) { alert('스크랩은 로그인 후 이용할 수 있습니다.'); }");
  page.Line("</script>");
}

void WriteImage(PageWriter& page, const std::string& url, ImageForm form) {
  switch (form) {
    case ImageForm::DoubleQuoted:
      page << "<img src=\"" << url
           << "\" class=\"post-img\" onclick=popview(this) onload=\"fitImage(this)\">";
      break;
    case ImageForm::ScriptCall:
      page << "<script type=\"text/javascript\">showImage('" << url << "', 400);</script>";
      break;
    case ImageForm::ElementText:
      page << "<p class=\"img-caption\">" << url << "</p>";
      break;
  }
  page.Line();
}

void WritePost(PageWriter& page, const std::string& id, const Post& post, bool markedNew) {
  const PostModel& model = post.model;
  const std::string number = std::to_string(model.listNumber);
  page.Line("<tr><td>");
  page << "<a name=\"" << model.logNo << "\"></a>";
  page.Line();
  page << "<table width=\"100%\" class=\"post-head\" style=\"background:url(" << kLayoutImages
       << "bg_dot.gif) repeat-x bottom\">";
  page.Line();
  page << "<tr><td class=\"title\"><span class=\"pcol1 itemSubjectBoldfont\">" << model.titleUtf8
       << "</span>";
  if (markedNew) page << " <img src=\"" << kLayoutImages << "ico_n.gif\" alt=\"new\">";
  page << "</td>";
  page.Line();
  page << "<td class=\"cate\" nowrap><a href=\"javascript:parent.blogNev('/post/postList.jsp','" << id
       << "','" << model.categoryKey << "');\"><span class=\"ct\">" << model.categoryNameUtf8
       << "</span></a></td></tr>";
  page.Line();
  page << "<tr><td colspan=\"2\"><p class=\"date fil5 pcol2\">" << model.date << "</p></td></tr>";
  page.Line();
  page.Line("</table>");
  page << "<div class=\"post-body\" id=\"post_" << model.logNo << "\">";
  page.Line();
  for (const std::string& paragraph : post.paragraphsUtf8) {
    page << "<p>" << paragraph << "</p>";
    page.Line();
  }
  for (size_t index = 0; index < model.imageUrls.size(); ++index) {
    WriteImage(page, model.imageUrls[index], post.imageForms[index]);
  }
  for (size_t index = 0; index < model.attachmentUrls.size(); ++index) {
    const char quote = index % 2 == 0 ? '"' : '\'';
    page << "<div class=\"attach\"><a href=" << std::string(1, quote) << model.attachmentUrls[index]
         << std::string(1, quote) << "><img src=\"" << kLayoutImages
         << "ico_disk.gif\" align=\"absmiddle\" border=\"0\"> " << post.attachmentNamesUtf8[index]
         << "</a></div>";
    page.Line();
  }
  page.Line("</div>");
  page.Line("<div class=\"post-foot\">");
  page << "<a href=\"#\" id=\"Com" << number << "\" class=\"ico2\" onclick=\"sublayer('1','" << number
       << "','" << model.logNo << "'); return false;\">덧글 <span id=\"Comi" << number
       << "\" class=\"pcol2\">" << model.comments << "</span></a> |";
  page.Line();
  page << "<a href=\"#\" id=\"Rew" << number << "\" class=\"pcol2\" onclick=\"sublayer('2','" << number
       << "','" << model.logNo << "'); return false;\">엮인글 " << model.relays << "</a> |";
  page.Line();
  page << "<a href=\"javascript:addMyPaper('" << model.logNo << "')\"><img src=\"" << kLayoutImages
       << "btn_addmypaper.gif\" border=\"0\" alt=\"스크랩\"></a>";
  page.Line();
  page.Line("</div>");
  for (const char* frame : {"CommentFrm", "RewFrm"}) {
    page << "<iframe id=\"" << frame << model.logNo << "\" name=\"" << frame << model.logNo
         << "\" src=\"about:blank\" width=\"100%\" height=\"300\" frameborder=\"0\" "
            "style=\"display:none\"></iframe>";
    page.Line();
  }
  page.Line("</td></tr>");
}

void WritePaging(PageWriter& page, const GeneratedBlog& blog, int current) {
  page << "<div class=\"paging\">";
  const int last = std::max(static_cast<int>(blog.pages.size()), 1);
  for (int number = 1; number <= last; ++number) {
    if (number == current) {
      page << "<strong>" << number << "</strong> ";
    } else {
      page << "<a href=\"/PostList.plm?blogId=" << blog.spec.id << "&currentPage=" << number
           << "&categoryNo=0&viewdate=\">" << number << "</a> ";
    }
  }
  page << "</div>";
  page.Line();
  page.Line("<div id=\"footer\">Copyright &copy; Plimo Corp. All rights reserved.</div>");
  page.Line("</body>").Line("</html>");
}

// A list page without posts that shows one of the service's marker images.
std::string MarkerPage(const GeneratedBlog& blog, int current, const std::string& image,
                       std::string_view altUtf8) {
  PageWriter page;
  WriteListTop(page, blog);
  page.Line("<!-- table -->");
  page << "<div class=\"empty\"><img src=\"" << image << "\" alt=\"" << altUtf8 << "\"></div>";
  page.Line();
  page.Line("<!-- 페이징 -->");
  WritePaging(page, blog, current);
  return page.Cp949Page();
}

std::string MissingBlogPage() {
  PageWriter page;
  WriteHead(page, "Plimo 블로그");
  page.Line("<body>");
  page << "<div class=\"error\"><img src=\"" << kBlogErrorImage
       << "\" alt=\"\"> 요청하신 블로그를 찾을 수 없습니다.</div>";
  page.Line();
  page.Line("</body>").Line("</html>");
  return page.Cp949Page();
}

}  // namespace

std::string MainPage(const GeneratedBlog* blog) {
  if (blog == nullptr) return MissingBlogPage();
  const std::string& id = blog->spec.id;
  PageWriter page;
  WriteHead(page, blog->spec.titleUtf8);
  page.Line("<body onload=\"initMain()\" class=\"blog-main\">");
  page.Line(
      "<script type=\"text/javascript\">function initMain() {} function blogNev(path, id, key) {}</script>");
  page << "<div id=\"profile\"><h1>" << blog->spec.titleUtf8 << "</h1></div>";
  page.Line();
  page.Line("<ul class=\"category\">");
  page << "<li><a href=\"javascript:blogNev('/post/postList.jsp','" << id << "','0');\">전체보기</a> "
       << "<em class=\"num cm-col1\">(" << blog->PostCount() << ")</em></li>";
  page.Line();
  for (const Category& category : blog->categories) {
    page << "<li><a href=\"javascript:blogNev('/post/postList.jsp','" << id << "','" << category.key
         << "');\">" << category.nameUtf8 << "</a></li>";
    page.Line();
  }
  page.Line("</ul>");
  page
      << "<iframe name=\"mainFrame\" src=\"/PostList.plm?blogId=" << id
      << "&currentPage=1&categoryNo=0&viewdate=\" width=\"100%\" height=\"2000\" frameborder=\"0\"></iframe>";
  page.Line();
  page.Line("</body>").Line("</html>");
  return page.Cp949Page();
}

std::string ListPage(const GeneratedBlog* blog, int current) {
  if (blog == nullptr) return MissingBlogPage();
  if (blog->spec.kind == BlogKind::Unregistered) {
    return MarkerPage(*blog, current, kBlogErrorImage, "등록되지 않은 블로그입니다");
  }
  if (current < 1 || current > static_cast<int>(blog->pages.size())) {
    return MarkerPage(*blog, current, kEndOfListImage, "더 이상 글이 없습니다");
  }
  const std::string& id = blog->spec.id;
  PageWriter page;
  WriteListTop(page, *blog);
  page.Line("<!-- table -->");
  WriteListScript(page, id);
  page.Line("<table width=\"100%\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\" class=\"post-list\">");
  bool first = true;
  for (const Post& post : blog->pages[static_cast<size_t>(current - 1)]) {
    WritePost(page, id, post, first);
    first = false;
  }
  page.Line("</table>");
  page.Line("<!-- 페이징 -->");
  WritePaging(page, *blog, current);
  return page.Cp949Page();
}

std::string HomePage(const GeneratedBlog* blog) {
  PageWriter page;
  if (blog == nullptr) {
    WriteHead(page, "Plimo 블로그");
    page.Line("<body>요청하신 블로그를 찾을 수 없습니다.</body>").Line("</html>");
    return page.Cp949Page();
  }
  WriteHead(page, blog->spec.titleUtf8 + ":: Plimo  블로그");
  page << "<frameset rows=\"*\" border=\"0\"><frame name=\"mainFrame\" src=\"http://" << BLOG_HOST
       << "/PBlogMain.plm?blogId=" << blog->spec.id << "\"></frameset>";
  page.Line();
  page.Line("</html>");
  return page.Cp949Page();
}

}  // namespace plimo::sim
