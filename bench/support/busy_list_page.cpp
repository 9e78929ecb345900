#include "support/busy_list_page.hpp"

#include "net/fetch_page.hpp"
#include "platform/codepage.hpp"
#include "sim/blog_model.hpp"
#include "sim/blog_pages.hpp"

namespace plimo::bench {
namespace {

constexpr int kPosts = 100;
constexpr const char* kPostFoot = "<div class=\"post-foot\">";

// Blog editors of the time wrapped every paragraph in its own style, so most of a post's bytes are
// markup around a short Korean sentence; links to other pages put many a scheme in the text that no
// media scan takes.
const char* const kStyledParagraphs[] = {
    "<P style=\"MARGIN: 0px; LINE-HEIGHT: 1.6\"><SPAN style=\"FONT-SIZE: 10pt; FONT-FAMILY: 굴림\">오늘은 "
    "아침부터 비가 내려서 하루 종일 집에 있었습니다. 밀린 사진을 정리했어요.</SPAN></P>",
    "<P style=\"MARGIN: 0px; LINE-HEIGHT: 1.6\"><SPAN style=\"FONT-SIZE: 9pt; COLOR: #333333\">지난 주말에 "
    "다녀온 바닷가 이야기입니다. 햇볕이 따가웠지만 바람이 시원했답니다.</SPAN></P>",
    "<P style=\"MARGIN: 0px\">&nbsp;</P>",
    "<p>사진은 <a href=\"http://blog.plimo.kr/benchblog\" "
    "target=\"_blank\">http://blog.plimo.kr/benchblog</a> "
    "에도 올려 두었습니다.</p>",
    "<P align=center><FONT face=돋움 color=#0000ff size=2><B>뷁! 이건 꼭 기억해 두세요.</B></FONT></P>",
};

Text MakeBusyListPage() {
  sim::BlogSpec busyBlog{"benchblog", "secret", "벤치 블로그", sim::BlogKind::Normal, {}};
  busyBlog.shape = {.listPages = 1,
                    .postsPerPage = kPosts,
                    .categories = 8,
                    .commentsPerPost = 2,
                    .relaysPerPost = 1,
                    .imagesPerPost = 2,
                    .attachmentsPerPost = 1,
                    .seed = 7};
  const sim::GeneratedBlog blog = sim::GenerateBlog(busyBlog);
  const Text page = NormaliseLineEnds(sim::ListPage(&blog, 1));

  const size_t fillerPerPost = page.size() < kBusyPageBytes ? (kBusyPageBytes - page.size()) / kPosts + 1 : 0;
  Text filler;
  for (size_t paragraph = 0; filler.size() < fillerPerPost; ++paragraph)
    filler += Cp949(kStyledParagraphs[paragraph % std::size(kStyledParagraphs)]) + "\r\n";

  Text busy;
  busy.reserve(page.size() + kPosts * filler.size());
  size_t copied = 0;
  for (size_t foot = page.find(kPostFoot); foot != Text::npos; foot = page.find(kPostFoot, foot + 1)) {
    busy.append(page, copied, foot - copied);
    busy += filler;
    copied = foot;
  }
  busy.append(page, copied, Text::npos);
  return busy;
}

}  // namespace

const Text& BusyListPage() {
  static const Text page = MakeBusyListPage();
  return page;
}

}  // namespace plimo::bench
