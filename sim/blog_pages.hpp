// The blog pages of the service: the main page with the post count, the list pages, the home page.
#pragma once

#include <string>

#include "sim/blog_model.hpp"

namespace plimo::sim {

// Each takes nullptr for a blog that does not exist and returns the page in code page 949.
std::string MainPage(const GeneratedBlog* blog);
// page counts from 1; past the last page of posts comes the end-of-list page.
std::string ListPage(const GeneratedBlog* blog, int page);
std::string HomePage(const GeneratedBlog* blog);

}  // namespace plimo::sim
