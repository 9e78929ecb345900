#include "archiver/media.hpp"

#include <gtest/gtest.h>

#include <vector>

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
      {"image as element text ends at the next >",
       MediaKind::PostImage,
       "<a>" + image + "</a>",
       {image + "</a"},
       0},
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
       "'" + image + "' \"" + image + "\" >" + image + ">",
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

}  // namespace
}  // namespace plimo
