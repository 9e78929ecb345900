// A generated blog: everything its pages show, decided once from its id, shape and seed.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sim/simulator.hpp"

namespace plimo::sim {

// One entry of a comment or relay list.
struct ListEntry {
  std::string authorUtf8;  // a nickname, or for a relay the relaying blog's name
  std::string titleUtf8;   // relays only: the relaying post's title
  std::string textUtf8;
  std::string date;
  std::string aviconUrl;
  std::string emoticonUrl;  // empty when the entry has none
  bool emoticonAfterTab = false;
};

// How a post image stands in the page.
enum class ImageForm { DoubleQuoted, ScriptCall, ElementText };

struct Post {
  PostModel model;
  std::vector<std::string> paragraphsUtf8;
  std::vector<ImageForm> imageForms;             // one per model.imageUrls
  std::vector<std::string> attachmentNamesUtf8;  // one per model.attachmentUrls
  std::vector<ListEntry> comments;
  std::vector<ListEntry> relays;
};

struct Category {
  std::string key;
  std::string nameUtf8;
};

struct GeneratedBlog {
  BlogSpec spec;  // the title filled in when it was left empty
  std::vector<Category> categories;
  std::vector<std::vector<Post>> pages;

  int PostCount() const;
  // Every media URL that its pages and lists refer to.
  std::vector<std::string> MediaUrls() const;
};

// Throws std::invalid_argument for an empty id, an id with bytes a URL cannot carry as they are, or a
// title that code page 949 cannot hold.
GeneratedBlog GenerateBlog(const BlogSpec& spec);

}  // namespace plimo::sim
