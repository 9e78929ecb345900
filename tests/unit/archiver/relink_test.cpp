#include "archiver/relink.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace plimo {
namespace {

// What the one pass must always give: one Replace after another, in list order.
Text ReplacedInTurn(Text text, const std::vector<Text>& urls, const std::vector<Text>& links) {
  for (size_t i = 0; i < urls.size(); ++i) Replace(text, urls[i], links[i]);
  return text;
}

Text Relinked(Text text, const std::vector<Text>& urls, const std::vector<Text>& links) {
  RelinkUrls(text, urls, links);
  return text;
}

TEST(RelinkUrls, GivesWhatReplacingInTurnGives) {
  const Text image = "http://blogfiles1.plimo.kr/20070310_1/a_1.jpg";
  const Text gif = "http://blogfiles2.plimo.kr/20070310_1/a_2.gif";
  const Text file = "http://mfiles1.plimo.kr/20070310_1/report.hwp";
  const Text imageLink = "images/120070310_1a_1.jpg";
  const Text gifLink = "images/220070310_1a_2.gif";
  const Text fileLink = "files/120070310_1report.hwp";
  const struct {
    const char* name;
    Text text;
    std::vector<Text> urls;
    std::vector<Text> links;
    Text expected;
  } cases[] = {
      {"a list page with a URL twice and a link to the service left alone",
       "<img src=\"" + image + "\"><a href='" + file +
           "'>\xB0\xA1</a><img src=\"http://img.plimo.kr/imgs/ico_n.gif\">" + "<p>" + image + "</p>",
       {image, file},
       {imageLink, fileLink},
       "<img src=\"" + imageLink + "\"><a href='" + fileLink +
           "'>\xB0\xA1</a><img src=\"http://img.plimo.kr/imgs/ico_n.gif\"><p>" + imageLink + "</p>"},
      {"URLs side by side",
       image + gif + file,
       {file, gif, image},
       {fileLink, gifLink, imageLink},
       imageLink + gifLink + fileLink},
      {"a URL whose 'h' is the second byte of a character",
       "\xB0" + image + " \xB0\xB0" + image,
       {image},
       {imageLink},
       "\xB0" + image + " \xB0\xB0" + imageLink},
      {"nothing past a NUL byte",
       image + Text(1, '\0') + image,
       {image},
       {imageLink},
       imageLink + Text(1, '\0') + image},
      {"a repeated URL keeps its first link",
       image + " " + image,
       {image, image},
       {imageLink, "images/other"},
       imageLink + " " + imageLink},
      {"a link that, with the text before it, spells a later URL of the list",
       "http://blogfiles1.plimo.kr/x.gi" + file,
       {file, "http://blogfiles1.plimo.kr/x.gif"},
       {fileLink, "images/1x.gif"},
       "images/1x.gif" + fileLink.substr(1)},
      {"a URL that begins another",
       image + ".bak " + image,
       {image, image + ".bak"},
       {imageLink, "images/backup"},
       imageLink + ".bak " + imageLink},
      {"a URL that holds another",
       "http://mfiles1.plimo.kr/go?to=" + image,
       {image, "http://mfiles1.plimo.kr/go?to=" + image},
       {imageLink, "files/go"},
       "http://mfiles1.plimo.kr/go?to=" + imageLink},
      {"a link that ends as the scheme begins",
       image + "ttp://blogfiles1.plimo.kr/b.jpg",
       {image, "http://blogfiles1.plimo.kr/b.jpg"},
       {"images/h", "images/b.jpg"},
       "images/images/b.jpg"},
      {"a link without a folder", image, {image}, {"a_1.jpg"}, "a_1.jpg"},
      {"a link that, with the text before it and after it, spells a later URL of the list",
       "http://blogfiles1.plimo.kr/x/" + file + "/y",
       {file, "http://blogfiles1.plimo.kr/x/" + fileLink + "/y"},
       {fileLink, "images/xy"},
       "images/xy"},
      {"a URL ending on a lead byte", image + "\xB0\"", {image + "\xB0"}, {"images/x"}, "images/x\""},
      {"no URL of the list in the text",
       "<p>\xB0\xA1 http://blog.plimo.kr/</p>",
       {image},
       {imageLink},
       "<p>\xB0\xA1 http://blog.plimo.kr/</p>"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReplacedInTurn(c.text, c.urls, c.links), c.expected) << c.name;
    EXPECT_EQ(Relinked(c.text, c.urls, c.links), c.expected) << c.name;
  }
}

// Texts, URLs and links made of the pieces that matter: the scheme and its parts, folder names and
// separators, lead and trail bytes, quotes and NUL.
class PieceMaker {
 public:
  explicit PieceMaker(uint32_t seed) : random_(seed) {}

  Text Url() {
    return "http://" + Some({"b.kr/", "a", "f", "i", "h", "ht", "http:/", ".gif", "/", "files/", "\xB0",
                             "\xB0\xA1", "\\"},
                            4);
  }
  Text Link() {
    return Some(
        {"images/", "files/", "../", "..\\", "\\", "/", "f", "i", "h", "a", "b.kr/", "\xB0\xA1", "\xB0"}, 3);
  }
  // Whole URLs and links, and the heads and tails of URLs, which a replacement may join into more.
  Text Page(const std::vector<Text>& urls, const std::vector<Text>& links) {
    Text text;
    for (int piece = Below(12); piece > 0; --piece) {
      const Text& url = urls[static_cast<size_t>(Below(static_cast<int>(urls.size())))];
      const size_t cut = static_cast<size_t>(1 + Below(static_cast<int>(url.size()) - 1));
      switch (Below(6)) {
        case 0:
          text += url;
          break;
        case 1:
          text += links[static_cast<size_t>(Below(static_cast<int>(links.size())))];
          break;
        case 2:
          text += url.substr(0, cut);
          break;
        case 3:
          text += url.substr(cut);
          break;
        default:
          text += Some({"\"", "\xB0", "h", "http://", "ttp://", "b.kr/", "f", std::string(1, '\0'), "a"}, 2);
      }
    }
    return text;
  }
  int Below(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

 private:
  Text Some(const std::vector<Text>& pieces, int most) {
    Text text;
    for (int count = 1 + Below(most); count > 0; --count)
      text += pieces[static_cast<size_t>(Below(static_cast<int>(pieces.size())))];
    return text;
  }

  std::mt19937 random_;
};

TEST(RelinkUrls, MatchesReplacingInTurnOnMadeUpTexts) {
  PieceMaker make(20070310);
  for (int round = 0; round < 20000; ++round) {
    std::vector<Text> urls;
    std::vector<Text> links;
    for (int count = 1 + make.Below(4); count > 0; --count) {
      urls.push_back(make.Url());
      links.push_back(make.Link());
    }
    const Text text = make.Page(urls, links);
    ASSERT_EQ(Relinked(text, urls, links), ReplacedInTurn(text, urls, links)) << "round " << round;
  }
}

}  // namespace
}  // namespace plimo
