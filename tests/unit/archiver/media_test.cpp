#include "archiver/media.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/codepage.hpp"
#include "platform/files.hpp"
#include "support/golden_file.hpp"
#include "support/local_server.hpp"
#include "support/recording_view.hpp"
#include "support/temp_folder.hpp"

namespace plimo {
namespace {

TEST(LocalMediaName, FollowsTheRuleOfEachKind) {
  const struct {
    const char* name;
    MediaKind kind;
    Text url;
    Text expected;
  } cases[] = {
      {"post image", MediaKind::PostImage, "http://blogfiles3.plimo.kr/data/2007/3/10/photo.jpg",
       "images\\3data2007310photo.jpg"},
      {"attachment", MediaKind::Attachment, "http://mfiles2.plimo.kr/20070310_12/report.hwp",
       "files\\220070310_12report.hwp"},
      {"avicon segments joined by _", MediaKind::Avicon, "http://item.plimo.kr/avicon/2007/03/a.gif",
       "avicon\\2007_03_a.gif"},
      {"avicon loses the file domain", MediaKind::Avicon, "http://item.plimo.kr/avicon/x.plimo.kr/b.gif",
       "avicon\\x_b.gif"},
      {"emoticon segments run together", MediaKind::Emoticon, "http://img.plimo.kr/imgs/emot/set1/smile.gif",
       "avicon\\set1smile.gif"},
      {"emoticon keeps the file domain", MediaKind::Emoticon, "http://img.plimo.kr/imgs/emot/a.plimo.kr.gif",
       "avicon\\a.plimo.kr.gif"},
      {"percent signs dropped, digits kept", MediaKind::PostImage,
       "http://blogfiles1.plimo.kr/a/%ED%95%9C%20b.jpg", "images\\1aED959C20b.jpg"},
      {"query kept in the name", MediaKind::PostImage, "http://blogfiles1.plimo.kr/a.jpg?type=w1",
       "images\\1a.jpg?type=w1"},
  };
  for (const auto& c : cases) EXPECT_EQ(LocalMediaName(c.url, c.kind), c.expected) << c.name;
}

struct ScanCase {
  const char* name;
  MediaKind kind;
  Text text;
  std::vector<Text> urls;
  int counted;
};

TEST(CollectMediaUrls, AcceptsOnlyTheKindsOwnDelimiters) {
  const Text image = "http://blogfiles1.plimo.kr/a.jpg";
  const Text file = "http://mfiles1.plimo.kr/a.zip";
  const Text avicon = "http://item.plimo.kr/avicon/a.gif";
  const Text emoticon = "http://img.plimo.kr/imgs/emot/e.gif";
  const Text tabbed = "\t<img src=\"";  // the tab stands 11 bytes before the emoticon
  const ScanCase cases[] = {
      {"image in double quotes", MediaKind::PostImage, "<img src=\"" + image + "\">", {image}, 0},
      {"image in a script call", MediaKind::PostImage, "popview('" + image + "')", {image}, 0},
      {"image as element text ends with the text", MediaKind::PostImage, "<p>" + image + "</p>", {image}, 0},
      {"image as element text ends at a blank", MediaKind::PostImage, "<p>" + image + "\r\n</p>", {image}, 0},
      {"image as element text without its end", MediaKind::PostImage, "<p>" + image, {}, 0},
      {"image after a blank", MediaKind::PostImage, "see " + image + " here", {}, 0},
      {"image at the very start", MediaKind::PostImage, image + "\"", {}, 0},
      {"attachment in quotes", MediaKind::Attachment, "href='" + file + "'", {file}, 0},
      {"attachment as element text", MediaKind::Attachment, "<a>" + file + "</a>", {}, 0},
      {"avicon in quotes counted", MediaKind::Avicon, "src=\"" + avicon + "\"", {avicon}, 1},
      {"avicon without quotes counted, stays", MediaKind::Avicon, "src=" + avicon + " >", {}, 1},
      {"avicon at the very start counted", MediaKind::Avicon, avicon + "\"", {}, 1},
      {"emoticon behind its tab", MediaKind::Emoticon, tabbed + emoticon + "\">", {emoticon}, 1},
      {"emoticon without the tab", MediaKind::Emoticon, " <img src=\"" + emoticon + "\">", {}, 0},
      {"emoticon too near the start", MediaKind::Emoticon, "\"" + emoticon + "\"", {}, 0},
      {"emoticon behind its tab without quotes",
       MediaKind::Emoticon,
       "\t<img src= " + emoticon + " >",
       {},
       1},
      {"same image three times",
       MediaKind::PostImage,
       "'" + image + "' \"" + image + "\" <b>" + image + "</b>",
       {image, image, image},
       0},
      {"missing closing quote ends the scan",
       MediaKind::PostImage,
       "'" + image + " \"" + image + "\"",
       {},
       0},
  };
  for (const ScanCase& c : cases) {
    MediaList list;
    int32_t counted = 0;
    CollectMediaUrls(c.text, c.kind, list, counted);
    EXPECT_EQ(list.urls, c.urls) << c.name;
    EXPECT_EQ(list.localNames.size(), list.urls.size()) << c.name;
    EXPECT_EQ(counted, c.counted) << c.name;
  }
}

TEST(CollectMediaUrls, AddsToTheListAndTheCountItIsGiven) {
  const Text comment =
      "<img src=\"http://item.plimo.kr/avicon/a.gif\">\t<img src=\"http://img.plimo.kr/imgs/emot/e.gif\">";
  MediaList list;
  int32_t counted = 5;
  CollectMediaUrls(comment, MediaKind::Avicon, list, counted);
  CollectMediaUrls(comment, MediaKind::Emoticon, list, counted);
  EXPECT_EQ(counted, 7);
  EXPECT_EQ(list.localNames, (std::vector<Text>{"avicon\\a.gif", "avicon\\e.gif"}));
}

TEST(CollectMediaUrls, GivesUpAListPageAfter4096PassedOverOccurrences) {
  const Text unquoted = " http://blogfiles1.plimo.kr/x.jpg";
  const Text quoted = "\"http://blogfiles1.plimo.kr/last.jpg\"";
  for (const int passedOver : {4096, 4097}) {
    Text page;
    for (int i = 0; i < passedOver; ++i) page += unquoted;
    page += quoted;
    MediaList list;
    int32_t counted = 0;
    CollectMediaUrls(page, MediaKind::PostImage, list, counted);
    EXPECT_EQ(list.urls.size(), passedOver == 4096 ? 1u : 0u) << passedOver;
  }

  // The comment-page kinds have no such bound.
  Text comment;
  for (int i = 0; i < 5000; ++i) comment += " http://item.plimo.kr/avicon/x.gif";
  comment += "\"http://item.plimo.kr/avicon/last.gif\"";
  MediaList list;
  int32_t counted = 0;
  CollectMediaUrls(comment, MediaKind::Avicon, list, counted);
  EXPECT_EQ(list.urls.size(), 1u);
  EXPECT_EQ(counted, 5001);
}

// An archive beside a server that answers every file with its own URL.
class MediaDownloads : public testing::Test {
 protected:
  MediaDownloads() {
    job.m_strBackupDir = folder.program() + "\\archive";
    for (const char* sub : {"", "\\images", "\\files", "\\avicon"}) CreateFolder(job.m_strBackupDir + sub);
    job.m_settings.pauseAfterDownload = std::chrono::milliseconds(1);
  }

  std::string Saved(const Text& localName) const {
    return test::ReadAll(NativePath(job.m_strBackupDir + "\\" + localName));
  }
  int RequestsFor(const std::string& url) const {
    const auto requests = server.Requests();
    return static_cast<int>(std::count_if(requests.begin(), requests.end(),
                                          [&](const test::ReceivedRequest& r) { return r.target == url; }));
  }
  int StatusCount(const std::string& status) const {
    const auto calls = view.CallsOf("SetStatusText");
    return static_cast<int>(std::count(calls.begin(), calls.end(), status));
  }

  test::LocalServer server{[](httplib::Server& routes) {
    routes.Get(".*", [](const httplib::Request& request, httplib::Response& response) {
      response.set_content(request.target, "image/gif");
    });
  }};
  test::ScopedProxy proxy{server.ProxyUrl()};
  test::TempFolder folder;
  BackupJob job;
  test::RecordingView view;
  BackupRun run{job, view, {}};
};

TEST_F(MediaDownloads, SameImageThreeTimesIsFetchedOnceAndLinkedEverywhere) {
  const Text url = "http://blogfiles3.plimo.kr/data/2007/3/10/photo.jpg";
  Text page =
      "<img src=\"" + url + "\"><a href=\"javascript:popview('" + url + "')\">x</a><img src='" + url + "'>";
  LocalisePageFiles(run, page, 2);

  // A backslash would be an escape inside the script's string: the link separates with '/'.
  const Text link = "images/3data2007310photo.jpg";
  EXPECT_EQ(page, "<img src=\"" + link + "\"><a href=\"javascript:popview('" + link + "')\">x</a><img src='" +
                      link + "'>");
  EXPECT_EQ(RequestsFor(url), 1);
  EXPECT_EQ(Saved("images\\3data2007310photo.jpg"), url);
  EXPECT_EQ(StatusCount("2페이지 백업중...(첨부파일 다운로드)"), 1);
  EXPECT_EQ(StatusCount("서버 부하 최소화중..."), 1) << "the pause follows the one fresh download";
}

TEST_F(MediaDownloads, PresentFileIsLinkedWithoutARequest) {
  ASSERT_TRUE(WriteTextFile(job.m_strBackupDir + "\\files\\1old.zip", "kept", WriteMode::Create));
  Text page = "<a href='http://mfiles1.plimo.kr/old.zip'>old.zip</a>";
  LocalisePageFiles(run, page, 1);
  EXPECT_EQ(page, "<a href='files/1old.zip'>old.zip</a>");
  EXPECT_TRUE(server.Requests().empty());
  EXPECT_EQ(Saved("files\\1old.zip"), "kept");
}

TEST_F(MediaDownloads, LinksKeepTheRuleNameWhereverItReachesTheFile) {
  const struct {
    const char* why;
    Text page;
    Text expected;
    Text savedAs;
  } cases[] = {
      {"percent escapes fetched as they stand", "<img src=\"http://blogfiles1.plimo.kr/a/%ED%95%9C.jpg\">",
       "<img src=\"images/1aED959C.jpg\">", "images\\1aED959C.jpg"},
      {"query left in the link, not in the name", "<img src=\"http://blogfiles1.plimo.kr/b.jpg?type=w1\">",
       "<img src=\"images/1b.jpg?type=w1\">", "images\\1b.jpg"},
      {"the beginning of a longer URL changes too",
       "<img src=\"http://blogfiles1.plimo.kr/c.jpg\"> http://blogfiles1.plimo.kr/c.jpg.bak",
       "<img src=\"images/1c.jpg\"> images/1c.jpg.bak", "images\\1c.jpg"},
  };
  for (const auto& c : cases) {
    Text page = c.page;
    LocalisePageFiles(run, page, 1);
    EXPECT_EQ(page, c.expected) << c.why;
    EXPECT_TRUE(FileExists(job.m_strBackupDir + "\\" + c.savedAs)) << c.why;
  }
  EXPECT_EQ(RequestsFor("http://blogfiles1.plimo.kr/a/%ED%95%9C.jpg"), 1);
}

// The media links of a text, each from its folder name to the quote that closes it.
std::vector<Text> MediaLinks(const Text& text) {
  std::vector<Text> links;
  for (const Text folder : {"images/", "files/", "avicon/"})
    for (int at = Find(text, folder); at >= 0; at = Find(text, folder, at + 1))
      links.push_back(text.substr(at, text.find_first_of("\"'", at) - at));
  return links;
}

TEST_F(MediaDownloads, HostileNamesNeverLeaveTheArchive) {
  // Without care each of these names would land beside the archive or above it.
  Text page =
      "<img src=\"http://blogfiles.plimo.kr/..\\..\\evil.html\"><a "
      "href='http://mfiles.plimo.kr/..\\P1.html'>";
  Text comment = "<img src=\"http://item.plimo.kr/avicon/..\\..\\evil.gif\">";
  LocalisePageFiles(run, page, 1);
  LocaliseCommentIcons(run, comment, 1);

  EXPECT_EQ(RequestsFor("http://blogfiles.plimo.kr/..\\..\\evil.html"), 1) << "fetched, only saved elsewhere";
  std::vector<std::filesystem::path> folders;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.native()))
    if (entry.is_regular_file())
      folders.push_back(entry.path().parent_path().lexically_relative(folder.native()));
  std::sort(folders.begin(), folders.end());
  EXPECT_EQ(folders,
            (std::vector<std::filesystem::path>{"archive/avicon", "archive/files", "archive/images"}));

  const std::vector<Text> links = MediaLinks(page + comment);
  EXPECT_EQ(links.size(), 3u);
  for (const Text& link : links) EXPECT_TRUE(FileExists(job.m_strBackupDir + "\\" + link)) << link;
}

TEST_F(MediaDownloads, CommentIconsLinkFromTheCommentFolderAndAreCounted) {
  const Text avicon = "http://item.plimo.kr/avicon/2007/03/a.gif";
  const Text emoticon = "http://img.plimo.kr/imgs/emot/set1/smile.gif";
  const Text untabbed = "http://img.plimo.kr/imgs/emot/set1/wink.gif";
  const Text unquoted = "http://item.plimo.kr/avicon/b.gif";
  Text comment = "<img src=\"" + avicon + "\"><img src='" + avicon + "'>\t<img src=\"" + emoticon +
                 "\"> <img src=\"" + untabbed + "\"><img src=" + unquoted + ">";
  run.vars.nCommentCount = 10;
  LocaliseCommentIcons(run, comment, 4);

  EXPECT_EQ(comment, "<img src=\"../avicon/2007_03_a.gif\"><img src='../avicon/2007_03_a.gif'>\t<img src=\"" +
                         Text("../avicon/set1smile.gif\"> <img src=\"") + untabbed +
                         "\"><img src=" + unquoted + ">");
  EXPECT_EQ(run.vars.nCommentCount, 14)
      << "two quoted avicons, the unquoted one, the emoticon behind its tab";
  EXPECT_EQ(RequestsFor(avicon), 1);
  EXPECT_EQ(RequestsFor(untabbed) + RequestsFor(unquoted), 0);
  EXPECT_EQ(StatusCount("4페이지 백업중...(avicon)"), 1);
  EXPECT_EQ(StatusCount("서버 부하 최소화중..."), 0) << "icons are fetched without the pause";

  Text plain = "<p>" + Cp949("덧글 없음") + "</p>";
  const Text before = plain;
  LocaliseCommentIcons(run, plain, 5);
  EXPECT_EQ(plain, before);
  EXPECT_EQ(StatusCount("5페이지 백업중...(avicon)"), 1) << "shown also when there is nothing to fetch";
}

TEST_F(MediaDownloads, LayoutImagesArriveInOrderUnderTheirOwnNames) {
  LocaliseLayoutImages(run);
  ASSERT_FALSE(view.CallsOf("SetStatusText").empty());
  EXPECT_EQ(view.CallsOf("SetStatusText").front(), "기본 레이아웃 전송중..");
  std::vector<std::string> asked;
  for (const auto& request : server.Requests()) asked.push_back(request.target);
  const std::vector<std::string> names = {"bg_dot.gif", "bg_dot01.gif", "ico_disk.gif", "ico_n.gif",
                                          "btn_addmypaper.gif"};
  ASSERT_EQ(asked.size(), names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(asked[i], "http://img.plimo.kr/imgs/" + names[i]);
    EXPECT_EQ(Saved("images\\" + names[i]), asked[i]);
  }
  EXPECT_EQ(StatusCount("서버 부하 최소화중..."), 0);
}

}  // namespace
}  // namespace plimo
