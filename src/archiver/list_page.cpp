#include "archiver/list_page.hpp"

#include <algorithm>

#include "archiver/comment_script.hpp"
#include "net/endpoints.hpp"
#include "platform/codepage.hpp"
#include "platform/page_charset.hpp"

namespace plimo {
namespace {

constexpr const char* kStyleSheetLink = "<LINK REL=\"StyleSheet\" HREF=\"paper.css\" type=\"text/css\">";

// The layout images that list pages show; bg_dot01.gif is downloaded too but only comment pages use it.
constexpr const char* kPageLayoutImages[] = {"bg_dot.gif", "ico_disk.gif", "ico_n.gif", "btn_addmypaper.gif"};

// Page 1 links back to itself; the last page links forward to the page written after the last one.
Text NavigationTable(int n) {
  // The first cell holds a full-width space so that the coloured cell keeps its width.
  static constexpr const char* kTemplate =
      "<table border='1' cellpadding='0' cellspacing='0' style='border-collapse: collapse' "
      "bordercolor='#111111' width='600' height='35'><tr><td width='4%%' bordercolor='#339966' "
      "bgcolor='#339966'>　</td><td width='96%%'><p align='center'><span style=\"font-size: 9pt\">"
      "<a href=\"P%d.html\">[◀ 이전페이지]</a> %d 페이지 <a href=\"P%d.html\">[다음페이지 ▶]</a>"
      "</span></p></td></tr></table>";
  return Format(Cp949(kTemplate), std::max(n - 1, 1), n, n + 1);
}

// Only the posts are kept: what precedes the table marker and what follows the paging marker is
// the service's own frame, which makes no sense offline.
Text PostsPart(const Text& text) {
  Text posts = text;
  const int tableStart = Find(posts, "<!-- table -->");
  if (tableStart >= 0) posts = Mid(posts, tableStart);
  const int pagingStart = Find(posts, Cp949("<!-- 페이징 -->"));
  if (pagingStart >= 0) posts = Left(posts, pagingStart);
  return posts;
}

}  // namespace

Text ComposeListPage(const Text& text, int n) {
  Text posts = PostsPart(text);
  // The page's load handlers would call into the service; renamed, they never run.
  Replace(posts, "onload", "onload_block");
  const Text table = NavigationTable(n);
  return CommentScript() + kStyleSheetLink + kPageCharset + table + posts + table;
}

std::unique_ptr<PendingFile> OpenPageFile(JobView& view, const Text& path) {
  const Text question =
      path + Cp949("파일이 읽기전용이거나 다른 프로세서에 의해 잠겨있습니다. 파일을 닫고 재시도하십시오.");
  for (;;) {
    if (std::unique_ptr<PendingFile> file = PendingFile::Create(path)) return file;
    if (!view.AskRetry(question)) return nullptr;
  }
}

bool FinishListPage(Text& text, const Text& pageTitles, PendingFile& file) {
  // popview opens the post on the service; the renamed attribute leaves the click inert.
  Replace(text, "onclick=popview", "noclick=popview");
  for (const char* name : kPageLayoutImages)
    Replace(text, LAYOUT_IMAGE_PREFIX + Text(name), "images/" + Text(name));
  // The page's own comment function steps aside, so its links reach the script in front.
  Replace(text, "sublayer(ch,no,logNo)", "sublayer_replace(ch,no,logNo)");
  text.insert(0, "<TITLE>" + pageTitles + "</TITLE>");
  const Text bytes = WithCrlfLineEnds(text);
  // A failed write is not committed, so an earlier copy of the page is never replaced by a torn one.
  return file.Write(bytes.data(), bytes.size()) && file.Commit();
}

}  // namespace plimo
