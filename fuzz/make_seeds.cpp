// Writes the seed corpus of every harness from the simulator's pages: the list, comment and relay
// pages of a generated blog, its media URLs and comment links, and Find/Replace inputs cut from them.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "net/endpoints.hpp"
#include "sim/simulator.hpp"

namespace {

namespace fs = std::filesystem;

std::string BlogUrl(const std::string& pathAndQuery) {
  return std::string("http://") + plimo::BLOG_HOST + pathAndQuery;
}

std::string ListPageUrl(int page) {
  return BlogUrl("/PostList.plm?blogId=seeds&currentPage=" + std::to_string(page) +
                 "&categoryNo=0&viewdate=");
}

std::string ListOfPostUrl(int kind, const plimo::sim::PostModel& post) {
  return BlogUrl(std::string(kind == 1 ? "/PostCommentMain.plm" : "/PostRelayList.plm") +
                 "?blogId=seeds&fno=" + std::to_string(post.listNumber) + "&logNo=" + post.logNo +
                 "&skinId=&skinType=");
}

class SeedFolder {
 public:
  SeedFolder(const fs::path& root, const char* harness) : folder_(root / harness) {
    fs::create_directories(folder_);
  }

  void Add(const std::string& bytes) {
    std::ofstream(folder_ / ("seed-" + std::to_string(count_++)), std::ios::binary) << bytes;
  }

 private:
  fs::path folder_;
  int count_ = 0;
};

// The text harness reads a pattern and a new text from the front, each ended by a backslash and
// one more byte, the text after them, and the start position from the last byte.
std::string TextOperationInput(const std::string& pattern, const std::string& newText,
                               const std::string& text, char start) {
  auto escaped = [](const std::string& part) {
    std::string result;
    for (char byte : part) result += byte == '\\' ? std::string("\\\\") : std::string(1, byte);
    return result + "\\ ";
  };
  return escaped(pattern) + escaped(newText) + text + start;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: plimo-fuzz-seeds FOLDER\n";
    return 1;
  }
  const fs::path root = argv[1];
  plimo::sim::Simulator sim;
  sim.AddBlog({"seeds",
               "secret",
               "씨앗 블로그",
               plimo::sim::BlogKind::Normal,
               {.listPages = 2, .postsPerPage = 2, .commentsPerPost = 2, .relaysPerPost = 1}});

  SeedFolder pages(root, "page_steps"), lines(root, "line_ends"), paths(root, "local_paths"),
      text(root, "text_operations"), relink(root, "relink");
  std::vector<std::string> bodies;
  for (int page = 1; page <= 3; ++page) bodies.push_back(sim.Body(ListPageUrl(page)));
  const auto posts = sim.Pages("seeds");
  for (const auto& post : posts.front()) {
    bodies.push_back(sim.Body(ListOfPostUrl(1, post)));
    bodies.push_back(sim.Body(ListOfPostUrl(2, post)));
  }
  for (const std::string& body : bodies) {
    pages.Add(body);
    lines.Add(body);
    relink.Add(body);
  }

  // The last byte chooses the rule: 0-3 the four media kinds, 4 a comment link read from page bytes.
  for (const auto& onPage : posts)
    for (const auto& post : onPage) {
      for (const auto& url : post.imageUrls) paths.Add(url + '\0');
      for (const auto& url : post.attachmentUrls) paths.Add(url + '\1');
      for (const auto& url : post.aviconUrls) paths.Add(url + '\2');
      for (const auto& url : post.emoticonUrls) paths.Add(url + '\3');
      paths.Add("onclick=\"sublayer('1','" + std::to_string(post.listNumber) + "','" + post.logNo +
                "');\"\4");
    }

  const std::string& list = bodies.front();
  const std::string pieceOfPage = list.substr(list.size() / 3, 2000);
  for (const char* pattern : {"<img", "src=\"", "http://", "\r\n", ">"})
    text.Add(TextOperationInput(pattern, "[X]", pieceOfPage, 0));
  text.Add(TextOperationInput(pieceOfPage.substr(40, 6), "", pieceOfPage, 20));
  return 0;
}
