// The comment and relay lists of a post, which list pages load into their frames.
#pragma once

#include <string>

#include "sim/blog_model.hpp"

namespace plimo::sim {

// Both return the page in code page 949.
std::string CommentList(const GeneratedBlog& blog, const Post& post);
std::string RelayList(const GeneratedBlog& blog, const Post& post);

}  // namespace plimo::sim
